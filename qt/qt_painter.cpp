#include "qt/qt_painter.h"

#include <QPaintDevice>
#include <QPainter>

namespace velmora {

namespace {

QColor ToQColor(Rgb colour)
{
    return {colour.red, colour.green, colour.blue};
}

} // namespace

void QtPainter::UseStroke(const std::optional<Stroke> &stroke)
{
    if (!stroke) {
        painter_.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(stroke->colour), stroke->width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (const std::span<const double> dashes = DashPattern(stroke->dashes); !dashes.empty())
        pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end())); // in the pen's widths, as the pattern
    painter_.setPen(pen);
    painter_.setBackgroundMode(stroke->gaps ? Qt::OpaqueMode : Qt::TransparentMode);
    if (stroke->gaps)
        painter_.setBackground(ToQColor(*stroke->gaps));
}

void QtPainter::Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline)
{
    UseStroke(outline);
    painter_.setBrush(fill ? QBrush(ToQColor(*fill)) : QBrush(Qt::NoBrush));
    painter_.drawEllipse(QRectF(box.left, box.top, box.width, box.height));
}

void QtPainter::Polyline(std::span<const Point> points, const Stroke &stroke)
{
    UseStroke(stroke);
    painter_.setBrush(Qt::NoBrush);
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(points.size()));
    for (const Point &point : points)
        line << QPointF(point.x, point.y);
    painter_.drawPolyline(line);
}

void PlayPicture(const Metafile &picture, QPainter &painter, const QRectF &target)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QtPainter adapter(painter);
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    picture.Play(adapter, {target.left(), target.top(), target.width(), target.height()}, ratio);
    painter.restore();
}

} // namespace velmora
