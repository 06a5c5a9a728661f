// libFuzzer target for the metafile reader and player: any bytes are read strictly, and what reads
// is played through a painter that draws nothing. Nothing may crash, read out of bounds or hit
// undefined behaviour.

#include "picture/picture.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

class NoPainter final : public velmora::Painter {
  public:
    void Ellipse(const velmora::Rect & /*box*/, const std::optional<velmora::Rgb> & /*fill*/,
                 const std::optional<velmora::Stroke> & /*outline*/) override
    {}
    void Polyline(std::span<const velmora::Point> /*points*/, const velmora::Stroke & /*stroke*/) override {}
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto read = velmora::Metafile::Read(std::span<const std::uint8_t>(data, size));
    if (const auto *file = std::get_if<velmora::Metafile>(&read)) {
        NoPainter painter;
        file->Play(painter, {0, 0, 64, 32});
    }
    return 0;
}
