#pragma once

// The numbers by which the form and the page know the page's elements (page.h): the controls by
// their place in the creation order, then the form itself, the live region inside it that says a
// win, and the page's line below the form that says the game has ended.

#include "window/window_description.h"

#include <cstddef>

namespace velmora {

constexpr int Element(std::size_t control)
{
    return static_cast<int>(control);
}

namespace element {
inline constexpr int Form = Element(WindowDescription.controls.size());
inline constexpr int Said = Form + 1;  // a live region that says a win
inline constexpr int Ended = Form + 2; // the line that says reloading starts a new game
} // namespace element

} // namespace velmora
