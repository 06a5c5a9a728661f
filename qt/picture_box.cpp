#include "qt/picture_box.h"

#include "qt/qt_painter.h"

#include <QPainter>
#include <QtDebug>

namespace velmora {

PictureBox::PictureBox(std::span<const std::uint8_t> picture, QWidget *parent) : QWidget(parent), picture_(picture)
{}

void PictureBox::paintEvent(QPaintEvent * /*event*/)
{
    if (!metafile_ && !unreadable_ && !picture_.empty()) {
        auto read = Metafile::Read(picture_);
        if (auto *error = std::get_if<MetafileError>(&read)) {
            qWarning("%s: picture unreadable at byte %zu: %s", qPrintable(objectName()), error->offset,
                     error->what.c_str());
            unreadable_ = true;
        } else {
            metafile_ = std::get<Metafile>(std::move(read));
        }
    }
    if (metafile_) {
        QPainter painter(this);
        PlayPicture(*metafile_, painter, rect());
    }
}

} // namespace velmora
