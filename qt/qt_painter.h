#pragma once

#include "picture/picture.h"

class QPainter;
class QRectF;

namespace velmora {

// The picture player's painter on a QPainter, antialiased.
class QtPainter final : public Painter {
  public:
    explicit QtPainter(QPainter &painter) : painter_(painter) {}

    void Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline) override;
    void Polyline(std::span<const Point> points, const Stroke &stroke) override;

  private:
    QPainter &painter_;

    void UseStroke(const std::optional<Stroke> &stroke);
};

// Draws `picture` stretched over `target` at the painter's device resolution; the painter's own
// settings are as they were afterwards.
void PlayPicture(const Metafile &picture, QPainter &painter, const QRectF &target);

} // namespace velmora
