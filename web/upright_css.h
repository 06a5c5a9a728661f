#pragma once

#include <string>

namespace velmora {

// The upright arrangement: on a screen taller than wide where the described form would show at
// under three quarters of its size (a phone held upright, a narrow window), the same controls stand
// in one column for a thumb: the game's name, the digit boxes side by side as the form shows them,
// the picture across the width (its place kept while it is hidden), then the two buttons across it.
//
// Its style sheet, a media query that the page's style holds after the described form's.
std::string UprightCss();

} // namespace velmora
