#include "qt/form_builder.h"

#include "qt/picture_box.h"

#include <QLabel>
#include <QPushButton>

namespace velmora {

namespace {

QString ToText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt lays out in pixels of the standard density and scales them to the screen itself.
int ToPixels(int twips)
{
    return TwipsToPixels(twips);
}

QColor ToColour(std::uint32_t stored)
{
    const Rgb colour = RgbFromStored(stored);
    return {colour.red, colour.green, colour.blue};
}

QFont ToFont(const FontDescription &description)
{
    QFont font(ToText(description.face));
    font.setPointSizeF(FontSizeToPoints(description.size));
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikethrough);
    return font;
}

QWidget *CreateControl(const ControlDescription &control, QWidget &form)
{
    switch (control.kind) {
    case ControlKind::CommandButton: {
        auto *button = new QPushButton(ToText(control.caption), &form);
        // The focused button takes Return and Enter as well as Space: the keys a player presses.
        button->setAutoDefault(true);
        return button;
    }
    case ControlKind::Image:
        return new PictureBox(control.picture != nullptr ? *control.picture : std::span<const std::uint8_t>{}, &form);
    case ControlKind::Label: {
        auto *label = new QLabel(ToText(control.caption), &form);
        label->setTextFormat(Qt::PlainText);
        label->setFrameShape(control.border == BorderStyle::FixedSingle ? QFrame::Box : QFrame::NoFrame);
        label->setAlignment(Qt::AlignTop | (control.alignment == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft));
        return label;
    }
    }
    return nullptr;
}

void ApplyCommonSettings(const ControlDescription &control, QWidget &widget)
{
    widget.setObjectName(ToText(control.name));
    widget.setGeometry(ToPixels(control.left), ToPixels(control.top), ToPixels(control.width),
                       ToPixels(control.height));
    if (control.font)
        widget.setFont(ToFont(*control.font));
    if (control.foreColour) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::WindowText, ToColour(*control.foreColour));
        widget.setPalette(palette);
    }
    widget.setFocusPolicy(control.tabIndex ? Qt::StrongFocus : Qt::NoFocus);
    widget.setHidden(!control.visible);
    if (!control.accessibleName.empty())
        widget.setAccessibleName(ToText(control.accessibleName));
    widget.setAccessibleDescription(ToText(control.accessibleDescription));
}

// Chains the controls that take the focus in their focus order; the first one holds it at start.
void ApplyFocusOrder(const PerControl<QWidget *> &controls)
{
    for (std::size_t i = 1; i < kFocusOrder.size(); ++i)
        QWidget::setTabOrder(controls.at(kFocusOrder.at(i - 1)), controls.at(kFocusOrder.at(i)));
    controls.at(kFocusOrder.front())->setFocus();
}

} // namespace

PerControl<QWidget *> BuildForm(const FormDescription &description, QWidget &form)
{
    form.setObjectName(ToText(description.name));
    form.setWindowTitle(ToText(description.caption));
    form.resize(ToPixels(description.clientWidth), ToPixels(description.clientHeight));

    PerControl<QWidget *> controls{};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlDescription &control = description.controls.at(i);
        controls.at(i) = CreateControl(control, form);
        ApplyCommonSettings(control, *controls.at(i));
    }
    ApplyFocusOrder(controls);
    return controls;
}

} // namespace velmora
