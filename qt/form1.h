#pragma once

// The game's window, Form1, built from its description, and the program around it.

#include "window/window_description.h"

#include <QWidget>

#include <array>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

namespace velmora {

class FormGameView;
class PictureBox;
class RandomSource;

class Form1 final : public QWidget {
    Q_OBJECT

  public:
    // Every game of the run draws from `random`, which must outlive the window.
    explicit Form1(RandomSource &random, QWidget *parent = nullptr);
    ~Form1() override;
    Form1(const Form1 &) = delete;
    Form1 &operator=(const Form1 &) = delete;

    // The controls, in creation order.
    [[nodiscard]] QWidget *Control(std::size_t index) const { return controls_.at(index); }
    [[nodiscard]] QPushButton *QuitButton() const;
    [[nodiscard]] QPushButton *NewGameButton() const;
    [[nodiscard]] PictureBox *Picture() const;
    [[nodiscard]] QLabel *Title() const;
    [[nodiscard]] QLabel *Digit2() const;
    [[nodiscard]] QLabel *Digit3() const;
    [[nodiscard]] QLabel *Digit1() const;

  private:
    PerControl<QWidget *> controls_{};
    std::unique_ptr<FormGameView> view_;
};

// Ends the program at once with status 0, whatever the window shows.
void QuitGame();

// Shows an error that no handler trapped, as a German message box, then ends the program with status 1.
void ReportUntrappedError(const std::string &text, QWidget *parent);

// Before the application exists: false, after saying so on one line, when there is no display to
// open a window on. A display that is named but cannot be reached ends the program the same way,
// while the application is being made (until SetUpApplication).
bool DisplayAvailable();

// The application's name, version, desktop id and icon, in German like the rest of the program
// (Qt's own texts are read in German when the error box first needs them).
void SetUpApplication();

} // namespace velmora
