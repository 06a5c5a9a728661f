#pragma once

// The win picture, a placeable metafile, and the player that draws such pictures through a Painter.

#include "picture/painter.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace velmora {

// A heap of gold coins, shown when a game is won: the bytes of a placeable metafile. Constant-initialised
// where it is defined (libc++'s span makes clang-tidy doubt that from here).
extern constinit const std::span<const std::uint8_t> WinPicture; // NOLINT(bugprone-dynamic-static-initializers)

struct MetafileError {
    std::string what;
    std::size_t offset = 0; // the byte where the fault lies
};

struct MetafileRecord {
    std::uint16_t function = 0;
    std::size_t offset = 0; // of the record, from the start of the file
    std::span<const std::uint8_t> params;

    [[nodiscard]] std::size_t ParamCount() const { return params.size() / 2; }
    [[nodiscard]] std::uint16_t Word(std::size_t index) const;
    [[nodiscard]] std::int16_t Param(std::size_t index) const { return static_cast<std::int16_t>(Word(index)); }
};

struct MetafileBounds {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// A placeable metafile, read strictly: every size, index and count is checked before anything is drawn.
class Metafile {
  public:
    // The bytes must outlive the Metafile.
    static std::variant<Metafile, MetafileError> Read(std::span<const std::uint8_t> bytes);

    [[nodiscard]] MetafileBounds Bounds() const { return bounds_; }
    [[nodiscard]] std::uint32_t MaxRecordWords() const { return maxRecordWords_; }
    // The bytes after the placeable header: a standard metafile, as a system's own player takes it.
    [[nodiscard]] std::span<const std::uint8_t> StandardBytes() const { return standard_; }
    [[nodiscard]] const std::vector<MetafileRecord> &Records() const { return records_; }

    // Draws the picture with its bounding box stretched over the whole of `target`, in the painter's
    // coordinates, of which one unit is `pixelRatio` device pixels (outlines stay at least one wide).
    void Play(Painter &painter, const Rect &target, double pixelRatio = 1.0) const;

  private:
    Metafile() = default;

    MetafileBounds bounds_;
    std::span<const std::uint8_t> standard_;
    std::uint16_t objectSlots_ = 0;
    std::uint32_t maxRecordWords_ = 0;
    std::vector<MetafileRecord> records_;
};

// A picture box's picture: its bytes read strictly the first time the box draws it, then kept. Every
// front end treats a picture that cannot be read (a broken build) alike: the box draws nothing and the
// game goes on, and what is wrong is said once, through `report`, in the platform's own log.
class BoxPicture {
  public:
    using Report = void (*)(const std::string &fault);
    // The bytes must outlive the BoxPicture.
    BoxPicture(std::span<const std::uint8_t> bytes, Report report) : bytes_(bytes), report_(report) {}

    // The picture, or null where it cannot be read.
    [[nodiscard]] const Metafile *Get();

  private:
    std::span<const std::uint8_t> bytes_;
    Report report_;
    std::optional<std::variant<Metafile, MetafileError>> read_;
};

} // namespace velmora
