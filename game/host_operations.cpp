#include "game/host_operations.h"

#include "game/game.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

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
    std::array<char, 32> buffer{};
#if defined(__cpp_lib_to_chars)
    const auto [end, ec] = std::to_chars(buffer.begin(), buffer.end(), value);
    return {buffer.begin(), ec == std::errc{} ? end : buffer.begin()};
#else // libc++ 13 has no floating-point to_chars; the web build never leaves the C locale
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.9g", static_cast<double>(value));
    return {buffer.data(), static_cast<std::size_t>(std::max(length, 0))};
#endif
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
    double value = 0.0;
#if defined(__cpp_lib_to_chars)
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc::result_out_of_range)
        RaiseError(Overflow);
#else // libc++ 13 has no floating-point from_chars; the web build never leaves the C locale
    errno = 0;
    value = std::strtod(std::string(text).c_str(), nullptr);
    if (errno == ERANGE)
        RaiseError(Overflow);
#endif
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
