// libFuzzer target for the metafile player: any bytes are read strictly, and what reads is played.
// Nothing may crash, read out of bounds or hit undefined behaviour.

#include "picture/picture.h"

#include <QImage>
#include <QPainter>

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto read = velmora::Metafile::Read(std::span<const std::uint8_t>(data, size));
    if (const auto *file = std::get_if<velmora::Metafile>(&read)) {
        static QImage image(64, 32, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        file->Play(painter, QRectF(0, 0, 64, 32));
    }
    return 0;
}
