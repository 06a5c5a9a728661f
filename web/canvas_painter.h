#pragma once

#include "picture/painter.h"

#include <emscripten/val.h>

namespace velmora {

// The picture player's painter on a canvas 2D context.
class CanvasPainter final : public Painter {
  public:
    explicit CanvasPainter(emscripten::val context);

    void Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline) override;
    void Polyline(std::span<const Point> points, const Stroke &stroke) override;

  private:
    emscripten::val context_;

    void StrokePath(const Stroke &stroke);
};

} // namespace velmora
