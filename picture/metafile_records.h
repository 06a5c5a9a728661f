#pragma once

// The record and object codes of a Windows metafile that Velmora writes and plays.

#include <cstddef>
#include <cstdint>

namespace velmora::wmf {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr std::size_t kPlaceableBytes = 22;
inline constexpr std::uint16_t kHeaderWords = 9;
inline constexpr std::uint16_t kVersion3 = 0x0300;

enum Function : std::uint16_t {
    EndOfFile = 0x0000,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetStretchBltMode = 0x0107,
    SaveDc = 0x001E,
    RestoreDc = 0x0127,
    SelectObject = 0x012D,
    DeleteObject = 0x01F0,
    SetBkColor = 0x0201,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    CreatePenIndirect = 0x02FA,
    CreateBrushIndirect = 0x02FC,
    Polyline = 0x0325,
    Ellipse = 0x0418,
    Escape = 0x0626,
};

enum PenStyle : std::uint16_t { PenSolid, PenDash, PenDot, PenDashDot, PenDashDotDot, PenNull, PenInsideFrame };
enum BrushStyle : std::uint16_t { BrushSolid, BrushNull };
enum MapMode : std::uint16_t { MapText = 1, MapAnisotropic = 8 };
enum BkMode : std::uint16_t { Transparent = 1, Opaque = 2 };
inline constexpr std::uint16_t kRopCopyPen = 13;
inline constexpr std::uint16_t kEscapeComment = 15;

} // namespace velmora::wmf
