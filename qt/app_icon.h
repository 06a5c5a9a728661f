#pragma once

// The window's icon: the gold coin in the sizes a title bar and a task bar show.

#include <QIcon>

#include <array>

namespace velmora {

// One size of the window icon: size x size pixels of 8-bit RGBA.
struct IconPixels {
    int size;
    const unsigned char *rgba;
};
extern const std::array<IconPixels, 4> kIconPixels;

QIcon AppIcon();

} // namespace velmora
