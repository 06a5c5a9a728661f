#include "picture/record_checker.h"

#include "picture/metafile_records.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <type_traits>

namespace velmora {

namespace {

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

} // namespace

std::optional<std::string> RecordChecker::Check(const MetafileRecord &record)
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

std::optional<std::string> RecordChecker::Allowed(bool ok, const char *what, int value)
{
    return ok ? std::nullopt : std::optional(Say(what, " ", value, " is not supported"));
}

std::optional<std::string> RecordChecker::CheckParams(const MetafileRecord &record)
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

std::optional<std::string> RecordChecker::Restore(int which)
{
    const int target = which < 0 ? saved_ + which : which - 1;
    if (which == 0 || target < 0 || target >= saved_)
        return Say("restore ", which, " with ", saved_, " saved states");
    saved_ = target;
    return std::nullopt;
}

std::optional<std::string> RecordChecker::Create()
{
    const auto free = std::find(used_.begin(), used_.end(), false);
    if (free == used_.end())
        return Say("object table of ", used_.size(), " is full");
    *free = true;
    return std::nullopt;
}

std::optional<std::string> RecordChecker::Existing(std::uint16_t index) const
{
    if (index >= used_.size())
        return Say("object index ", index, " outside the table of ", used_.size());
    if (!used_[index])
        return Say("object ", index, " does not exist");
    return std::nullopt;
}

} // namespace velmora
