#pragma once

#include "picture/painter.h"

#include <string>

namespace velmora {

// A colour as CSS writes it: "rgb(128,0,128)".
inline std::string Css(Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," + std::to_string(colour.blue)
           + ")";
}

} // namespace velmora
