#pragma once

// A game on a private X server, as both end-to-end tests (the Linux program and the Windows one under
// Wine) drive it: Xvfb, the XKB bell counter, the game's process and window, xdotool's keys and
// clicks, and the window's pixels. Everything it starts it also ends, on failure too.

#include "screen.h"
#include "x_display.h"

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Starts Xvfb with the screen ("1024x768x24") and connects to it; false where it could not.
    bool Start(const QString &screen);
    // The system's environment on this display, with the platform's own display settings taken off.
    [[nodiscard]] QProcessEnvironment Environment() const;
    [[nodiscard]] const XDisplay &X() const { return *x_; }

    // Starts the bell counter afresh; false where it did not say it was ready.
    bool CountBells(const QString &counter);
    // The bells heard since the counter started.
    int Bells();

    QProcess &Game() { return game_; }
    void SetWindow(unsigned long window) { window_ = window; }
    [[nodiscard]] unsigned long Window() const { return window_; }
    [[nodiscard]] QImage Screen() const { return ToQImage(x_->Capture(window_)); }
    // Whether the game ended by itself with the status within the time.
    bool Ended(int status, int milliseconds);
    // Ends the game and the bell counter, where they still run.
    void EndGame();

    // What xdotool prints first; nullopt where it failed.
    std::optional<QByteArray> Xdotool(const QStringList &arguments) const;
    void Press(const QString &key) const { Xdotool({"key", "--clearmodifiers", key}); }
    void Click(QPoint at) const;
    void Focus() const { Xdotool({"windowfocus", "--sync", QString::number(window_)}); }

  private:
    QProcess xvfb_;
    QProcess bells_;
    QProcess game_;
    QString display_;
    std::unique_ptr<XDisplay> x_;
    unsigned long window_ = 0;
    int heard_ = 0;
};

// Makes a process that the tests start end with the test process, however that ends (a crash, a
// fatal error, a time-out's kill): no X server or Wine server is left behind.
void EndsWithTheTest(QProcess &process);

// Twenty games by Space, as the run's generator deals them: the digits (read by `digits`), the picture
// for exactly the wins, and one bell a win, none for a loss; `onWin` checks more of a won game's screen.
void PlayTwentyGames(XSession &session, const std::function<QStringList(const QImage &)> &digits,
                     const std::function<void(const QImage &)> &onWin = {});

// The first point ("x,y") of a digit box's border, on any of its four sides, that is not darker than
// `grey`; empty where every side shows its line.
QString GapInTheBorders(const QImage &screen, int grey);
