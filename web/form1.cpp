#include "web/form1.h"

#include "game/game.h"
#include "web/canvas_painter.h"
#include "web/elements.h"
#include "web/game_view.h"
#include "web/page.h"
#include "web/page_ids.h"
#include "window/window_description.h"

#include <cmath>
#include <string>

namespace velmora {

namespace {

enum PageEvent : int { NewGameClick, QuitClick, Resize, PixelRatioChange, PictureFrame };

// The page's one form, for the page's events, which carry no data of ours.
Form1 *shownForm = nullptr;

} // namespace

Form1::Form1(RandomSource &random)
    : random_(random), view_(std::make_unique<FormGameView>(*this)),
      picture_(WinPicture, [](const std::string &fault) { velmora_warn(fault.c_str()); })
{
    // The form stands in the page already, written there from the same description by the build.
    std::size_t index = 0;
    for (const ControlDescription &control : WindowDescription.controls)
        velmora_find(Element(index++), std::string(control.name).c_str());
    velmora_find(element::Form, std::string(WindowDescription.name).c_str());
    velmora_find(element::Said, std::string(page_id::Said).c_str());
    velmora_find(element::Ended, std::string(page_id::Ended).c_str());
}

Form1::~Form1() = default;

void Form1::Show()
{
    velmora_listen_click(Element(at::NewGameButton), NewGameClick);
    velmora_listen_click(Element(at::QuitButton), QuitClick);
    velmora_listen_resize(Resize);
    velmora_prepare_sound();
    shownForm = this;
    WatchPixelRatio();
}

void Form1::Handle(int event)
{
    switch (event) {
    case NewGameClick:
        return NewGameClicked();
    case QuitClick:
        return QuitClicked();
    case Resize:
        return RedrawShownPicture();
    case PixelRatioChange:
        return WatchPixelRatio();
    case PictureFrame:
        return RedrawShownPicture();
    default:
        return;
    }
}

void Form1::DrawPicture()
{
    const auto &box = WindowDescription.controls[at::Picture];
    const double width = TwipsToPixels(box.width);
    const double height = TwipsToPixels(box.height);
    const double ratio = velmora_device_width(Element(at::Picture)) / width; // device pixels per pixel of the form
    if (ratio <= 0 || ratio == drawnAtRatio_)
        return;
    const Metafile *picture = picture_.Get(); // read at the first win, not while the page is coming up
    if (picture == nullptr)
        return;
    velmora_canvas_begin(Element(at::Picture), static_cast<int>(std::lround(width * ratio)),
                         static_cast<int>(std::lround(height * ratio)), ratio);
    CanvasPainter painter;
    picture->Play(painter, {0, 0, width, height}, ratio);
    drawnAtRatio_ = ratio;
}

void Form1::DrawPictureInNextFrame()
{
    velmora_next_frame(PictureFrame);
}

void Form1::Announce(bool won)
{
    velmora_set_text(element::Said, won ? std::string(WindowDescription.winAnnouncement).c_str() : "");
}

void Form1::QuitGame()
{
    velmora_close();
    EndInPlace(); // where the browser keeps the page
}

void Form1::EndInPlace()
{
    ended_ = true;
    velmora_set_disabled(Element(at::NewGameButton), true);
    velmora_set_disabled(Element(at::QuitButton), true);
    velmora_set_hidden(element::Ended, false); // the page's line: reloading starts a new game
}

// Shows an error that no handler trapped in a German dialog ("Laufzeitfehler '6':" and what it
// is), then ends the game.
void Form1::ReportUntrappedError(const std::string &text)
{
    velmora_show_error(element::Form, text.c_str());
    EndInPlace(); // the tab stays, so that the player can read what went wrong
}

// The only two handlers of the program.
void Form1::NewGameClicked()
{
    if (ended_)
        return;
    if (const auto error = PlayNewGame(*view_, random_))
        ReportUntrappedError(*error);
}

void Form1::QuitClicked()
{
    if (!ended_)
        QuitGame();
}

// A zoom, a turned phone or a new window size: the picture is drawn again if its ratio changed.
void Form1::RedrawShownPicture()
{
    if (!velmora_hidden(Element(at::Picture)))
        DrawPicture();
}

// A zoom or another screen changes the pixel ratio: a shown picture is drawn again at the new one.
void Form1::WatchPixelRatio()
{
    RedrawShownPicture();
    velmora_listen_pixel_ratio(PixelRatioChange);
}

} // namespace velmora

extern "C" void velmora_event(int event)
{
    if (velmora::shownForm != nullptr)
        velmora::shownForm->Handle(event);
}
