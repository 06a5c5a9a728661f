#include "qt/game_view.h"

#include "qt/form1.h"
#include "qt/picture_box.h"
#include "window/window_description.h"

#include <QAccessible>
#include <QLabel>

namespace velmora {

namespace {

QLabel &DigitBox(const Form1 &form, int box)
{
    return *static_cast<QLabel *>(form.Control(DigitBoxControl(box)));
}

} // namespace

void FormGameView::SetPictureVisible(bool visible)
{
    form_.Picture()->setVisible(visible);
    if (visible) { // a win is told to assistive technology, not only shown
        QAccessibleEvent announcement(form_.Picture(), QAccessible::Alert);
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
