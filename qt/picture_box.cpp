#include "qt/picture_box.h"

#include "qt/qt_painter.h"

#include <QPainter>
#include <QtDebug>

namespace velmora {

PictureBox::PictureBox(std::span<const std::uint8_t> picture, QWidget *parent)
    : QWidget(parent), picture_(picture, [](const std::string &fault) { qWarning("%s", fault.c_str()); })
{}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{
    if (const Metafile *picture = picture_.Get()) {
        QPainter painter(this);
        PlayPicture(*picture, painter, rect());
    }
}

} // namespace velmora
