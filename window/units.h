#pragma once

// The description's stored values as a screen shows them: twips and font sizes to pixels at any
// density. (Its colours, stored as 0x00BBGGRR, are the picture's too: RgbFromStored reads both.)

#include "picture/painter.h"

#include <cstdint>

namespace velmora {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kStandardDpi = 96;
inline constexpr int kTwipsPerPixel = kTwipsPerInch / kStandardDpi; // 15 at the standard density

// Twips to whole pixels at `dpi` dots per inch, the nearest pixel, halves away from zero.
constexpr int TwipsToPixels(int twips, int dpi = kStandardDpi)
{
    const std::int64_t scaled = std::int64_t{twips} * dpi;
    const std::int64_t half = kTwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : (scaled - half) / kTwipsPerInch);
}

// A font size stored in ten-thousandths of a point.
constexpr double FontSizeToPoints(std::int32_t size)
{
    return size / 10000.0;
}

constexpr double FontSizeToPixels(std::int32_t size, int dpi = kStandardDpi)
{
    return FontSizeToPoints(size) * dpi / kPointsPerInch;
}

} // namespace velmora
