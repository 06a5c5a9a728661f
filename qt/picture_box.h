#pragma once

#include "picture/picture.h"

#include <QWidget>

#include <cstdint>
#include <span>

namespace velmora {

// A box that stretches its picture, a placeable metafile, over its whole rectangle; one that cannot
// be read draws nothing, with a warning. While hidden it draws nothing.
class PictureBox final : public QWidget {
    Q_OBJECT

  public:
    explicit PictureBox(std::span<const std::uint8_t> picture, QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    BoxPicture picture_;
};

} // namespace velmora
