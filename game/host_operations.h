#pragma once

// The handful of run-time operations the game leans on: conversions, floor, the
// floating-point status and the errors, with the host's German messages.

#include <exception>
#include <string>
#include <string_view>
#include <type_traits>

namespace velmora::host {

enum ErrorNumber : int {
    Overflow = 6,
    TypeMismatch = 13,
    MethodFailed = 440,
};

[[noreturn]] void RaiseError(ErrorNumber number);
[[noreturn]] void RaiseCallFailed(std::string_view interfaceName, std::string_view operation);

double Floor(double value);
std::string NumberToText(float value);
// The numeric value of a caption; raises TypeMismatch for text that is no number.
double TextToNumber(std::string_view text);

void ClearFloatingPointStatus();
// Raises Overflow when the status shows an invalid operation, a division by zero or an overflow.
void CheckFloatingPointStatus();

// Makes one call on the game's view. A failure comes back as an Error naming the
// view and the operation; the floating-point status is cleared afterwards.
template <typename Call> auto CheckedViewCall(std::string_view operation, Call &&call) -> decltype(call())
{
    try {
        if constexpr (std::is_void_v<decltype(call())>) {
            call();
            ClearFloatingPointStatus();
        } else {
            auto result = call();
            ClearFloatingPointStatus();
            return result;
        }
    } catch (const std::exception &) {
        RaiseCallFailed("GameView", operation);
    }
}

} // namespace velmora::host
