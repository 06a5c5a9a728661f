#pragma once

// Who the program is: its name, version, desktop id and icon.

#include "resources/identity.h"

#include <QIcon>

#include <array>

namespace velmora {

// One size of the window icon: size x size pixels of 8-bit RGBA.
struct IconPixels {
    int size;
    const unsigned char *rgba;
};
extern const std::array<IconPixels, 4> kIconPixels;

// The gold coin, in the sizes a window's title bar and the task bar show.
QIcon AppIcon();

} // namespace velmora
