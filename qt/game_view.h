#pragma once

#include "game/game.h"
#include "qt/alert.h"

namespace velmora {

class Form1;

// The game's view of the real window: whether the picture shows, the digit boxes'
// captions, and the window system's alert.
class FormGameView final : public GameView {
  public:
    explicit FormGameView(Form1 &form) : form_(form) {}

    void SetPictureVisible(bool visible) override;
    void SetDigitText(int box, const std::string &text) override;
    std::string GetDigitText(int box) override;
    void Beep() override;

  private:
    Form1 &form_;
    Alert alert_;
};

} // namespace velmora
