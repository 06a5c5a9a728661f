// The committed win picture, read by the strict reader: its headers, its records, and what it refuses.

#include "picture/metafile_records.h"
#include "picture/picture.h"
#include "tests/core/win_picture.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

namespace wmf = velmora::wmf;
using velmora::Metafile;
using velmora::MetafileError;
using velmora::MetafileRecord;

namespace {

std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8U));
}

// A copy of the picture's bytes with one 16-bit word changed.
std::vector<std::uint8_t> WithWord(std::size_t at, std::uint16_t value)
{
    std::vector<std::uint8_t> bytes(velmora::WinPicture.begin(), velmora::WinPicture.end());
    bytes.at(at) = static_cast<std::uint8_t>(value & 0xFFU);
    bytes.at(at + 1) = static_cast<std::uint8_t>(value >> 8U);
    return bytes;
}

const MetafileRecord &First(std::uint16_t function)
{
    const auto &records = Picture().Records();
    return *std::find_if(records.begin(), records.end(),
                         [&](const MetafileRecord &record) { return record.function == function; });
}

struct Box {
    int left, top, right, bottom;
    friend bool operator==(const Box &, const Box &) = default;
};

} // namespace

TEST_CASE("the headers are those of the stored file")
{
    const std::span<const std::uint8_t> bytes = velmora::WinPicture;
    const std::vector<std::uint16_t> placeable{0xCDD7, 0x9AC6, 0, 34, 15, 2210, 1756, 575, 0, 0, 0x5B7D};
    for (std::size_t word = 0; word < placeable.size(); ++word) {
        CAPTURE(word);
        CHECK(U16(bytes, 2 * word) == placeable[word]);
    }
    CHECK(U16(bytes, 22) == 1);      // held in memory
    CHECK(U16(bytes, 24) == 9);      // header words
    CHECK(U16(bytes, 26) == 0x0300); // version
    CHECK(U16(bytes, 28) + (U16(bytes, 30) << 16U) == (bytes.size() - 22) / 2);
    CHECK(U16(bytes, 32) == 4); // objects at a time
    std::uint32_t largest = 0;
    for (const auto &record : Picture().Records())
        largest = std::max<std::uint32_t>(largest, 3 + static_cast<std::uint32_t>(record.ParamCount()));
    CHECK(Picture().MaxRecordWords() == largest);
    CHECK(U16(bytes, 38) == 0); // no parameters
}

TEST_CASE("the records follow the drawing list")
{
    const auto &records = Picture().Records();
    REQUIRE(records.size() == 220);
    std::map<std::uint16_t, int> counts;
    for (const auto &record : records)
        ++counts[record.function];
    const std::map<std::uint16_t, int> expected{{wmf::SaveDc, 3},
                                                {wmf::RestoreDc, 3},
                                                {wmf::SetWindowOrg, 1},
                                                {wmf::SetWindowExt, 1},
                                                {wmf::SetMapMode, 1},
                                                {wmf::SetBkColor, 1},
                                                {wmf::SetTextColor, 1},
                                                {wmf::SetStretchBltMode, 1},
                                                {wmf::SetRop2, 1},
                                                {wmf::SetPolyFillMode, 1},
                                                {wmf::SetBkMode, 1},
                                                {wmf::CreatePenIndirect, 2},
                                                {wmf::CreateBrushIndirect, 23},
                                                {wmf::SelectObject, 35},
                                                {wmf::DeleteObject, 23},
                                                {wmf::Ellipse, 33},
                                                {wmf::Polyline, 88},
                                                {wmf::EndOfFile, 1}};
    CHECK(counts == expected);

    const std::vector<std::uint16_t> setUp{wmf::SaveDc,          wmf::SetWindowOrg,      wmf::SetWindowExt,
                                           wmf::SaveDc,          wmf::SetMapMode,        wmf::SetBkColor,
                                           wmf::SetTextColor,    wmf::SetStretchBltMode, wmf::SetRop2,
                                           wmf::SetPolyFillMode, wmf::SetBkMode,         wmf::SaveDc};
    for (std::size_t i = 0; i < setUp.size(); ++i)
        CHECK(records[i].function == setUp[i]);
    const std::vector<std::uint16_t> cleanUp{wmf::CreatePenIndirect, wmf::SelectObject, wmf::DeleteObject,
                                             wmf::RestoreDc,         wmf::RestoreDc,    wmf::RestoreDc,
                                             wmf::EndOfFile};
    for (std::size_t i = 0; i < cleanUp.size(); ++i)
        CHECK(records[records.size() - cleanUp.size() + i].function == cleanUp[i]);

    // The window, the colours and the modes of the set-up; the null pen of the clean-up replaces the black one.
    CHECK(records[1].Param(1) == 34);
    CHECK(records[1].Param(0) == 15);
    CHECK(records[2].Param(1) == 2176);
    CHECK(records[2].Param(0) == 1741);
    CHECK(records[4].Word(0) == 8);
    CHECK(records[7].Word(0) == 3);
    CHECK(records[8].Word(0) == 13);
    CHECK(records[10].Word(0) == 2);
    const auto &nullPen = records[records.size() - 7];
    CHECK(nullPen.Word(0) == wmf::PenNull);
    CHECK(nullPen.Word(3) == 0xFFFF);                // white
    CHECK(records[records.size() - 5].Word(0) == 0); // the black pen, made first, goes
}

