// Reading a placeable metafile strictly: nothing is drawn from a file that has not been checked whole.

#include "picture/metafile_records.h"
#include "picture/picture.h"
#include "picture/record_checker.h"

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
            return MetafileError{"record size " + std::to_string(words) + " words is too small", at};
        if (words > file.maxRecordWords_)
            return MetafileError{"record of " + std::to_string(words) + " words exceeds the header's largest", at};
        if (words > (bytes.size() - at) / 2)
            return MetafileError{"record of " + std::to_string(words) + " words runs past the end", at};
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

} // namespace velmora
