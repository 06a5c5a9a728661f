// In-process benchmarks, each against the floor it could at best reach:
//   a game on a view that does nothing    against the same deal written inline
//   a game through the window, repainted  against the same changes on a plain window
//   the picture played at ratio 1, 2, 4   against Qt replaying the very same painter calls

#include "game/game.h"
#include "picture/picture.h"
#include "plain_window.h"
#include "qt/form1.h"
#include "qt/qt_painter.h"

#include "alternating.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace {

class NoOpView final : public velmora::GameView {
  public:
    void SetPictureVisible(bool /*visible*/) override {}
    void SetDigitText(int box, const std::string &text) override { captions_.at(box) = text; }
    std::string GetDigitText(int box) override { return captions_.at(box); }
    void Beep() override {}

  private:
    std::array<std::string, 4> captions_;
};

void NewGameOnNoOpView(benchmark::State &state)
{
    velmora::RuntimeRandom random;
    NoOpView view;
    while (state.KeepRunning())
        velmora::NewGame(view, random);
}

// Three draws, three digits, one judgement: no view, no texts, no checks.
void InlineDeal(benchmark::State &state)
{
    velmora::RuntimeRandom random;
    while (state.KeepRunning()) {
        bool won = false;
        for (int box = 0; box < 3; ++box)
            won = static_cast<int>(std::floor(static_cast<double>(random.Next()) * 10.0)) == 7 || won;
        benchmark::DoNotOptimize(won);
    }
}

void GameThroughWindow(benchmark::State &state)
{
    velmora::RuntimeRandom random;
    velmora::Form1 form(random);
    form.show();
    while (state.KeepRunning()) {
        form.NewGameButton()->click();
        form.repaint();
    }
}

void PlainWindowChanges(benchmark::State &state)
{
    PlainWindow window;
    window.show();
    while (state.KeepRunning()) {
        window.Deal();
        window.repaint();
    }
}

const QSize kBox(425, 185);

QImage Canvas(double ratio)
{
    QImage image(kBox * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

const velmora::Metafile &Picture()
{
    static const velmora::Metafile picture = std::get<velmora::Metafile>(velmora::Metafile::Read(velmora::WinPicture));
    return picture;
}

void PlayPicture(benchmark::State &state)
{
    QImage image = Canvas(static_cast<double>(state.range(0)));
    while (state.KeepRunning()) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        velmora::PlayPicture(Picture(), painter, QRectF(QPointF(0, 0), kBox));
    }
}

// The shapes the player draws, recorded once as Qt's own list of painter calls and replayed.
void ReplayShapes(benchmark::State &state)
{
    const auto ratio = static_cast<double>(state.range(0));
    QImage image = Canvas(ratio);
    QPicture shapes;
    {
        QPainter recorder(&shapes);
        velmora::PlayPicture(Picture(), recorder, QRectF(QPointF(0, 0), kBox));
    }
    while (state.KeepRunning()) {
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawPicture(0, 0, shapes);
    }
}

} // namespace

BENCHMARK(NewGameOnNoOpView)->Unit(benchmark::kNanosecond);
BENCHMARK(InlineDeal)->Unit(benchmark::kNanosecond);
BENCHMARK(GameThroughWindow)->Unit(benchmark::kNanosecond);
BENCHMARK(PlainWindowChanges)->Unit(benchmark::kNanosecond);
BENCHMARK(PlayPicture)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kNanosecond);
BENCHMARK(ReplayShapes)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kNanosecond);

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return RunAlternating(argc, argv,
                          {{"NewGameOnNoOpView", "InlineDeal"},
                           {"GameThroughWindow", "PlainWindowChanges"},
                           {"PlayPicture/1", "ReplayShapes/1"},
                           {"PlayPicture/2", "ReplayShapes/2"},
                           {"PlayPicture/4", "ReplayShapes/4"}});
}
