#include "qt/app_icon.h"

#include <QImage>
#include <QPixmap>

namespace velmora {

QIcon AppIcon()
{
    QIcon icon;
    for (const IconPixels &pixels : kIconPixels)
        icon.addPixmap(QPixmap::fromImage(
            QImage(pixels.rgba, pixels.size, pixels.size, qsizetype{pixels.size} * 4, QImage::Format_RGBA8888)));
    return icon;
}

} // namespace velmora
