#include "qt/form_game_view.h"

#include "qt/picture_box.h"
#include "qt/window.h"

#include <QAccessible>
#include <QLabel>

#include <stdexcept>

namespace velmora {

namespace {

QLabel &DigitBox(const Form1 &form, int box)
{
    switch (box) {
    case 1:
        return *form.Label1();
    case 2:
        return *form.Label2();
    case 3:
        return *form.Label3();
    default:
        throw std::out_of_range("no digit box " + std::to_string(box));
    }
}

} // namespace

void FormGameView::SetPictureVisible(bool visible)
{
    form_.Image1()->setVisible(visible);
    if (visible) { // a win is told to assistive technology, not only shown
        QAccessibleEvent announcement(form_.Image1(), QAccessible::Alert);
        QAccessible::updateAccessibility(&announcement);
    }
}

void FormGameView::SetDigitText(int box, const std::string &text)
{
    DigitBox(form_, box).setText(QString::fromStdString(text));
}

std::string FormGameView::GetDigitText(int box)
{
    return DigitBox(form_, box).text().toStdString();
}

void FormGameView::Beep()
{
    alert_.Ring();
}

} // namespace velmora
