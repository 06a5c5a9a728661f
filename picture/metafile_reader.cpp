// Reading a placeable metafile strictly: nothing is drawn from a file that has not been checked whole.

#include "picture/metafile_records.h"
#include "picture/picture.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace velmora {

namespace {

std::uint16_t U16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8U));
}

std::uint32_t U32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return U16(bytes, at) | (static_cast<std::uint32_t>(U16(bytes, at + 2)) << 16U);
}

// Puts numbers into a message: Say("object ", 5, " is gone").
template <typename... Parts> std::string Say(const Parts &...parts)
{
    std::string text;
    const auto append = [&text](const auto &part) {
        if constexpr (std::is_arithmetic_v<std::decay_t<decltype(part)>>)
            text += std::to_string(part);
        else
            text += std::string_view(part); // NOLINT(*-array-to-pointer-decay): string literals
    };
    (append(parts), ...);
    return text;
}

std::string Hex(std::uint16_t value)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 12; shift >= 0; shift -= 4)
        text += kDigits[(value >> static_cast<unsigned>(shift)) & 0xFU];
    return text;
}

struct ParamRange {
    std::uint16_t function;
    std::size_t least;
    std::size_t most;
};

constexpr std::size_t kAny = SIZE_MAX;

// How many 16-bit parameters each record the player knows may carry.
constexpr std::array kParamRanges{
    ParamRange{wmf::EndOfFile, 0, 0},         ParamRange{wmf::SaveDc, 0, 0},
    ParamRange{wmf::RestoreDc, 1, 1},         ParamRange{wmf::SetWindowOrg, 2, 2},
    ParamRange{wmf::SetWindowExt, 2, 2},      ParamRange{wmf::SetMapMode, 1, 1},
    ParamRange{wmf::SetBkColor, 2, 2},        ParamRange{wmf::SetTextColor, 2, 2},
    ParamRange{wmf::SetStretchBltMode, 1, 2}, ParamRange{wmf::SetRop2, 1, 2},
    ParamRange{wmf::SetPolyFillMode, 1, 2},   ParamRange{wmf::SetBkMode, 1, 2},
    ParamRange{wmf::CreatePenIndirect, 5, 5}, ParamRange{wmf::CreateBrushIndirect, 4, 4},
    ParamRange{wmf::SelectObject, 1, 1},      ParamRange{wmf::DeleteObject, 1, 1},
    ParamRange{wmf::Ellipse, 4, 4},           ParamRange{wmf::Polyline, 1, kAny},
    ParamRange{wmf::Escape, 2, kAny},
};

// Follows the object table and the saved states through the records, as the player will.
class RecordChecker {
  public:
    explicit RecordChecker(std::uint16_t slots) : used_(slots, false) {}

    std::optional<std::string> Check(const MetafileRecord &record)
    {
        const auto *range = std::find_if(kParamRanges.begin(), kParamRanges.end(),
                                         [&](const ParamRange &known) { return known.function == record.function; });
        if (range == kParamRanges.end())
            return Say("unknown record ", Hex(record.function));
        const std::size_t count = record.ParamCount();
        if (count < range->least || count > range->most)
            return Say("record ", Hex(record.function), " has ", count, " parameters");
        return CheckParams(record);
    }

  private:
    std::vector<bool> used_;
    int saved_ = 0;

    static std::optional<std::string> Allowed(bool ok, const char *what, int value)
    {
        return ok ? std::nullopt : std::optional(Say(what, " ", value, " is not supported"));
    }

    std::optional<std::string> CheckParams(const MetafileRecord &record)
    {
        const std::uint16_t first = record.ParamCount() > 0 ? record.Word(0) : 0;
        switch (record.function) {
        case wmf::SaveDc:
            ++saved_;
            return std::nullopt;
        case wmf::RestoreDc:
            return Restore(record.Param(0));
        case wmf::SetWindowExt:
            return Allowed(record.Param(0) != 0 && record.Param(1) != 0, "window extent", 0);
        case wmf::SetMapMode:
            return Allowed(first == wmf::MapText || first == wmf::MapAnisotropic, "mapping mode", first);
        case wmf::SetRop2:
            return Allowed(first == wmf::kRopCopyPen, "raster operation", first);
        case wmf::SetBkMode:
        case wmf::SetPolyFillMode:
            return Allowed(first == 1 || first == 2, "mode", first);
        case wmf::SetStretchBltMode:
            return Allowed(first >= 1 && first <= 4, "stretch mode", first);
        case wmf::CreatePenIndirect:
            return first <= wmf::PenInsideFrame ? Create() : Allowed(false, "pen style", first);
        case wmf::CreateBrushIndirect:
            return first <= wmf::BrushNull ? Create() : Allowed(false, "brush style", first);
        case wmf::SelectObject:
            return Existing(first);
        case wmf::DeleteObject:
            if (auto fault = Existing(first))
                return fault;
            used_[first] = false;
            return std::nullopt;
        case wmf::Polyline:
            if (1 + 2 * static_cast<std::size_t>(first) > record.ParamCount())
                return Say("point count ", first, " runs past its record");
            return std::nullopt;
        case wmf::Escape:
            if (record.Word(1) > (record.ParamCount() - 2) * 2)
                return Say("escape of ", record.Word(1), " bytes runs past its record");
            return std::nullopt;
        default:
            return std::nullopt;
        }
    }

