#include "game/host_operations.h"

#include "game/game.h"

#include <array>
#include <cctype>
#include <cfenv>
#include <charconv>
#include <cmath>
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
constexpr int kWatchedFlags = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
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
    const auto [end, ec] = std::to_chars(buffer.begin(), buffer.end(), value);
    return {buffer.begin(), ec == std::errc{} ? end : buffer.begin()};
}

double TextToNumber(std::string_view text)
{
    text = Trimmed(text);
    if (text.size() == 1 && std::isdigit(static_cast<unsigned char>(text.front())) != 0) // the game's every case
        return text.front() - '0';
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const std::string_view unsignedPart = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
    // Only decimal numbers: no "inf", "nan" or other words that from_chars would take.
    if (unsignedPart.empty()
        || (std::isdigit(static_cast<unsigned char>(unsignedPart.front())) == 0 && unsignedPart.front() != '.'))
        RaiseError(TypeMismatch);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range)
        RaiseError(Overflow);
    if (ec != std::errc{} || end != text.data() + text.size())
        RaiseError(TypeMismatch);
    return value;
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
