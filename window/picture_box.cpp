#include "window/picture_box.h"

namespace velmora {

PictureBox::PictureBox(std::span<const std::uint8_t> picture, QWidget *parent) : QWidget(parent), picture_(picture)
{}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{}

} // namespace velmora
