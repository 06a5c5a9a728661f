#pragma once

// The game's window, Form1, as a part of the web page, whose HTML the build writes from the window's
// description (form_html.h), and the program around it.

#include "picture/picture.h"

#include <memory>
#include <string>

namespace velmora {

class RandomSource;
class FormGameView;

class Form1 {
  public:
    // Every game of the run draws from `random`, which must outlive the page.
    explicit Form1(RandomSource &random);
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // Wires up the form the page holds (which has given the first button the focus already).
    void Show();
    // One of the page's events (PageEvent), which the form listens for.
    void Handle(int event);

    // Draws the shown picture into its box in the next animation frame, before the browser paints it:
    // for the size it shows at in device pixels then, once the page's layout is done anyway.
    void DrawPictureInNextFrame();
    // Says a win to assistive technology, or takes it back.
    void Announce(bool won);

  private:
    RandomSource &random_;
    std::unique_ptr<FormGameView> view_;
    BoxPicture picture_;
    double drawnAtRatio_ = 0;
    bool ended_ = false;

    void NewGameClicked();
    void QuitClicked();
    // Draws the picture into its box for the size it shows at in device pixels, unless it is drawn so already.
    void DrawPicture();
    // Draws a shown picture again where its size on the screen has changed (a zoom, a turned phone).
    void RedrawShownPicture();
    // Draws a shown picture again whenever the screen's pixel ratio changes.
    void WatchPixelRatio();
    // Asks the browser to close the tab; where it keeps it, the game ends in place and says so.
    void QuitGame();
    // No more games: both buttons off, and the page's line that says reloading starts a new one.
    void EndInPlace();
    void ReportUntrappedError(const std::string &text);
};

} // namespace velmora
