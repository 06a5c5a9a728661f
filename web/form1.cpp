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

std::string Px(int pixels)
{
    return std::to_string(pixels) + "px";
}

std::string Css(Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," + std::to_string(colour.blue)
           + ")";
}

// The described face first, then fonts with the same metrics that free systems have.
std::string FontFamily(std::string_view face)
{
    if (face == "Times New Roman")
        return "'Times New Roman', 'Liberation Serif', Tinos, serif";
    if (face == "Arial")
        return "Arial, 'Liberation Sans', Arimo, sans-serif";
    return "'" + std::string(face) + "'";
}

val Create(const char *tag)
{
    return val::global("document").call<val>("createElement", std::string(tag));
}

void Style(val &element, const char *property, const std::string &value)
{
    element["style"].set(property, value);
}

// At 96 dots per inch a CSS pixel is 15 twips; the browser scales CSS pixels to the screen.
void Place(val &element, int left, int top, int width, int height)
{
    Style(element, "position", "absolute");
    Style(element, "boxSizing", "border-box");
    Style(element, "left", Px(TwipsToPixels(left)));
    Style(element, "top", Px(TwipsToPixels(top)));
    Style(element, "width", Px(TwipsToPixels(width)));
    Style(element, "height", Px(TwipsToPixels(height)));
}

val CreateControl(const ControlDescription &control)
{
    switch (control.kind) {
    case ControlKind::CommandButton: {
        val button = Create("button");
        button.set("type", "button");
        button.set("textContent", std::string(control.caption));
        return button;
    }
    case ControlKind::Image: {
        val canvas = Create("canvas");
        canvas.call<void>("setAttribute", std::string("role"), std::string("img"));
        return canvas;
    }
    case ControlKind::Label: {
        val label = Create("div");
        label.set("textContent", std::string(control.caption));
        Style(label, "margin", "0");
        Style(label, "textAlign", control.alignment == Alignment::Center ? "center" : "left");
        Style(label, "border", control.border == BorderStyle::FixedSingle ? "1px solid black" : "none");
        return label;
    }
    }
    return val::undefined();
}

void ApplySettings(const ControlDescription &control, val &element)
{
    element.set("id", std::string(control.name));
    Place(element, control.left, control.top, control.width, control.height);
    if (control.font) {
        Style(element, "fontFamily", FontFamily(control.font->face));
        Style(element, "fontSize", Px(static_cast<int>(std::lround(FontSizeToPixels(control.font->size)))));
        Style(element, "fontWeight", std::to_string(control.font->weight));
        Style(element, "fontStyle", control.font->italic ? "italic" : "normal");
    }
    if (control.foreColour)
        Style(element, "color", Css(RgbFromStored(*control.foreColour)));
    element.set("hidden", !control.visible);
    const std::string_view name = !control.accessibleName.empty() ? control.accessibleName
                                  : control.kind == ControlKind::Label && control.caption.empty()
                                      ? control.accessibleDescription
                                      : std::string_view{};
    if (!name.empty())
        element.call<void>("setAttribute", std::string("aria-label"), std::string(name));
    element.set("title", std::string(control.accessibleDescription));
    if (control.tabIndex)
        element.set("tabIndex", 0);
}

// The page's one form, for the browser's events, which carry no data of ours.
Form1 *shownForm = nullptr;

// The browser hands each listener its event; these need none of it.
template <void (Form1::*handle)()> void Forward(val /*event*/)
{
    if (shownForm != nullptr)
        (shownForm->*handle)();
}

void ForwardKeyDown(val event)
{
    if (shownForm != nullptr)
        shownForm->KeyDown(std::move(event));
}

} // namespace

EMSCRIPTEN_BINDINGS(velmora_form)
{
    emscripten::function("velmoraNewGame", &Forward<&Form1::NewGameClicked>);
    emscripten::function("velmoraQuit", &Forward<&Form1::QuitClicked>);
    emscripten::function("velmoraKeyDown", &ForwardKeyDown);
    emscripten::function("velmoraResized", &Forward<&Form1::Resized>);
    emscripten::function("velmoraPixelRatioChanged", &Forward<&Form1::WatchPixelRatio>);
}

