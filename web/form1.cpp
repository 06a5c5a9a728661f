#include "web/form1.h"

#include "game/game.h"
#include "web/canvas_painter.h"
#include "web/game_view.h"
#include "window/window_description.h"

#include <emscripten/bind.h>

#include <cmath>
#include <string>
#include <variant>

using emscripten::val;

namespace velmora {

namespace {

val Document()
{
    return val::global("document");
}

val Create(const char *tag)
{
    return Document().call<val>("createElement", std::string(tag));
}

val ById(std::string_view id)
{
    return Document().call<val>("getElementById", std::string(id));
}

// How much the page has scaled the form down to fit a small screen (1 where it fits as described).
double FitScale()
{
    const val fit = Document()["documentElement"]["style"].call<val>("getPropertyValue", std::string("--fit"));
    const auto scale = val::global("parseFloat")(fit).as<double>();
    return scale > 0 ? scale : 1;
}

// The page's one form, for the browser's events, which carry no data of ours.
Form1 *shownForm = nullptr;

// The browser hands each listener its event; these need none of it.
template <void (Form1::*handle)()> void Forward(const val & /*event*/)
{
    if (shownForm != nullptr)
        (shownForm->*handle)();
}

} // namespace

EMSCRIPTEN_BINDINGS(velmora_form)
{
    emscripten::function("velmoraNewGame", &Forward<&Form1::NewGameClicked>);
    emscripten::function("velmoraQuit", &Forward<&Form1::QuitClicked>);
    emscripten::function("velmoraResized", &Forward<&Form1::Resized>);
    emscripten::function("velmoraPixelRatioChanged", &Forward<&Form1::WatchPixelRatio>);
}

Form1::Form1(RandomSource &random)
    : random_(random), view_(std::make_unique<PageGameView>(*this)), form_(ById(WindowDescription.name)),
      announcer_(ById("said"))
{
    // The form stands in the page already, written there from the same description by the build.
    for (const ControlDescription &control : WindowDescription.controls)
        controls_.push_back(ById(control.name));
}

Form1::~Form1() = default;

val Form1::Command2() const
{
    return controls_[at::Command2];
}
val Form1::Command1() const
{
    return controls_[at::Command1];
}
val Form1::Image1() const
{
    return controls_[at::Image1];
}
val Form1::Label4() const
{
    return controls_[at::Label4];
}
val Form1::Label2() const
{
    return controls_[at::Label2];
}
val Form1::Label3() const
{
    return controls_[at::Label3];
}
val Form1::Label1() const
{
    return controls_[at::Label1];
}

void Form1::Show()
{
    Command1().call<void>("addEventListener", std::string("click"), val::module_property("velmoraNewGame"));
    Command2().call<void>("addEventListener", std::string("click"), val::module_property("velmoraQuit"));
    val::global("window").call<void>("addEventListener", std::string("resize"), val::module_property("velmoraResized"));
    shownForm = this;
    WatchPixelRatio();
}

void Form1::DrawPicture()
{
    // Device pixels per pixel of the box: the screen's, times the page's scale for a small screen.
    const double ratio = val::global("devicePixelRatio").as<double>() * FitScale();
    if (ratio == drawnAtRatio_)
        return;
    if (!picture_) { // read at the first win, not while the page is coming up
        auto read = Metafile::Read(WinPicture);
        if (!std::holds_alternative<Metafile>(read))
            return;
        picture_ = std::get<Metafile>(std::move(read));
    }
    const auto &box = WindowDescription.controls[at::Image1];
    const double width = TwipsToPixels(box.width);
    const double height = TwipsToPixels(box.height);
    val canvas = Image1();
    canvas.set("width", static_cast<int>(std::lround(width * ratio)));
    canvas.set("height", static_cast<int>(std::lround(height * ratio)));
    val context = canvas.call<val>("getContext", std::string("2d"));
    context.call<void>("setTransform", ratio, 0, 0, ratio, 0, 0);
    CanvasPainter painter(context);
    picture_->Play(painter, {0, 0, width, height}, ratio);
    drawnAtRatio_ = ratio;
}

void Form1::Announce(bool won)
{
    announcer_.set("textContent", std::string(won ? "Gewonnen! Ein Haufen Goldmünzen." : ""));
}

void Form1::QuitGame()
{
    val::global("window").call<void>("close");
    EndInPlace(); // where the browser keeps the page
}

void Form1::EndInPlace()
{
    ended_ = true;
    Command1().set("disabled", true);
    Command2().set("disabled", true);
    ById("ended").set("hidden", false); // the page's line: reloading starts a new game
}

// Shows an error that no handler trapped in a German dialog ("Laufzeitfehler '6':" and what it
// is), then ends the game.
void Form1::ReportUntrappedError(const std::string &text)
{
    val dialog = Create("dialog");
    val message = Create("p");
    message.set("textContent", text);
    val close = Create("form");
    close.set("method", "dialog");
    val ok = Create("button");
    ok.set("textContent", "OK");
    close.call<void>("appendChild", ok);
    dialog.call<void>("appendChild", message);
    dialog.call<void>("appendChild", close);
    form_["parentElement"].call<void>("appendChild", dialog);
    dialog.call<void>("showModal");
    EndInPlace(); // the tab stays, so that the player can read what went wrong
}

// The only two handlers of the program. An error a game raises goes no further than here.
void Form1::NewGameClicked()
{
    if (ended_)
        return;
    try {
        NewGame(*view_, random_);
    } catch (const std::exception &error) {
        ReportUntrappedError(UntrappedErrorText(error));
    }
}

void Form1::QuitClicked()
{
    if (!ended_)
        QuitGame();
}

// A zoom, a turned phone or a new window size: the picture is drawn again if its ratio changed.
void Form1::Resized()
{
    if (!Image1()["hidden"].as<bool>())
        DrawPicture();
}

// A zoom or another screen changes the pixel ratio: a shown picture is drawn again at the new one.
void Form1::WatchPixelRatio()
{
    if (!Image1()["hidden"].as<bool>())
        DrawPicture();
    const val query =
        val("(resolution: ").call<val>("concat", val::global("devicePixelRatio").as<double>(), val("dppx)"));
    val once = val::object();
    once.set("once", true);
    val::global("matchMedia")(query).call<void>("addEventListener", std::string("change"),
                                                val::module_property("velmoraPixelRatioChanged"), once);
}

} // namespace velmora
