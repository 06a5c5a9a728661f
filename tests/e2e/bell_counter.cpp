// Listens for XKB bell notifications on $DISPLAY and prints one line "bell" for each,
// after a first line "ready" once it is listening. Runs until it is killed.

#include <X11/XKBlib.h>

#include <iostream>

int main()
{
    int eventBase = 0;
    int errorBase = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    int reason = 0;
    Display *display = XkbOpenDisplay(nullptr, &eventBase, &errorBase, &major, &minor, &reason);
    if (display == nullptr) {
        std::cerr << "bell_counter: cannot open the display with XKB (reason " << reason << ")\n";
        return 1;
    }
    XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
    XSync(display, False);
    std::cout << "ready" << std::endl;
    for (;;) {
        XkbEvent event{};
        XNextEvent(display, &event.core);
        // Xlib hands events over as a union; the XKB ones are told apart by their type.
        if (event.type == eventBase && event.any.xkb_type == XkbBellNotify)
            std::cout << "bell" << std::endl;
    }
}
