// Numbers as the boxes show them, and back: a digit's text, and the value of a caption.

#include "game/host_operations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace velmora::host {

namespace {

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

std::string NumberToText(float value)
{
    if (value >= 0.0F && value <= 9.0F && value == std::floor(value)) // a digit, the game's every case
        return {static_cast<char>('0' + static_cast<int>(value))};
    if (!std::isfinite(value))
        return "";
    if (value == 0.0F)
        return "0";
    // Seven significant digits, as single precision shows them ("%.7g"), written through whole
    // numbers: the page's C++ library has no floating-point to_chars, and printf would bring its
    // long-double machinery into the page.
    const double magnitude = std::abs(static_cast<double>(value));
    int power = static_cast<int>(std::floor(std::log10(magnitude)));
    auto digits = static_cast<std::uint64_t>(std::llround(magnitude / std::pow(10.0, power - 6)));
    if (digits >= 10'000'000) { // rounding carried into an eighth digit
        digits /= 10;
        ++power;
    }
    std::array<char, 8> seven{};
    std::to_chars(seven.data(), seven.data() + seven.size(), digits);
    std::string_view shown(seven.data(), 7);
    while (shown.size() > 1 && shown.back() == '0')
        shown.remove_suffix(1);

    std::string text = value < 0 ? "-" : "";
    const auto count = static_cast<int>(shown.size());
    if (power < -4 || power >= 7) { // d.dddddde+XX
        text.append(shown.substr(0, 1));
        if (count > 1)
            text.append(".").append(shown.substr(1));
        text.append(power < 0 ? "e-" : "e+");
        if (std::abs(power) < 10)
            text += '0';
        return text.append(std::to_string(std::abs(power)));
    }
    const int whole = power + 1; // digits before the point
    if (whole <= 0)
        return text.append("0.").append(static_cast<std::size_t>(-whole), '0').append(shown);
    const int written = std::min(count, whole);
    const int padding = whole - written;
    text.append(shown.substr(0, static_cast<std::size_t>(written)));
    text.append(static_cast<std::size_t>(padding), '0');
    if (count > whole)
        text.append(".").append(shown.substr(static_cast<std::size_t>(whole)));
    return text;
}

namespace {

#if !defined(__cpp_lib_to_chars)
// The value of checked decimal text, for a C++ library without floating-point from_chars (the
// page's: strtod would bring the C library's long-double machinery with it). Exact for up to 19
// significant digits and powers of ten up to 22, which covers every caption; closer than a few
// units in the last place beyond.
double DecimalValue(std::string_view text)
{
    std::uint64_t mantissa = 0;
    int exponent = 0;
    int significant = 0;
    bool afterPoint = false;
    std::size_t at = 0;
    for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
        if (text[at] == '.') {
            afterPoint = true;
        } else if (significant < 19) {
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(text[at] - '0');
            significant += mantissa != 0 ? 1 : 0;
            exponent -= afterPoint ? 1 : 0;
        } else if (!afterPoint) {
            ++exponent;
        }
    }
    if (at < text.size()) {
        std::string_view power = text.substr(at + 1);
        const bool down = power.front() == '-';
        power.remove_prefix(power.front() == '-' || power.front() == '+' ? 1 : 0);
        int given = 0;
        if (std::from_chars(power.data(), power.data() + power.size(), given).ec != std::errc{})
            given = 100000; // beyond any double either way
        exponent += down ? -given : given;
    }
    const double scale = std::pow(10.0, std::abs(exponent));
    return exponent < 0 ? static_cast<double>(mantissa) / scale : static_cast<double>(mantissa) * scale;
}
#endif

} // namespace

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
#else
    value = DecimalValue(text);
    if (!std::isfinite(value))
        RaiseError(Overflow);
#endif
    return negative ? -value : value;
}

} // namespace velmora::host
