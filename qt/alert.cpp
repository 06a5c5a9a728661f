#include "qt/alert.h"

#include "resources/identity.h"

#include <QApplication>

#include <canberra.h>

#include <cstdlib>

namespace velmora {

namespace {

std::string_view Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// libcanberra's property lists, one per call, freed on every path.
struct PropertyList {
    ca_proplist *list = nullptr;
    PropertyList() { ca_proplist_create(&list); }
    ~PropertyList() { ca_proplist_destroy(list); }
    PropertyList(const PropertyList &) = delete;
    PropertyList &operator=(const PropertyList &) = delete;
};

} // namespace

AlertKind ChooseAlert(std::string_view platformName, bool waylandDesktop)
{
    if (platformName.starts_with("wayland"))
        return AlertKind::SoundTheme;
    if (platformName == "xcb" && waylandDesktop)
        return AlertKind::SoundTheme; // an X11 bell under XWayland reaches nobody
    return AlertKind::WindowSystemBell;
}

bool OnWaylandDesktop()
{
    return !Environment("WAYLAND_DISPLAY").empty() || Environment("XDG_SESSION_TYPE") == "wayland";
}

// One audio context for the run; each ring plays the theme's bell and returns at once.
class SoundTheme {
  public:
    SoundTheme()
    {
        if (ca_context_create(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        PropertyList properties;
        ca_proplist_sets(properties.list, CA_PROP_APPLICATION_NAME, kProductName);
        ca_proplist_sets(properties.list, CA_PROP_APPLICATION_ICON_NAME, kAppId); // the installed icon's name
        ca_context_change_props_full(context_, properties.list);
    }
    ~SoundTheme()
    {
        if (context_ != nullptr)
            ca_context_destroy(context_);
    }
    SoundTheme(const SoundTheme &) = delete;
    SoundTheme &operator=(const SoundTheme &) = delete;

    void Play()
    {
        if (context_ == nullptr)
            return;
        if (Play("bell-window-system") == CA_ERROR_NOTFOUND)
            Play("bell");
    }

  private:
    ca_context *context_ = nullptr;

    int Play(const char *event)
    {
        PropertyList properties;
        ca_proplist_sets(properties.list, CA_PROP_EVENT_ID, event);
        ca_proplist_sets(properties.list, CA_PROP_EVENT_DESCRIPTION, "Gewonnen");
        return ca_context_play_full(context_, 0, properties.list, nullptr, nullptr);
    }
};

Alert::Alert() : kind_(ChooseAlert(QGuiApplication::platformName().toStdString(), OnWaylandDesktop()))
{}

void Alert::Ring()
{
    if (kind_ == AlertKind::WindowSystemBell) {
        QApplication::beep();
        return;
    }
    static auto *const theme = new SoundTheme; // never destroyed: see the header
    theme->Play();
}

} // namespace velmora
