#pragma once

#include <string_view>

namespace velmora {

// How the window system's alert is made heard.
enum class AlertKind {
    WindowSystemBell, // the toolkit's bell: an X11 bell request on a plain X11 session
    SoundTheme,       // the desktop sound theme's bell, for Wayland and for X11 programs on a Wayland desktop
};

// The alert for a Qt platform, given whether the desktop around it runs Wayland.
AlertKind ChooseAlert(std::string_view platformName, bool waylandDesktop);

// Whether the session the program runs in is a Wayland desktop.
bool OnWaylandDesktop();

// The alert of one run: chosen once, rung once per call, never blocking the event loop. Where
// nothing can be played (no sound card, no sound server) it stays silent; that is not an error.
// The sound theme's audio context is made at the first ring and lasts until the process ends:
// destroying it while a sound still plays would pull its backend out from under the playing thread.
class Alert {
  public:
    Alert(); // the one its desktop expects
    explicit Alert(AlertKind kind);
    ~Alert() = default;
    Alert(const Alert &) = delete;
    Alert &operator=(const Alert &) = delete;

    void Ring();

  private:
    AlertKind kind_;
};

} // namespace velmora
