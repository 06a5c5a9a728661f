// Playing a checked metafile onto a QPainter, its bounding box stretched over the target.

#include "picture/metafile_records.h"
#include "picture/picture.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <variant>

namespace velmora {

namespace {

struct Pen {
    std::uint16_t style = wmf::PenSolid;
    double width = 0; // logical units; 0 is one device pixel
    QColor colour = Qt::black;
};

struct Brush {
    bool hollow = false;
    QColor colour = Qt::white;
};

struct DrawingState {
    QPointF windowOrigin;
    QSizeF windowExtent;
    QColor background = Qt::white;
    QColor text = Qt::black;
    bool opaque = true;
    Pen pen;
    Brush brush;
};

using DrawingObject = std::variant<std::monostate, Pen, Brush>;

QColor ColourAt(const MetafileRecord &record, std::size_t index)
{
    const std::uint16_t redGreen = record.Word(index);
    const std::uint16_t blue = record.Word(index + 1);
    return {static_cast<int>(redGreen & 0xFFU), static_cast<int>(redGreen >> 8U), static_cast<int>(blue & 0xFFU)};
}

Qt::PenStyle ToQtStyle(std::uint16_t style)
{
    switch (style) {
    case wmf::PenDash:
        return Qt::DashLine;
    case wmf::PenDot:
        return Qt::DotLine;
    case wmf::PenDashDot:
        return Qt::DashDotLine;
    case wmf::PenDashDotDot:
        return Qt::DashDotDotLine;
    case wmf::PenNull:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

class Player {
  public:
    Player(QPainter &painter, const QRectF &target, const MetafileBounds &bounds)
        : painter_(painter), target_(target),
          devicePixel_(1.0 / (painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0))
    {
        state_.windowOrigin = QPointF(bounds.left, bounds.top);
        state_.windowExtent = QSizeF(bounds.right - bounds.left, bounds.bottom - bounds.top);
    }

    void SetObjectSlots(std::size_t count) { objects_.assign(count, DrawingObject{}); }

    void Do(const MetafileRecord &record)
    {
        switch (record.function) {
        case wmf::SaveDc:
            saved_.push_back(state_);
            break;
        case wmf::RestoreDc: {
            const int which = record.Param(0);
            const auto keep = static_cast<std::size_t>(which < 0 ? static_cast<int>(saved_.size()) + which : which - 1);
            state_ = saved_.at(keep);
            saved_.resize(keep);
            break;
        }
        case wmf::SetWindowOrg:
            state_.windowOrigin = QPointF(record.Param(1), record.Param(0));
            break;
        case wmf::SetWindowExt:
            state_.windowExtent = QSizeF(record.Param(1), record.Param(0));
            break;
        case wmf::SetBkColor:
            state_.background = ColourAt(record, 0);
            break;
        case wmf::SetTextColor:
            state_.text = ColourAt(record, 0);
            break;
        case wmf::SetBkMode:
            state_.opaque = record.Word(0) == wmf::Opaque;
            break;
        case wmf::CreatePenIndirect:
            Create(Pen{record.Word(0), static_cast<double>(record.Param(1)), ColourAt(record, 3)});
            break;
        case wmf::CreateBrushIndirect:
            Create(Brush{record.Word(0) == wmf::BrushNull, ColourAt(record, 1)});
            break;
        case wmf::SelectObject:
            Select(objects_.at(record.Word(0)));
            break;
        case wmf::DeleteObject:
            objects_.at(record.Word(0)) = std::monostate{};
            break;
        case wmf::Ellipse:
            DrawEllipse(record.Param(3), record.Param(2), record.Param(1), record.Param(0));
            break;
        case wmf::Polyline:
            DrawPolyline(record);
            break;
        default: // the mapping mode, raster operation, fill and stretch modes change nothing drawn here
            break;
        }
    }

  private:
    QPainter &painter_;
    QRectF target_;
    double devicePixel_;
    DrawingState state_;
    std::vector<DrawingState> saved_;
    std::vector<DrawingObject> objects_;

    [[nodiscard]] QPointF Map(double x, double y) const
    {
        return {target_.left() + (x - state_.windowOrigin.x()) * target_.width() / state_.windowExtent.width(),
                target_.top() + (y - state_.windowOrigin.y()) * target_.height() / state_.windowExtent.height()};
    }

    // A pen's width on the target: scaled like the x axis, and never thinner than one device pixel.
    [[nodiscard]] double PenWidth() const
    {
        const double scale = std::abs(target_.width() / state_.windowExtent.width());
        return std::max(state_.pen.width * scale, devicePixel_);
    }

    // A new object takes the lowest free slot; the reader made sure there is one.
    void Create(const DrawingObject &object)
    {
        *std::ranges::find_if(objects_, [](const DrawingObject &slot) { return slot.index() == 0; }) = object;
    }

    void Select(const DrawingObject &object)
    {
        if (const auto *pen = std::get_if<Pen>(&object))
            state_.pen = *pen;
        else if (const auto *brush = std::get_if<Brush>(&object))
            state_.brush = *brush;
    }

    void UsePen()
    {
        QPen pen(state_.pen.colour, PenWidth(), ToQtStyle(state_.pen.style), Qt::RoundCap, Qt::RoundJoin);
        painter_.setPen(pen);
        painter_.setBackgroundMode(state_.opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_.setBackground(state_.background);
    }

    void DrawEllipse(int left, int top, int right, int bottom)
    {
        QRectF box = QRectF(Map(left, top), Map(right, bottom)).normalized();
        UsePen();
        if (state_.pen.style == wmf::PenInsideFrame) { // the outline stays inside the box
            const double half = std::min({PenWidth(), box.width(), box.height()}) / 2;
            box.adjust(half, half, -half, -half);
        }
        painter_.setBrush(state_.brush.hollow ? QBrush(Qt::NoBrush) : QBrush(state_.brush.colour));
        painter_.drawEllipse(box);
    }

    void DrawPolyline(const MetafileRecord &record)
    {
        const std::size_t count = record.Word(0);
        QPolygonF points;
        points.reserve(static_cast<qsizetype>(count));
        for (std::size_t i = 0; i < count; ++i)
            points << Map(record.Param(1 + 2 * i), record.Param(2 + 2 * i));
        UsePen();
        painter_.setBrush(Qt::NoBrush); // polylines are stroked only
        painter_.drawPolyline(points);
    }
};

} // namespace

void Metafile::Play(QPainter &painter, const QRectF &target) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Player player(painter, target, bounds_);
    player.SetObjectSlots(objectSlots_);
    for (const MetafileRecord &record : records_)
        player.Do(record);
    painter.restore();
}

} // namespace velmora