    std::optional<std::string> Restore(int which)
    {
        const int target = which < 0 ? saved_ + which : which - 1;
        if (which == 0 || target < 0 || target >= saved_)
            return Say("restore ", which, " with ", saved_, " saved states");
        saved_ = target;
        return std::nullopt;
    }

    std::optional<std::string> Create()
    {
        const auto free = std::find(used_.begin(), used_.end(), false);
        if (free == used_.end())
            return Say("object table of ", used_.size(), " is full");
        *free = true;
        return std::nullopt;
    }

    [[nodiscard]] std::optional<std::string> Existing(std::uint16_t index) const
    {
        if (index >= used_.size())
            return Say("object index ", index, " outside the table of ", used_.size());
        if (!used_[index])
            return Say("object ", index, " does not exist");
        return std::nullopt;
    }
};

} // namespace

std::uint16_t MetafileRecord::Word(std::size_t index) const
{
    return U16(params, 2 * index);
}

std::variant<Metafile, MetafileError> Metafile::Read(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t kRecordsStart = wmf::kPlaceableBytes + std::size_t{2} * wmf::kHeaderWords;
    if (bytes.size() < kRecordsStart)
        return MetafileError{"file too short for its headers", bytes.size()};
    if (U32(bytes, 0) != wmf::kPlaceableKey)
        return MetafileError{"not a placeable metafile", 0};
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2)
        checksum ^= U16(bytes, at);
    if (checksum != U16(bytes, 20))
        return MetafileError{"placeable header checksum does not match", 20};

    Metafile file;
    const auto coordinate = [&](std::size_t at) { return static_cast<std::int16_t>(U16(bytes, at)); };
    file.bounds_ = {coordinate(6), coordinate(8), coordinate(10), coordinate(12)};
    if (file.bounds_.right <= file.bounds_.left || file.bounds_.bottom <= file.bounds_.top)
        return MetafileError{"empty bounding box", 6};
    if (U16(bytes, 14) == 0)
        return MetafileError{"zero units per inch", 14};

    constexpr std::size_t h = wmf::kPlaceableBytes;
    if (const auto type = U16(bytes, h); type != 1 && type != 2)
        return MetafileError{"unknown metafile type", h};
    if (U16(bytes, h + 2) != wmf::kHeaderWords)
        return MetafileError{"metafile header size is not 9 words", h + 2};
    if (const auto version = U16(bytes, h + 4); version != wmf::kVersion3 && version != 0x0100)
        return MetafileError{"unknown metafile version", h + 4};
    if (static_cast<std::uint64_t>(U32(bytes, h + 6)) * 2 != bytes.size() - h)
        return MetafileError{"metafile size in the header does not match the file", h + 6};
    file.objectSlots_ = U16(bytes, h + 10);
    file.maxRecordWords_ = U32(bytes, h + 12);
    if (U16(bytes, h + 16) != 0)
        return MetafileError{"metafile header has parameters", h + 16};

    RecordChecker checker(file.objectSlots_);
    std::size_t at = kRecordsStart;
    while (file.records_.empty() || file.records_.back().function != wmf::EndOfFile) {
        if (bytes.size() - at < 6)
            return MetafileError{"record header cut off", at};
        const std::uint32_t words = U32(bytes, at);
        if (words < 3)
            return MetafileError{Say("record size ", words, " words is too small"), at};
        if (words > file.maxRecordWords_)
            return MetafileError{Say("record of ", words, " words exceeds the header's largest"), at};
        if (words > (bytes.size() - at) / 2)
            return MetafileError{Say("record of ", words, " words runs past the end"), at};
        const MetafileRecord record{U16(bytes, at + 4), at, bytes.subspan(at + 6, 2 * std::size_t{words} - 6)};
        if (auto fault = checker.Check(record))
            return MetafileError{*fault, at};
        file.records_.push_back(record);
        at += 2 * std::size_t{words};
    }
    if (at != bytes.size())
        return MetafileError{"bytes after the end record", at};
    file.standard_ = bytes.subspan(h);
    return file;
}

const Metafile *BoxPicture::Get()
{
    if (!read_) {
        read_ = Metafile::Read(bytes_);
        if (const auto *error = std::get_if<MetafileError>(&*read_); error != nullptr && report_ != nullptr)
            report_(Say("picture unreadable at byte ", error->offset, ": ", error->what));
    }
    return std::get_if<Metafile>(&*read_);
}

} // namespace velmora
