#pragma once

#include "game/game.h"

#include <windows.h>

namespace velmora {

class Form1;

// The game's view of the real window: whether the picture shows, the digit boxes'
// captions, and the system's alert sound.
class FormGameView final : public GameView {
  public:
    explicit FormGameView(const Form1 &form) : form_(form) {}

    void SetPictureVisible(bool visible) override;
    void SetDigitText(int box, const std::string &text) override;
    std::string GetDigitText(int box) override;
    void Beep() override;

  private:
    const Form1 &form_;
};

} // namespace velmora
