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
        return "'Times New Roman','Liberation Serif',Tinos,serif";
    if (face == "Arial")
        return "Arial,'Liberation Sans',Arimo,sans-serif";
    return "'" + std::string(face) + "'";
}

// Text as HTML writes it, in an element or an attribute.
std::string Escaped(std::string_view text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

val Create(const char *tag)
{
    return val::global("document").call<val>("createElement", std::string(tag));
}

// Where a control stands and how it writes. At 96 dots per inch a CSS pixel is 15 twips; the
// browser scales CSS pixels to the screen.
std::string StyleOf(const ControlDescription &control)
{
    std::string style = "position:absolute;box-sizing:border-box;margin:0;left:" + Px(TwipsToPixels(control.left))
                        + ";top:" + Px(TwipsToPixels(control.top)) + ";width:" + Px(TwipsToPixels(control.width))
                        + ";height:" + Px(TwipsToPixels(control.height));
    if (control.font) {
        style += ";font:" + std::string(control.font->italic ? "italic " : "") + std::to_string(control.font->weight)
                 + " " + Px(static_cast<int>(std::lround(FontSizeToPixels(control.font->size)))) + " "
                 + FontFamily(control.font->face);
    }
    if (control.foreColour)
        style += ";color:" + Css(RgbFromStored(*control.foreColour));
    if (control.kind == ControlKind::Label) {
        style += control.alignment == Alignment::Center ? ";text-align:center" : ";text-align:left";
        style += control.border == BorderStyle::FixedSingle ? ";border:1px solid black" : ";border:none";
    }
    return style;
}

// One control as HTML: a button, a canvas for the picture, or a text label.
std::string HtmlOf(const ControlDescription &control)
{
    const char *tag = control.kind == ControlKind::CommandButton ? "button"
                      : control.kind == ControlKind::Image       ? "canvas"
                                                                 : "div";
    std::string html = "<" + std::string(tag) + " id=\"" + Escaped(control.name) + "\" style=\"" + StyleOf(control)
                       + "\" title=\"" + Escaped(control.accessibleDescription) + "\"";
    if (control.kind == ControlKind::CommandButton)
        html += " type=\"button\"";
    if (control.kind == ControlKind::Image)
        html += " role=\"img\"";
    const std::string_view name = !control.accessibleName.empty() ? control.accessibleName
                                  : control.kind == ControlKind::Label && control.caption.empty()
                                      ? control.accessibleDescription
                                      : std::string_view{};
    if (!name.empty())
        html += " aria-label=\"" + Escaped(name) + "\"";
    if (!control.visible)
        html += " hidden";
    return html + ">" + Escaped(control.caption) + "</" + tag + ">";
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
    : random_(random), view_(std::make_unique<PageGameView>(*this)), form_(Create("div")), announcer_(val::undefined())
{
    // The whole form is written at once, and the browser lays it out once.
    std::string html;
    for (const ControlDescription &control : WindowDescription.controls)
        html += HtmlOf(control);
    html += "<div aria-live=\"polite\" style=\"position:absolute;clip-path:inset(50%)\"></div>"; // says a win
    val::global("document").set("title", std::string(WindowDescription.caption));
    form_.set("id", std::string(WindowDescription.name));
    form_["style"].set("cssText", "position:relative;width:" + Px(TwipsToPixels(WindowDescription.clientWidth))
                                      + ";height:" + Px(TwipsToPixels(WindowDescription.clientHeight)));
    form_.set("innerHTML", html);
    const val children = form_["children"];
    for (std::size_t i = 0; i < WindowDescription.controls.size(); ++i)
        controls_.push_back(children[i]);
    announcer_ = form_["lastElementChild"];
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
    message["style"].set("whiteSpace", std::string("pre-line"));
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
