// The metafile player on a painter that records its calls, in the target's coordinates.

#include "picture/metafile_records.h"
#include "picture/picture.h"
#include "tests/core/win_picture.h"

#include <doctest/doctest.h>

#include <cmath>
#include <initializer_list>
#include <vector>

namespace wmf = velmora::wmf;
using velmora::Dashes;
using velmora::Metafile;
using velmora::Point;
using velmora::Rect;
using velmora::Rgb;
using velmora::Stroke;

namespace {

struct Call {
    Rect box;                  // an ellipse's
    std::vector<Point> points; // a polyline's
    std::optional<Rgb> fill;
    std::optional<Stroke> stroke;
};

struct Recording {
    std::vector<Call> ellipses;
    std::vector<Call> polylines;
};

class RecordingPainter final : public velmora::Painter {
  public:
    Recording calls;

    void Ellipse(const Rect &box, const std::optional<Rgb> &fill, const std::optional<Stroke> &outline) override
    {
        calls.ellipses.push_back({box, {}, fill, outline});
    }
    void Polyline(std::span<const Point> points, const Stroke &stroke) override
    {
        calls.polylines.push_back({{}, {points.begin(), points.end()}, std::nullopt, stroke});
    }
};

Recording Played(const Metafile &file, Rect target, double ratio = 1.0)
{
    RecordingPainter painter;
    file.Play(painter, target, ratio);
    return painter.calls;
}

// A placeable metafile of the given records (function, then parameters) over the box (0, 0)-(100, 50).
std::vector<std::uint8_t> Compose(std::initializer_list<std::vector<std::uint16_t>> records, std::uint16_t slots)
{
    std::vector<std::uint16_t> words{0xCDD7, 0x9AC6, 0, 0, 0, 100, 50, 100, 0, 0, 0};
    for (std::size_t i = 0; i < 10; ++i)
        words[10] ^= words[i];
    std::vector<std::uint16_t> body;
    std::uint32_t largest = 3;
    for (auto record : records) {
        const auto size = static_cast<std::uint32_t>(record.size() + 2);
        largest = std::max(largest, size);
        body.insert(body.end(), {static_cast<std::uint16_t>(size), 0});
        body.insert(body.end(), record.begin(), record.end());
    }
    body.insert(body.end(), {3, 0, wmf::EndOfFile});
    const auto total = static_cast<std::uint32_t>(9 + body.size());
    words.insert(words.end(),
                 {1, 9, wmf::kVersion3, static_cast<std::uint16_t>(total & 0xFFFFU),
                  static_cast<std::uint16_t>(total >> 16U), slots, static_cast<std::uint16_t>(largest), 0, 0});
    words.insert(words.end(), body.begin(), body.end());
    std::vector<std::uint8_t> bytes;
    for (const std::uint16_t word : words)
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(word & 0xFFU), static_cast<std::uint8_t>(word >> 8U)});
    return bytes;
}

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

} // namespace

TEST_CASE("the win picture is drawn as eleven coins stretched over the target")
{
    const Rect target{10, 20, 425, 185};
    const Recording painter = Played(Picture(), target);
    REQUIRE(painter.ellipses.size() == 33);
    REQUIRE(painter.polylines.size() == 88); // the clean-up's null pen draws nothing

    // Logical units to the target: x and y scaled apart, the outline six units wide, kept inside the box.
    const auto x = [&](double unit) { return target.left + (unit - 34) * 425 / 2176; };
    const auto y = [&](double unit) { return target.top + (unit - 15) * 185 / 1741; };
    const double pen = 6.0 * 425 / 2176;
    const Stroke outline{kBlack, pen, Dashes::Solid, kWhite};
    const auto inside = [&](double left, double top, double right, double bottom) {
        return Rect{x(left) + pen / 2, y(top) + pen / 2, x(right) - x(left) - pen, y(bottom) - y(top) - pen};
    };
    const auto near = [](const Rect &a, const Rect &b) {
        return std::abs(a.left - b.left) < 1e-9 && std::abs(a.top - b.top) < 1e-9 && std::abs(a.width - b.width) < 1e-9
               && std::abs(a.height - b.height) < 1e-9;
    };

    for (std::size_t coin = 0; coin < 11; ++coin) {
        CAPTURE(coin);
        const Call &rim = painter.ellipses.at(3 * coin);
        const Call &face = painter.ellipses.at(3 * coin + 1);
        const Call &ring = painter.ellipses.at(3 * coin + 2);
        CHECK(rim.fill == Rgb{191, 127, 0});
        CHECK(face.fill == Rgb{255, 159, 0});
        CHECK_FALSE(ring.fill.has_value());
        for (const Call *call : {&rim, &face, &ring})
            CHECK(call->stroke == outline);
        for (std::size_t line = 0; line < 8; ++line)
            CHECK(painter.polylines.at(8 * coin + line).stroke == outline);
    }
    // Coin 9, the top of the stack, anchored at (1203, 82).
    CHECK(near(painter.ellipses.at(24).box, inside(1203, 82, 2178, 456)));
    CHECK(near(painter.ellipses.at(25).box, inside(1201, 17, 2176, 390)));
    const Call &emblem = painter.polylines.at(8 * 8 + 7);
    REQUIRE(emblem.points.size() == 28);
    CHECK(emblem.points.front().x == doctest::Approx(x(1203 + 514)));
    CHECK(emblem.points.front().y == doctest::Approx(y(82 + 24)));
    CHECK(emblem.points.back() == emblem.points.front());
}

