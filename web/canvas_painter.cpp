#include "web/canvas_painter.h"

#include "web/css.h"

#include <algorithm>
#include <array>
#include <numbers>
#include <string>

using emscripten::val;

namespace velmora {

namespace {

// The dash pattern in multiples of the line's width, as Windows draws its styled pens.
std::span<const double> Pattern(Dashes dashes)
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

} // namespace

CanvasPainter::CanvasPainter(val context) : context_(std::move(context))
{
    context_.set("lineCap", "round");
    context_.set("lineJoin", "round");
}

// Strokes the current path; the gaps of a dashed line are filled first where the stroke asks.
void CanvasPainter::StrokePath(const Stroke &stroke)
{
    context_.set("lineWidth", stroke.width);
    val dashes = val::array();
    for (const double length : Pattern(stroke.dashes))
        dashes.call<void>("push", length * stroke.width);
    if (stroke.gaps && stroke.dashes != Dashes::Solid) {
        context_.call<void>("setLineDash", val::array());
        context_.set("strokeStyle", Css(*stroke.gaps));
        context_.call<void>("stroke");
    }
    context_.call<void>("setLineDash", dashes);
    context_.set("strokeStyle", Css(stroke.colour));
    context_.call<void>("stroke");
}

void CanvasPainter::Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline)
{
    context_.call<void>("beginPath");
    context_.call<void>("ellipse", box.left + box.width / 2, box.top + box.height / 2, std::max(box.width / 2, 0.0),
                        std::max(box.height / 2, 0.0), 0, 0, 2 * std::numbers::pi);
    if (fill) {
        context_.set("fillStyle", Css(*fill));
        context_.call<void>("fill");
    }
    if (outline)
        StrokePath(*outline);
}

void CanvasPainter::Polyline(std::span<const Point> points, const Stroke &stroke)
{
    if (points.empty())
        return;
    context_.call<void>("beginPath");
    context_.call<void>("moveTo", points.front().x, points.front().y);
    for (const Point &point : points.subspan(1))
        context_.call<void>("lineTo", point.x, point.y);
    StrokePath(stroke);
}

} // namespace velmora
