#pragma once

#include <QWidget>

#include <cstdint>
#include <span>

namespace velmora {

// A box that stretches its picture, a placeable metafile, over its whole rectangle.
class PictureBox final : public QWidget {
    Q_OBJECT

  public:
    explicit PictureBox(std::span<const std::uint8_t> picture, QWidget *parent = nullptr);

    [[nodiscard]] std::span<const std::uint8_t> Picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    std::span<const std::uint8_t> picture_;
};

} // namespace velmora
