#pragma once

#include "picture/painter.h"

namespace velmora {

// The picture player's painter on the canvas the page has made ready (velmora_canvas_begin).
class CanvasPainter final : public Painter {
  public:
    void Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline) override;
    void Polyline(std::span<const Point> points, const Stroke &stroke) override;
};

} // namespace velmora
