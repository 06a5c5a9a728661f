// Writes the win picture, a heap of eleven gold coins, as a placeable metafile:
//   make_win_picture OUTPUT.wmf
// Every coin is the one coin shape below, placed at its anchor (the top-left corner of its rim).

#include "picture/metafile_records.h"

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <vector>

namespace {

using velmora::wmf::Function;
namespace wmf = velmora::wmf;

struct Point {
    std::int16_t x;
    std::int16_t y;
};

struct Box {
    std::int16_t left;
    std::int16_t top;
    std::int16_t right;
    std::int16_t bottom;
};

struct Coin {
    Point anchor{};
    // How much further this coin's rim and face reach right and down than the plain shape: the
    // hand-placed coins at the edges of the heap touch the picture's frame.
    std::int16_t reachRight = 0;
    std::int16_t reachDown = 0;
};

constexpr Box kBounds{34, 15, 2210, 1756};
constexpr std::uint16_t kUnitsPerInch = 575;

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRimColour = 0x007FBF;  // RGB(191, 127, 0), stored as 0x00BBGGRR
constexpr std::uint32_t kFaceColour = 0x009FFF; // RGB(255, 159, 0)
constexpr std::int16_t kOutlineWidth = 6;

// The coin shape, relative to the anchor.
constexpr Box kRim{0, 0, 975, 374};
constexpr Box kFace{-2, -65, 973, 308};
constexpr Box kInnerRing{86, -38, 905, 275};
constexpr std::array<std::array<Point, 2>, 7> kEdgeMarks{{
    {{{3, 137}, {3, 181}}},
    {{{299, 296}, {299, 348}}},
    {{{490, 308}, {490, 362}}},
    {{{671, 298}, {671, 348}}},
    {{{861, 240}, {861, 292}}},
    {{{970, 127}, {970, 187}}},
    {{{130, 253}, {130, 305}}},
}};
constexpr std::array<Point, 28> kEmblem{{
    {514, 24},  {390, 13},  {290, 32},  {239, 71},  {231, 120}, {255, 162}, {288, 190},
    {308, 187}, {380, 228}, {392, 197}, {435, 216}, {494, 203}, {502, 156}, {550, 171},
    {563, 203}, {602, 235}, {684, 207}, {736, 166}, {741, 107}, {693, 68},  {554, 70},
    {535, 32},  {583, 70},  {644, 34},  {668, 24},  {631, -2},  {563, 8},   {514, 24},
}};

// In drawing order: the right-hand stack from the bottom up, then the two coins lying at the lower left.
constexpr std::array<Coin, 11> kCoins{{
    {{1203, 1054}},
    {{1075, 925}},
    {{1228, 853}, 2, 0},
    {{1191, 757}},
    {{1156, 618}},
    {{1145, 509}},
    {{1075, 361}},
    {{1191, 211}},
    {{1203, 82}},
    {{39, 1376}, 0, 1},
    {{192, 1279}},
}};

class MetafileWriter {
  public:
    void Record(Function function, std::initializer_list<std::int32_t> params)
    {
        const auto words = static_cast<std::uint32_t>(3 + params.size());
        Put32(words);
        Put16(function);
        for (const std::int32_t param : params)
            Put16(static_cast<std::uint16_t>(param));
        largestRecord_ = std::max(largestRecord_, words);
        ++count_;
    }

    void Polyline(const std::vector<Point> &points)
    {
        const auto words = static_cast<std::uint32_t>(4 + 2 * points.size());
        Put32(words);
        Put16(wmf::Polyline);
        Put16(static_cast<std::uint16_t>(points.size()));
        for (const Point point : points) {
            Put16(static_cast<std::uint16_t>(point.x));
            Put16(static_cast<std::uint16_t>(point.y));
        }
        largestRecord_ = std::max(largestRecord_, words);
        ++count_;
    }

    void Ellipse(Box box) { Record(wmf::Ellipse, {box.bottom, box.right, box.top, box.left}); }

    // The placeable header and the metafile header, followed by the records written so far.
    [[nodiscard]] std::vector<std::uint8_t> File(std::uint16_t objects) const
    {
        MetafileWriter head;
        const std::array<std::uint16_t, 10> placeable{static_cast<std::uint16_t>(wmf::kPlaceableKey & 0xFFFFU),
                                                      static_cast<std::uint16_t>(wmf::kPlaceableKey >> 16U),
                                                      0,
                                                      static_cast<std::uint16_t>(kBounds.left),
                                                      static_cast<std::uint16_t>(kBounds.top),
                                                      static_cast<std::uint16_t>(kBounds.right),
                                                      static_cast<std::uint16_t>(kBounds.bottom),
                                                      kUnitsPerInch,
                                                      0,
                                                      0};
        std::uint16_t checksum = 0;
        for (const std::uint16_t word : placeable) {
            head.Put16(word);
            checksum ^= word;
        }
        head.Put16(checksum);
        head.Put16(1); // held in memory
        head.Put16(wmf::kHeaderWords);
        head.Put16(wmf::kVersion3);
        head.Put32(static_cast<std::uint32_t>(wmf::kHeaderWords + bytes_.size() / 2));
        head.Put16(objects);
        head.Put32(largestRecord_);
        head.Put16(0);
        std::vector<std::uint8_t> file = head.bytes_;
        file.insert(file.end(), bytes_.begin(), bytes_.end());
        return file;
    }

