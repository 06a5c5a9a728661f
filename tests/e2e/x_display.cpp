#include "x_display.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

struct XDisplay::Connection {
    Display *display = nullptr;
};

XDisplay::XDisplay(const std::string &name) : connection_(std::make_unique<Connection>())
{
    // A window that has gone (a game that ended or never came) answers with an error: the calls here
    // say so by their results, and the test goes on to fail and clean up rather than being ended by
    // Xlib's default handler.
    XSetErrorHandler([](Display * /*display*/, XErrorEvent * /*error*/) { return 0; });
    connection_->display = XOpenDisplay(name.c_str());
}

XDisplay::~XDisplay()
{
    if (connection_->display != nullptr)
        XCloseDisplay(connection_->display);
}

bool XDisplay::Connected() const
{
    return connection_->display != nullptr;
}

unsigned long XDisplay::WindowOf(long pid) const
{
    Display *display = connection_->display;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return 0;
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    unsigned long found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
            continue;
        Atom type = 0;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char *value = nullptr;
        if (XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &items, &after,
                               &value)
                == Success
            && value != nullptr) {
            if (items == 1 && static_cast<long>(*reinterpret_cast<unsigned long *>(value)) == pid)
                found = children[i];
            XFree(value);
        }
    }
    if (children != nullptr)
        XFree(children);
    return found;
}

RgbImage XDisplay::Capture(unsigned long window) const
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(connection_->display, window, &attributes) == 0)
        return {};
    return Capture(window, 0, 0, attributes.width, attributes.height);
}

RgbImage XDisplay::Capture(unsigned long window, int x, int y, int width, int height) const
{
    RgbImage result;
    XImage *image = XGetImage(connection_->display, window, x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr)
        return result;
    result.width = width;
    result.height = height;
    result.pixels.reserve(static_cast<std::size_t>(result.width) * result.height);
    for (int y = 0; y < result.height; ++y) {
        for (int x = 0; x < result.width; ++x)
            result.pixels.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFU));
    }
    XDestroyImage(image);
    return result;
}

void XDisplay::Focus(unsigned long window) const
{
    XSetInputFocus(connection_->display, window, RevertToParent, CurrentTime);
    XSync(connection_->display, False);
}

void XDisplay::Type(const char *keysym) const
{
    Display *display = connection_->display;
    const KeyCode key = XKeysymToKeycode(display, XStringToKeysym(keysym));
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
    XFlush(display);
}

void XDisplay::RequestClose(unsigned long window) const
{
    Display *display = connection_->display;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}
