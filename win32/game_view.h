#pragma once

#include "game/game.h"

#include <windows.h>

namespace velmora {

class Form1;

// The game's view of the real window: Image1's visibility, the captions of the digit boxes Label1
// to Label3, and the system's alert sound.
class WindowGameView final : public GameView {
  public:
    explicit WindowGameView(const Form1 &form) : form_(form) {}

    void SetPictureVisible(bool visible) override;
    void SetDigitText(int box, const std::string &text) override;
    std::string GetDigitText(int box) override;
    void Beep() override;

  private:
    const Form1 &form_;
};

} // namespace velmora