TEST_CASE("each coin stands at its anchor")
{
    const std::array<std::array<int, 2>, 11> anchors{{{1203, 1054},
                                                      {1075, 925},
                                                      {1228, 853},
                                                      {1191, 757},
                                                      {1156, 618},
                                                      {1145, 509},
                                                      {1075, 361},
                                                      {1191, 211},
                                                      {1203, 82},
                                                      {39, 1376},
                                                      {192, 1279}}};
    std::vector<MetafileRecord> ellipses;
    std::vector<MetafileRecord> polylines;
    for (const auto &record : Picture().Records()) {
        if (record.function == wmf::Ellipse)
            ellipses.push_back(record);
        if (record.function == wmf::Polyline)
            polylines.push_back(record);
    }
    const std::array<std::array<int, 4>, 7> marks{{{3, 137, 3, 181},
                                                   {299, 296, 299, 348},
                                                   {490, 308, 490, 362},
                                                   {671, 298, 671, 348},
                                                   {861, 240, 861, 292},
                                                   {970, 127, 970, 187},
                                                   {130, 253, 130, 305}}};
    const std::array<std::array<int, 2>, 28> emblem{{
        {514, 24},  {390, 13},  {290, 32},  {239, 71},  {231, 120}, {255, 162}, {288, 190},
        {308, 187}, {380, 228}, {392, 197}, {435, 216}, {494, 203}, {502, 156}, {550, 171},
        {563, 203}, {602, 235}, {684, 207}, {736, 166}, {741, 107}, {693, 68},  {554, 70},
        {535, 32},  {583, 70},  {644, 34},  {668, 24},  {631, -2},  {563, 8},   {514, 24},
    }};
    for (std::size_t coin = 1; coin <= 11; ++coin) {
        CAPTURE(coin);
        const int ax = anchors.at(coin - 1)[0];
        const int ay = anchors.at(coin - 1)[1];
        // how much further the rim and face reach right and down, so that the heap meets the frame
        const int reachX = coin == 3 ? 2 : 0;
        const int reachY = coin == 10 ? 1 : 0;
        const auto box = [&](std::size_t index) {
            const auto &e = ellipses.at(index);
            return Box{e.Param(3) - ax, e.Param(2) - ay, e.Param(1) - ax, e.Param(0) - ay};
        };
        const std::size_t first = coin - 1;
        CHECK(box(3 * first) == Box{0, 0, 975 + reachX, 374 + reachY});        // rim
        CHECK(box(3 * first + 1) == Box{-2, -65, 973 + reachX, 308 + reachY}); // face
        CHECK(box(3 * first + 2) == Box{86, -38, 905, 275});                   // inner ring

        const auto point = [&](std::size_t line, std::size_t index) {
            const auto &p = polylines.at(8 * first + line);
            return std::array<int, 2>{p.Param(1 + 2 * index) - ax, p.Param(2 + 2 * index) - ay};
        };
        for (std::size_t mark = 0; mark < marks.size(); ++mark) {
            const auto [x0, y0, x1, y1] = marks.at(mark);
            CHECK(point(mark, 0) == std::array{x0, y0});
            CHECK(point(mark, 1) == std::array{x1, y1});
        }
        REQUIRE(polylines.at(8 * first + 7).Word(0) == emblem.size());
        for (std::size_t index = 0; index < emblem.size(); ++index) // closed: the last point is the first
            CHECK(point(7, index) == emblem.at(index));
    }
}

