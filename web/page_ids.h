#pragma once

// The ids of the page's own elements around the form, named here once: the page's template, script
// and style have them from the build (make_page.mjs fills them in), the form from this header. The
// form's own elements have their ids from the window's description.

#include <string_view>

namespace velmora::page_id {

inline constexpr std::string_view Fit = "Fit";               // the box that fits the form to the screen
inline constexpr std::string_view Said = "said";             // the live region in the form that says a win
inline constexpr std::string_view Ended = "ended";           // the line that says the game has ended
inline constexpr std::string_view Missing = "missing";       // the line that says WebAssembly is missing
inline constexpr std::string_view Failed = "failed";         // the line that says the game could not start
inline constexpr std::string_view Module = "velmora-module"; // the one-file page's module, as base64
inline constexpr std::string_view Start = "velmora-start";   // the script that starts the game

} // namespace velmora::page_id
