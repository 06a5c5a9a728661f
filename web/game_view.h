#pragma once

#include "game/game.h"

namespace velmora {

class Form1;

// The game's view of the page: Image1's visibility, the captions of the digit boxes Label1 to
// Label3, and a short alert tone.
class PageGameView final : public GameView {
  public:
    explicit PageGameView(Form1 &form) : form_(form) {}

    void SetPictureVisible(bool visible) override;
    void SetDigitText(int box, const std::string &text) override;
    std::string GetDigitText(int box) override;
    void Beep() override;

  private:
    Form1 &form_;
};

} // namespace velmora