TEST_CASE("outlines are never thinner than one device pixel")
{
    struct Row {
        double width;
        double ratio;
        double expected;
    };
    const std::vector<Row> rows{
        {425, 1, 6.0 * 425 / 2176}, // thicker than a pixel already
        {106, 1, 1.0},              // 0.29 pixels would vanish
        {106, 2, 0.5},              // one device pixel at twice the density
        {2176, 4, 6.0},
    };
    for (const Row &row : rows) {
        CAPTURE(row.width);
        CAPTURE(row.ratio);
        const Recording painter = Played(Picture(), {0, 0, row.width, row.width / 2}, row.ratio);
        CHECK(painter.ellipses.front().stroke->width == doctest::Approx(row.expected));
        CHECK(painter.polylines.front().stroke->width == doctest::Approx(row.expected));
    }
}

TEST_CASE("saved states, pen styles and the background mode reach the painter")
{
    // The box (0, 0)-(100, 50) on a 200 x 100 target: two pixels a unit.
    const auto bytes = Compose(
        {
            {wmf::CreatePenIndirect, wmf::PenDash, 3, 0, 0x00FF, 0x0000}, // red, dashed, 3 units
            {wmf::SelectObject, 0},
            {wmf::CreateBrushIndirect, wmf::BrushSolid, 0xFF00, 0x0000, 0}, // green
            {wmf::SelectObject, 1},
            {wmf::SaveDc},
            {wmf::SetWindowExt, 25, 50}, // now four pixels a unit
            {wmf::SetBkMode, wmf::Transparent},
            {wmf::Ellipse, 10, 10, 0, 0},
            {wmf::RestoreDc, 0xFFFF}, // -1: back to two pixels a unit, opaque
            {wmf::Ellipse, 10, 10, 0, 0},
            {wmf::Polyline, 2, 0, 0, 10, 5},
            {wmf::CreatePenIndirect, wmf::PenNull, 0, 0, 0, 0},
            {wmf::SelectObject, 2},
            {wmf::Polyline, 2, 0, 0, 10, 5}, // a null pen draws no line
            {wmf::Ellipse, 10, 10, 0, 0},    // and no outline
        },
        3);
    const auto read = Metafile::Read(bytes);
    REQUIRE(std::holds_alternative<Metafile>(read));
    const Recording painter = Played(std::get<Metafile>(read), {0, 0, 200, 100});

    constexpr Rgb kRed{255, 0, 0};
    constexpr Rgb kGreen{0, 255, 0};
    REQUIRE(painter.ellipses.size() == 3);
    CHECK(painter.ellipses[0].box == Rect{0, 0, 40, 40}); // a dashed pen is centred on the outline
    CHECK(painter.ellipses[0].fill == kGreen);
    CHECK(painter.ellipses[0].stroke == Stroke{kRed, 12, Dashes::Dash, std::nullopt});
    CHECK(painter.ellipses[1].box == Rect{0, 0, 20, 20});
    CHECK(painter.ellipses[1].stroke == Stroke{kRed, 6, Dashes::Dash, kWhite});
    CHECK_FALSE(painter.ellipses[2].stroke.has_value());
    CHECK(painter.ellipses[2].fill == kGreen);
    REQUIRE(painter.polylines.size() == 1);
    CHECK(painter.polylines[0].points == std::vector<Point>{{0, 0}, {20, 10}});
}
