#pragma once

// What the end-to-end tests read off a screen: the window's pixels as an image, the picture's gold
// and the title's purple, and the digits the run's generator deals, to compare with.

#include "game/game.h"
#include "window/window_description.h"
#include "x_display.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStringList>
#include <QThread>

#include <array>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

// Where a control stands at 96 dots per inch, in the window's pixels, as the window's description puts it.
inline QRect Place(std::size_t control)
{
    const velmora::ControlDescription &described = velmora::WindowDescription.controls.at(control);
    return {velmora::TwipsToPixels(described.left), velmora::TwipsToPixels(described.top),
            velmora::TwipsToPixels(described.width), velmora::TwipsToPixels(described.height)};
}

inline const QSize kClientSize(velmora::TwipsToPixels(velmora::WindowDescription.clientWidth),
                               velmora::TwipsToPixels(velmora::WindowDescription.clientHeight));
inline const std::array<QRect, 3> kDigitBoxes{Place(velmora::DigitBoxControl(1)), Place(velmora::DigitBoxControl(2)),
                                              Place(velmora::DigitBoxControl(3))};
inline const QRect kPictureBox = Place(velmora::at::Picture);
inline const QRect kTitle = Place(velmora::at::Title);
inline const QPoint kBeenden = Place(velmora::at::QuitButton).center();
inline const QPoint kNeuesSpiel = Place(velmora::at::NewGameButton).center();

// The three digits on the screen, each box's picture read by `read`; none where the screen is smaller
// than the form.
template <typename Read> QStringList DigitsOn(const QImage &screen, Read read)
{
    QStringList digits;
    for (const QRect &box : kDigitBoxes) {
        if (screen.width() < box.right() || screen.height() < box.bottom())
            return {};
        digits << read(screen.copy(box));
    }
    return digits;
}

// Starts a private Xvfb on a display number it picks itself (-displayfd), and waits until it listens.
// Returns the display's name (":160"), or an empty string when it did not start.
inline QString StartXvfb(QProcess &xvfb, const QString &screen)
{
    // The number comes on standard output once the server accepts connections; nobody reads its
    // chatter on standard error, where a full pipe would stall it.
    xvfb.setStandardErrorFile(QProcess::nullDevice());
    xvfb.start("Xvfb", {"-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"});
    const QDeadlineTimer deadline(60000); // a loaded machine may take seconds
    QByteArray number;
    while (xvfb.waitForStarted() && !number.contains('\n') && !deadline.hasExpired()
           && xvfb.state() == QProcess::Running) {
        xvfb.waitForReadyRead(100);
        number += xvfb.readAllStandardOutput();
    }
    return number.contains('\n') ? QStringLiteral(":%1").arg(QString::fromLatin1(number.trimmed())) : QString();
}

inline QImage ToQImage(const RgbImage &rgb)
{
    QImage image(rgb.width, rgb.height, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height; ++y) {
        for (int x = 0; x < rgb.width; ++x)
            image.setPixel(x, y, 0xFF000000U | rgb.pixels[static_cast<std::size_t>(y) * rgb.width + x]);
    }
    return image;
}

inline int CountPixels(const QImage &image, const QRect &area, bool (*matches)(QRgb))
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += matches(image.pixel(x, y)) ? 1 : 0;
    }
    return count;
}

// How unlike two images of one size are: the sum of their grey differences.
inline long Difference(const QImage &a, const QImage &b)
{
    long sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    }
    return sum;
}

// The name of the glyph that `seen` is least unlike; all of one size.
inline QString NearestGlyph(const QImage &seen, const std::map<QString, QImage> &glyphs)
{
    QString best;
    long bestDifference = -1;
    for (const auto &[name, glyph] : glyphs) {
        const long difference = Difference(seen, glyph);
        if (bestDifference < 0 || difference < bestDifference) {
            best = name;
            bestDifference = difference;
        }
    }
    return best;
}

inline bool Gold(QRgb p)
{
    return qRed(p) > 220 && qGreen(p) > 130 && qGreen(p) < 185 && qBlue(p) < 60;
}

inline bool Purple(QRgb p)
{
    return qRed(p) > 90 && qBlue(p) > 90 && qGreen(p) < 60;
}

// The digits of the first `games` games as the run's generator deals them.
inline std::vector<QStringList> DealtDigits(int games)
{
    velmora::RuntimeRandom random;
    std::vector<QStringList> dealt;
    for (int game = 0; game < games; ++game) {
        QStringList digits;
        for (int box = 0; box < 3; ++box)
            digits << QString::number(static_cast<int>(std::floor(static_cast<double>(random.Next()) * 10.0)));
        dealt.push_back(digits);
    }
    return dealt;
}

inline bool Wins(const QStringList &digits)
{
    return digits.contains("7");
}
