#include "game/host_operations.h"

#include "game/game.h"

#include <cctype>
#include <cfenv>
#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace velmora {

Error::Error(int number, const std::string &description) : std::runtime_error(description), number_(number)
{}

namespace host {

namespace {

std::string_view Describe(ErrorNumber number)
{
    switch (number) {
    case Overflow:
        return "Überlauf";
    case TypeMismatch:
        return "Typen unverträglich";
    case MethodFailed:
        return "Automatisierungsfehler";
    }
    return "Anwendungs- oder objektdefinierter Fehler";
}

// The floating-point faults a game looks for: an invalid operation, a division by zero, an overflow.
// WebAssembly keeps no such flags; there a broken draw is caught by its value alone.
#if defined(FE_INVALID) && defined(FE_DIVBYZERO) && defined(FE_OVERFLOW)
constexpr int kWatchedFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;
#else
constexpr int kWatchedFlags = 0;
#endif

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigit(char c)
{
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Decimal digits with at most one point, then an optional exponent: no "inf", "nan" or "0x7".
bool IsDecimal(std::string_view text)
{
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t from = at;
        while (at < text.size() && IsDigit(text[at]))
            ++at;
        return at - from;
    };
    std::size_t mantissa = digits();
    if (at < text.size() && text[at] == '.') {
        ++at;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (digits() == 0)
            return false;
    }
    return at == text.size();
}

} // namespace

void RaiseError(ErrorNumber number)
{
    throw Error(number, std::string(Describe(number)));
}

void RaiseCallFailed(std::string_view interfaceName, std::string_view operation)
{
    std::string description = "Die Methode '";
    description.append(operation).append("' für das Objekt '").append(interfaceName);
    description.append("' ist fehlgeschlagen");
    throw Error(MethodFailed, description);
}

double Floor(double value)
{
    return std::floor(value);
}

std::string NumberToText(float value)
{
    if (value >= 0.0F && value <= 9.0F && value == std::floor(value)) // a digit, the game's every case
        return {static_cast<char>('0' + static_cast<int>(value))};
    // Single precision shows seven significant digits, with a point whatever the user's locale.
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::setprecision(7) << value;
    return text.str();
}

double TextToNumber(std::string_view text)
{
    text = Trimmed(text);
    if (text.size() == 1 && IsDigit(text.front())) // the game's every case
        return text.front() - '0';
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (negative || text.front() == '+'))
        text.remove_prefix(1);
    if (!IsDecimal(text))
        RaiseError(TypeMismatch);
    std::istringstream number{std::string(text)};
    number.imbue(std::locale::classic());
    double value = 0.0;
    number >> value;
    if (number.fail()) // a decimal number that no double holds
        RaiseError(Overflow);
    return negative ? -value : value;
}

void ClearFloatingPointStatus()
{
    // Looking is cheap and clearing is not (it reloads the whole x87 environment), and the flags
    // are seldom up: clear only what is set.
    if (std::fetestexcept(kWatchedFlags) != 0)
        std::feclearexcept(kWatchedFlags);
}

void CheckFloatingPointStatus()
{
    if (std::fetestexcept(kWatchedFlags) != 0)
        RaiseError(Overflow);
}

} // namespace host
} // namespace velmora
