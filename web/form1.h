#pragma once

// The game's window, Form1, as a part of the web page, whose HTML the build writes from the window's
// description (form_html.h), and the program around it.

#include "picture/picture.h"

#include <emscripten/val.h>

#include <memory>
#include <optional>
#include <vector>

namespace velmora {

class RandomSource;
class PageGameView;

class Form1 {
  public:
    // Every game of the run draws from `random`, which must outlive the page.
    explicit Form1(RandomSource &random);
    ~Form1();
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // Wires up the form the page holds (which has given the first button the focus already).
    void Show();

    // The controls, in creation order.
    [[nodiscard]] emscripten::val Control(std::size_t index) const { return controls_.at(index); }
    [[nodiscard]] emscripten::val Command2() const;
    [[nodiscard]] emscripten::val Command1() const;
    [[nodiscard]] emscripten::val Image1() const;
    [[nodiscard]] emscripten::val Label4() const;
    [[nodiscard]] emscripten::val Label2() const;
    [[nodiscard]] emscripten::val Label3() const;
    [[nodiscard]] emscripten::val Label1() const;

    // Draws the picture into Image1 at the screen's present pixel ratio, unless it is drawn already.
    void DrawPicture();
    // The page's events.
    void NewGameClicked();
    void QuitClicked();
    void Resized();
    // Draws a shown picture again whenever the screen's pixel ratio changes.
    void WatchPixelRatio();
    // Says a win to assistive technology, or takes it back.
    void Announce(bool won);

    // Asks the browser to close the tab; where it keeps it, the game ends in place and says so.
    void QuitGame();

  private:
    RandomSource &random_;
    std::unique_ptr<PageGameView> view_;
    emscripten::val form_;
    std::vector<emscripten::val> controls_; // in creation order
    emscripten::val announcer_;             // a live region
    std::optional<Metafile> picture_;
    double drawnAtRatio_ = 0;
    bool ended_ = false;

    // No more games: both buttons off, and the page's line that says reloading starts a new one.
    void EndInPlace();
    void ReportUntrappedError(const std::string &text);
};

} // namespace velmora
