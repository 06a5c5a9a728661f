#pragma once

#include "picture/picture.h"

#include <QWidget>

#include <cstdint>
#include <optional>
#include <span>

namespace velmora {

// A box that stretches its picture, a placeable metafile, over its whole rectangle.
// While hidden it draws nothing.
class PictureBox final : public QWidget {
    Q_OBJECT

  public:
    explicit PictureBox(std::span<const std::uint8_t> picture, QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    std::span<const std::uint8_t> picture_;
    std::optional<Metafile> metafile_; // read at the first paint
    bool unreadable_ = false;
};

} // namespace velmora
