#pragma once

// What the picture player draws with: a few primitives in the target's own coordinates. Each front
// end implements them on its drawing surface (a QPainter, a Windows device context, a canvas).

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace velmora {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// A colour stored as 0x00BBGGRR, as windows and metafiles keep them.
constexpr Rgb RgbFromStored(std::uint32_t bgr)
{
    return {static_cast<std::uint8_t>(bgr & 0xFFU), static_cast<std::uint8_t>((bgr >> 8U) & 0xFFU),
            static_cast<std::uint8_t>((bgr >> 16U) & 0xFFU)};
}

struct Point {
    double x = 0;
    double y = 0;

    friend constexpr bool operator==(Point, Point) = default;
};

struct Rect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    friend constexpr bool operator==(Rect, Rect) = default;
};

enum class Dashes { Solid, Dash, Dot, DashDot, DashDotDot };

// A styled line's dashes and gaps, in multiples of the line's width, as Windows draws its styled
// pens: every painter draws these; none for a solid line.
inline std::span<const double> DashPattern(Dashes dashes)
{
    static constexpr std::array kDash{6.0, 2.0};
    static constexpr std::array kDot{1.0, 1.0};
    static constexpr std::array kDashDot{6.0, 2.0, 1.0, 2.0};
    static constexpr std::array kDashDotDot{6.0, 2.0, 1.0, 2.0, 1.0, 2.0};
    switch (dashes) {
    case Dashes::Dash:
        return kDash;
    case Dashes::Dot:
        return kDot;
    case Dashes::DashDot:
        return kDashDot;
    case Dashes::DashDotDot:
        return kDashDotDot;
    case Dashes::Solid:
        break;
    }
    return {};
}

// A line drawn centred on its path, with round caps and joins.
struct Stroke {
    Rgb colour;
    double width = 1;
    Dashes dashes = Dashes::Solid;
    std::optional<Rgb> gaps; // what shows between the dashes; none leaves them clear

    friend constexpr bool operator==(const Stroke &, const Stroke &) = default;
};

class Painter {
  public:
    Painter() = default;
    Painter(const Painter &) = delete;
    Painter &operator=(const Painter &) = delete;
    virtual ~Painter() = default;

    // The ellipse that fits `box`, filled and then outlined, each only when given.
    virtual void Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline) = 0;
    // An open line through `points`, stroked only.
    virtual void Polyline(std::span<const Point> points, const Stroke &stroke) = 0;
};

} // namespace velmora
