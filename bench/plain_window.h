#pragma once

// The floor the game's window is measured against: a window of the same size with the same seven
// controls, captions and fonts, written plainly with Qt and nothing of Velmora's.

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

class PlainWindow : public QWidget {
  public:
    PlainWindow();

    // Shows the next three digits of a counter and, on every fourth, the picture box: the same
    // changes a game makes, without a game behind them.
    void Deal();

    [[nodiscard]] QPushButton *Button() const { return deal_; }

  private:
    QPushButton *deal_ = nullptr;
    QWidget *picture_ = nullptr;
    std::array<QLabel *, 3> digits_{};
    int counter_ = 0;
};