Form1::Form1(RandomSource &random)
    : random_(random), view_(std::make_unique<PageGameView>(*this)), form_(Create("div")), announcer_(Create("div"))
{
    if (auto read = Metafile::Read(WinPicture); std::holds_alternative<Metafile>(read))
        picture_ = std::get<Metafile>(std::move(read));

    val::global("document").set("title", std::string(WindowDescription.caption));
    form_.set("id", std::string(WindowDescription.name));
    Style(form_, "position", "relative");
    Style(form_, "width", Px(TwipsToPixels(WindowDescription.clientWidth)));
    Style(form_, "height", Px(TwipsToPixels(WindowDescription.clientHeight)));
    for (const ControlDescription &control : WindowDescription.controls) {
        val element = CreateControl(control);
        ApplySettings(control, element);
        form_.call<void>("appendChild", element);
        controls_.push_back(element);
    }
    announcer_.call<void>("setAttribute", std::string("aria-live"), std::string("polite"));
    Style(announcer_, "position", "absolute");
    Style(announcer_, "clipPath", "inset(50%)");
    form_.call<void>("appendChild", announcer_);
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
    val::global("document")["body"].call<void>("appendChild", form_);
    Command1().call<void>("addEventListener", std::string("click"), val::module_property("velmoraNewGame"));
    Command2().call<void>("addEventListener", std::string("click"), val::module_property("velmoraQuit"));
    for (val button : {Command1(), Command2()})
        button.call<void>("addEventListener", std::string("keydown"), val::module_property("velmoraKeyDown"));
    val::global("window").call<void>("addEventListener", std::string("resize"), val::module_property("velmoraResized"));
    shownForm = this;
    WatchPixelRatio();
    Command1().call<void>("focus");
}

void Form1::DrawPicture()
{
    const double ratio = val::global("devicePixelRatio").as<double>();
    if (!picture_ || ratio == drawnAtRatio_)
        return;
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
    // Where the browser keeps the page, the game ends in place.
    ended_ = true;
    Command1().set("disabled", true);
    Command2().set("disabled", true);
    val line = Create("p");
    line.set("id", std::string("ended"));
    line.set("textContent",
             std::string("Das Spiel ist beendet. Laden Sie die Seite neu, um ein neues Spiel zu beginnen."));
    val::global("document")["body"].call<void>("appendChild", line);
}

// Shows an error that no handler trapped in a German dialog ("Laufzeitfehler '6':" and what it
// is), then ends the game.
void Form1::ReportUntrappedError(const std::string &text)
{
    val dialog = Create("dialog");
    val message = Create("p");
    Style(message, "whiteSpace", "pre-line");
    message.set("textContent", text);
    val close = Create("form");
    close.set("method", "dialog");
    val ok = Create("button");
    ok.set("textContent", "OK");
    close.call<void>("appendChild", ok);
    dialog.call<void>("appendChild", message);
    dialog.call<void>("appendChild", close);
    val::global("document")["body"].call<void>("appendChild", dialog);
    dialog.call<void>("showModal");
    QuitGame();
}

// The only two handlers of the program. An error a game raises goes no further than here.
void Form1::NewGameClicked()
{
    if (ended_)
        return;
    try {
        NewGame(*view_, random_);
    } catch (const Error &error) {
        ReportUntrappedError("Laufzeitfehler '" + std::to_string(error.Number()) + "':\n\n" + error.Description());
    } catch (const std::exception &error) {
        ReportUntrappedError(std::string("Laufzeitfehler:\n\n") + error.what());
    }
}

void Form1::QuitClicked()
{
    if (!ended_)
        QuitGame();
}

// Tab moves between the two buttons only, both ways.
void Form1::KeyDown(val event)
{
    if (event["key"].as<std::string>() != "Tab")
        return;
    event.call<void>("preventDefault");
    const bool onFirst = val::global("document")["activeElement"] == Command1();
    (onFirst ? Command2() : Command1()).call<void>("focus");
}

// A zoom also resizes the page's viewport: the picture is drawn again if the ratio changed with it.
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
