#include "web/canvas_painter.h"

#include "web/page.h"

#include <algorithm>
#include <vector>

namespace velmora {

namespace {

int Packed(Rgb colour)
{
    return (colour.red << 16) | (colour.green << 8) | colour.blue;
}

// Strokes the current path; the gaps of a dashed line are filled first where the stroke asks.
void StrokePath(const Stroke &stroke)
{
    std::vector<double> dashes;
    for (const double length : DashPattern(stroke.dashes))
        dashes.push_back(length * stroke.width);
    if (stroke.gaps && !dashes.empty())
        velmora_canvas_stroke(stroke.width, Packed(*stroke.gaps), nullptr, 0);
    velmora_canvas_stroke(stroke.width, Packed(stroke.colour), dashes.data(), static_cast<int>(dashes.size()));
}

} // namespace

void CanvasPainter::Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline)
{
    velmora_canvas_ellipse(box.left + box.width / 2, box.top + box.height / 2, std::max(box.width / 2, 0.0),
                           std::max(box.height / 2, 0.0));
    if (fill)
        velmora_canvas_fill(Packed(*fill));
    if (outline)
        StrokePath(*outline);
}

void CanvasPainter::Polyline(std::span<const Point> points, const Stroke &stroke)
{
    if (points.empty())
        return;
    static_assert(sizeof(Point) == 2 * sizeof(double), "a point is its two coordinates, side by side");
    velmora_canvas_polyline(&points.front().x, static_cast<int>(points.size()));
    StrokePath(stroke);
}

} // namespace velmora