    [[nodiscard]] int Count() const { return count_; }

  private:
    std::vector<std::uint8_t> bytes_;
    std::uint32_t largestRecord_ = 0;
    int count_ = 0;

    void Put16(std::uint16_t value)
    {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFFU));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8U));
    }
    void Put32(std::uint32_t value)
    {
        Put16(static_cast<std::uint16_t>(value & 0xFFFFU));
        Put16(static_cast<std::uint16_t>(value >> 16U));
    }
};

std::int32_t Low(std::uint32_t colour)
{
    return static_cast<std::int32_t>(colour & 0xFFFFU);
}

std::int32_t High(std::uint32_t colour)
{
    return static_cast<std::int32_t>(colour >> 16U);
}

Box Placed(Box shape, const Coin &coin, bool reaches)
{
    return {static_cast<std::int16_t>(coin.anchor.x + shape.left), static_cast<std::int16_t>(coin.anchor.y + shape.top),
            static_cast<std::int16_t>(coin.anchor.x + shape.right + (reaches ? coin.reachRight : 0)),
            static_cast<std::int16_t>(coin.anchor.y + shape.bottom + (reaches ? coin.reachDown : 0))};
}

Point Placed(Point shape, const Coin &coin)
{
    return {static_cast<std::int16_t>(coin.anchor.x + shape.x), static_cast<std::int16_t>(coin.anchor.y + shape.y)};
}

// Object slots as the coins use them: the pen and the hollow brush stay, the two coloured
// brushes come and go with each coin.
constexpr int kPenSlot = 0;
constexpr int kHollowSlot = 1;

void DrawCoin(MetafileWriter &out, const Coin &coin, bool first)
{
    // The first coin makes the pen and finds slot 1 free for its rim brush; later coins find 2.
    const int rimSlot = first ? 1 : 2;
    const int faceSlot = rimSlot + 1;
    if (first) {
        out.Record(wmf::CreatePenIndirect, {wmf::PenInsideFrame, kOutlineWidth, 0, Low(kBlack), High(kBlack)});
        out.Record(wmf::SelectObject, {kPenSlot});
    }
    out.Record(wmf::CreateBrushIndirect, {wmf::BrushSolid, Low(kRimColour), High(kRimColour), 0});
    out.Record(wmf::SelectObject, {rimSlot});
    out.Ellipse(Placed(kRim, coin, true));
    out.Record(wmf::CreateBrushIndirect, {wmf::BrushSolid, Low(kFaceColour), High(kFaceColour), 0});
    out.Record(wmf::SelectObject, {faceSlot});
    out.Record(wmf::DeleteObject, {rimSlot});
    out.Ellipse(Placed(kFace, coin, true));
    for (const auto &mark : kEdgeMarks)
        out.Polyline({Placed(mark[0], coin), Placed(mark[1], coin)});
    std::vector<Point> emblem;
    emblem.reserve(kEmblem.size());
    for (const Point point : kEmblem)
        emblem.push_back(Placed(point, coin));
    out.Polyline(emblem);
    if (first)
        out.Record(wmf::CreateBrushIndirect, {wmf::BrushNull, 0, 0, 0});
    out.Record(wmf::SelectObject, {kHollowSlot});
    out.Record(wmf::DeleteObject, {faceSlot});
    out.Ellipse(Placed(kInnerRing, coin, false));
}

std::vector<std::uint8_t> WinPicture()
{
    MetafileWriter out;
    out.Record(wmf::SaveDc, {});
    out.Record(wmf::SetWindowOrg, {kBounds.top, kBounds.left});
    out.Record(wmf::SetWindowExt, {kBounds.bottom - kBounds.top, kBounds.right - kBounds.left});
    out.Record(wmf::SaveDc, {});
    out.Record(wmf::SetMapMode, {wmf::MapAnisotropic});
    out.Record(wmf::SetBkColor, {Low(kWhite), High(kWhite)});
    out.Record(wmf::SetTextColor, {Low(kBlack), High(kBlack)});
    out.Record(wmf::SetStretchBltMode, {3}); // colour on colour
    out.Record(wmf::SetRop2, {wmf::kRopCopyPen});
    out.Record(wmf::SetPolyFillMode, {1}); // alternate
    out.Record(wmf::SetBkMode, {wmf::Opaque});
    out.Record(wmf::SaveDc, {});

    for (std::size_t i = 0; i < kCoins.size(); ++i)
        DrawCoin(out, kCoins.at(i), i == 0);

    constexpr int kNullPenSlot = 2;
    out.Record(wmf::CreatePenIndirect, {wmf::PenNull, 0, 0, Low(kWhite), High(kWhite)});
    out.Record(wmf::SelectObject, {kNullPenSlot});
    out.Record(wmf::DeleteObject, {kPenSlot});
    for (int restore = 0; restore < 3; ++restore)
        out.Record(wmf::RestoreDc, {-1});
    out.Record(wmf::EndOfFile, {});
    return out.File(4);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::cerr << "usage: make_win_picture OUTPUT.wmf\n";
        return 2;
    }
    const std::vector<std::uint8_t> bytes = WinPicture();
    std::ofstream file(argv[1], std::ios::binary);
    file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file ? 0 : 1;
}
