// Playing a checked metafile through a Painter, its bounding box stretched over the target.

#include "picture/metafile_records.h"
#include "picture/picture.h"

#include <algorithm>
#include <cmath>
#include <variant>
#include <vector>

namespace velmora {

namespace {

struct Pen {
    std::uint16_t style = wmf::PenSolid;
    double width = 0; // logical units; 0 is one device pixel
    Rgb colour;
};

struct Brush {
    bool hollow = false;
    Rgb colour{255, 255, 255};
};

struct DrawingState {
    Point windowOrigin;
    Point windowExtent;
    Rgb background{255, 255, 255};
    bool opaque = true;
    Pen pen;
    Brush brush;
};

using DrawingObject = std::variant<std::monostate, Pen, Brush>;

Rgb ColourAt(const MetafileRecord &record, std::size_t index)
{
    return RgbFromStored(record.Word(index) | (static_cast<std::uint32_t>(record.Word(index + 1)) << 16U));
}

Dashes DashesOf(std::uint16_t style)
{
    switch (style) {
    case wmf::PenDash:
        return Dashes::Dash;
    case wmf::PenDot:
        return Dashes::Dot;
    case wmf::PenDashDot:
        return Dashes::DashDot;
    case wmf::PenDashDotDot:
        return Dashes::DashDotDot;
    default:
        return Dashes::Solid;
    }
}

class Player {
  public:
    Player(Painter &painter, const Rect &target, double pixelRatio, const MetafileBounds &bounds)
        : painter_(painter), target_(target), devicePixel_(1.0 / pixelRatio)
    {
        state_.windowOrigin = {static_cast<double>(bounds.left), static_cast<double>(bounds.top)};
        state_.windowExtent = {static_cast<double>(bounds.right - bounds.left),
                               static_cast<double>(bounds.bottom - bounds.top)};
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
            state_.windowOrigin = {static_cast<double>(record.Param(1)), static_cast<double>(record.Param(0))};
            break;
        case wmf::SetWindowExt:
            state_.windowExtent = {static_cast<double>(record.Param(1)), static_cast<double>(record.Param(0))};
            break;
        case wmf::SetBkColor:
            state_.background = ColourAt(record, 0);
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
    Painter &painter_;
    Rect target_;
    double devicePixel_;
    DrawingState state_;
    std::vector<DrawingState> saved_;
    std::vector<DrawingObject> objects_;
    std::vector<Point> points_; // reused from one polyline to the next

    [[nodiscard]] Point Map(double x, double y) const
    {
        return {target_.left + (x - state_.windowOrigin.x) * target_.width / state_.windowExtent.x,
                target_.top + (y - state_.windowOrigin.y) * target_.height / state_.windowExtent.y};
    }

    // A pen's width on the target: scaled like the x axis, and never thinner than one device pixel.
    [[nodiscard]] double PenWidth() const
    {
        const double scale = std::abs(target_.width / state_.windowExtent.x);
        return std::max(state_.pen.width * scale, devicePixel_);
    }

    [[nodiscard]] std::optional<Stroke> CurrentStroke() const
    {
        if (state_.pen.style == wmf::PenNull)
            return std::nullopt;
        return Stroke{state_.pen.colour, PenWidth(), DashesOf(state_.pen.style),
                      state_.opaque ? std::optional(state_.background) : std::nullopt};
    }

    // A new object takes the lowest free slot; the reader made sure there is one.
    void Create(const DrawingObject &object)
    {
        *std::find_if(objects_.begin(), objects_.end(), [](const DrawingObject &slot) { return slot.index() == 0; }) =
            object;
    }

    void Select(const DrawingObject &object)
    {
        if (const auto *pen = std::get_if<Pen>(&object))
            state_.pen = *pen;
        else if (const auto *brush = std::get_if<Brush>(&object))
            state_.brush = *brush;
    }

    void DrawEllipse(int left, int top, int right, int bottom)
    {
        const Point a = Map(left, top);
        const Point b = Map(right, bottom);
        Rect box{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
        if (state_.pen.style == wmf::PenInsideFrame) { // the outline stays inside the box
            const double half = std::min({PenWidth(), box.width, box.height}) / 2;
            box = {box.left + half, box.top + half, box.width - 2 * half, box.height - 2 * half};
        }
        painter_.Ellipse(box, state_.brush.hollow ? std::nullopt : std::optional(state_.brush.colour), CurrentStroke());
    }

    void DrawPolyline(const MetafileRecord &record)
    {
        const auto stroke = CurrentStroke();
        if (!stroke)
            return;
        const std::size_t count = record.Word(0);
        points_.clear();
        for (std::size_t i = 0; i < count; ++i)
            points_.push_back(Map(record.Param(1 + 2 * i), record.Param(2 + 2 * i)));
        painter_.Polyline(points_, *stroke); // polylines are stroked only
    }
};

} // namespace

void Metafile::Play(Painter &painter, const Rect &target, double pixelRatio) const
{
    Player player(painter, target, pixelRatio > 0 ? pixelRatio : 1.0, bounds_);
    player.SetObjectSlots(objectSlots_);
    for (const MetafileRecord &record : records_)
        player.Do(record);
}

} // namespace velmora
