#pragma once

// The win picture as the tests read it: once, and it must read.

#include "picture/picture.h"

#include <variant>

inline const velmora::Metafile &Picture()
{
    static const velmora::Metafile file = std::get<velmora::Metafile>(velmora::Metafile::Read(velmora::WinPicture));
    return file;
}
