#pragma once

#include "picture/picture.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace velmora {

// The picture box, an owner-drawn static control: its picture, a placeable metafile, stretched over
// the whole box by the system's own metafile player. Where the picture cannot be read the box shows
// the form's face, and says why to the debugger.
class PictureBox {
  public:
    // The bytes must outlive the box.
    explicit PictureBox(std::span<const std::uint8_t> picture);
    ~PictureBox();
    PictureBox(const PictureBox &) = delete;
    PictureBox &operator=(const PictureBox &) = delete;

    // Draws the box as its owner is asked to (WM_DRAWITEM).
    void Draw(const DRAWITEMSTRUCT &item);

  private:
    BoxPicture picture_;
    HMETAFILE systemPicture_ = nullptr; // the picture for the system's player, once our reader has passed it
};

} // namespace velmora
