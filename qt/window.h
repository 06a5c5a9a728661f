#pragma once

// The game's window, Form1, built from its description, and the program around it.

#include <QWidget>

#include <array>
#include <exception>
#include <memory>

class QLabel;
class QPushButton;

namespace velmora {

class GameView;
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
    [[nodiscard]] QPushButton *Command2() const;
    [[nodiscard]] QPushButton *Command1() const;
    [[nodiscard]] PictureBox *Image1() const;
    [[nodiscard]] QLabel *Label4() const;
    [[nodiscard]] QLabel *Label2() const;
    [[nodiscard]] QLabel *Label3() const;
    [[nodiscard]] QLabel *Label1() const;

  private:
    std::array<QWidget *, 7> controls_{};
    std::unique_ptr<GameView> view_;
};

// Ends the program at once with status 0, whatever the window shows.
void QuitGame();

// Shows an error that no handler trapped, as a German message box, then ends the program with status 1.
void ReportUntrappedError(const std::exception &error, QWidget *parent);

// Before the application exists: false, after saying so on one line, when there is no display to
// open a window on. A display that is named but cannot be reached ends the program the same way,
// while the application is being made (until SetUpApplication).
bool DisplayAvailable();

// The application's name, version, desktop id and icon, in German like the rest of the program
// (Qt's own texts are read in German when the error box first needs them).
void SetUpApplication();

} // namespace velmora
