#pragma once

#include "game/game.h"

namespace velmora {

class Form1;

// The game's view of the page: whether the picture shows, the digit boxes' captions, and a
// short alert tone.
class FormGameView final : public GameView {
  public:
    explicit FormGameView(Form1 &form) : form_(form) {}

    void SetPictureVisible(bool visible) override;
    void SetDigitText(int box, const std::string &text) override;
    std::string GetDigitText(int box) override;
    void Beep() override;

  private:
    Form1 &form_;
};

} // namespace velmora
