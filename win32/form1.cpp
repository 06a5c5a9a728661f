#include "win32/form1.h"

#include "win32/accessibility.h"
#include "win32/game_view.h"
#include "window/window_description.h"

namespace velmora {

Form1::Form1(HINSTANCE instance, RandomSource &random, Dpi density)
    : random_(random), dpi_(density), picture_(*WindowDescription.controls[at::Picture].picture),
      view_(std::make_unique<FormGameView>(*this))
{
    CreateForm(instance);
    CreateControls();
    Layout(dpi_.ForWindow(form_));
}

Form1::~Form1()
{
    SetWindowLongPtrW(form_, GWLP_USERDATA, 0); // the window, where it is still there, is on its own now
    DestroyWindow(form_);
    DeleteFonts(fonts_);
}

HWND Form1::QuitButton() const
{
    return controls_[at::QuitButton];
}
HWND Form1::NewGameButton() const
{
    return controls_[at::NewGameButton];
}
HWND Form1::Picture() const
{
    return controls_[at::Picture];
}

void Form1::Show(int how)
{
    ShowWindow(form_, how);
    UpdateWindow(form_);
    SetFocus(focus_);
    PostMessageW(form_, kDescribe, 0, 0); // what screen readers are told beyond the texts: after the first frame
}

} // namespace velmora
