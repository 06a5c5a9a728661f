#include "resources/resources.h"

namespace velmora {

QIcon AppIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace velmora