TEST_CASE("malformed input is refused, and where")
{
    struct Row {
        const char *name;
        std::vector<std::uint8_t> bytes;
        std::string fault;
        std::size_t offset;
    };
    const std::vector<std::uint8_t> good(velmora::WinPicture.begin(), velmora::WinPicture.end());
    const std::size_t records = Picture().Records().front().offset;
    const auto &select = First(wmf::SelectObject);
    const auto &polyline = First(wmf::Polyline);
    const auto &ellipse = First(wmf::Ellipse);
    const auto &restore = First(wmf::RestoreDc); // the first, with three states saved
    const auto restoring = [&](std::int16_t which) {
        return WithWord(restore.offset + 6, static_cast<std::uint16_t>(which));
    };
    const auto &end = Picture().Records().back();
    std::vector<std::uint8_t> trailing = good;
    trailing.insert(trailing.end(), {0, 0});

    const std::vector<Row> rows{
        {"bad key", WithWord(0, 0x1234), "not a placeable metafile", 0},
        {"bad checksum", WithWord(20, 0x5B7C), "checksum", 20},
        {"box changed, checksum not", WithWord(10, 2211), "checksum", 20},
        {"reserved word changed, checksum not", WithWord(18, 1), "checksum", 20},
        {"header size in words", WithWord(24, 10), "header size", 24},
        {"file size in the header", WithWord(28, 100), "size in the header", 28},
        {"zero record size", WithWord(records, 0), "too small", records},
        {"oversized record", WithWord(records, 0x7FFF), "exceeds", records},
        {"end record runs past the end", WithWord(end.offset, 40), "past the end", end.offset},
        {"object index out of range", WithWord(select.offset + 6, 4), "outside the table", select.offset},
        {"object that was never made", WithWord(select.offset + 6, 3), "does not exist", select.offset},
        {"point count past its record", WithWord(polyline.offset + 6, 3), "point count", polyline.offset},
        {"unknown record", WithWord(ellipse.offset + 4, 0x0817), "unknown record 0x0817", ellipse.offset},
        {"restore further back than saved", restoring(-4), "restore -4 with 3 saved", restore.offset},
        {"restore of a state never saved", restoring(4), "restore 4 with 3 saved", restore.offset},
        {"restore of state 0", restoring(0), "restore 0", restore.offset},
        {"no bytes", {}, "too short", 0},
        {"bytes after the end", trailing, "size in the header", 28},
    };
    for (const Row &row : rows) {
        CAPTURE(row.name);
        const auto read = Metafile::Read(row.bytes);
        const auto *error = std::get_if<MetafileError>(&read);
        REQUIRE(error != nullptr);
        CAPTURE(error->what);
        CHECK(error->what.find(row.fault) != std::string::npos);
        CHECK(error->offset == row.offset);
    }
}

TEST_CASE("every truncation is refused")
{
    const std::span<const std::uint8_t> bytes = velmora::WinPicture;
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        CAPTURE(size);
        CHECK(std::holds_alternative<MetafileError>(Metafile::Read(bytes.first(size))));
    }
}

TEST_CASE("a box's picture is read once; one that cannot be read is nothing, and said once")
{
    static std::vector<std::string> said;
    const auto report = [](const std::string &fault) { said.push_back(fault); };
    const std::vector<std::uint8_t> broken = WithWord(0, 0x1234); // not a placeable metafile
    struct Row {
        const char *name;
        std::span<const std::uint8_t> bytes;
        bool readable;
    };
    for (const Row &row : {Row{"the win picture", velmora::WinPicture, true}, Row{"a broken build's", broken, false}}) {
        CAPTURE(row.name);
        said.clear();
        velmora::BoxPicture picture(row.bytes, report);
        const Metafile *first = picture.Get();
        CHECK((first != nullptr) == row.readable);
        CHECK(picture.Get() == first); // kept, not read again
        if (row.readable) {
            CHECK(first->StandardBytes().size() == row.bytes.size() - wmf::kPlaceableBytes);
            CHECK(first->StandardBytes().data() == row.bytes.data() + wmf::kPlaceableBytes);
        }
        CHECK(said
              == (row.readable ? std::vector<std::string>{}
                               : std::vector<std::string>{"picture unreadable at byte 0: not a placeable metafile"}));
    }
}
