#include "qt/alert.h"

#include "resources/identity.h"
#include "window/window_description.h"

#include <QApplication>

#include <canberra.h>
#include <dlfcn.h>

#include <cstdlib>
#include <type_traits>

namespace velmora {

namespace {

std::string_view Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

// libcanberra, opened when a win first needs the sound theme: most runs never do, and a start
// without it loads and relocates six libraries fewer. Where it is missing the bell stays silent.
struct Canberra {
    decltype(&ca_context_create) contextCreate = nullptr;
    decltype(&ca_context_destroy) contextDestroy = nullptr;
    decltype(&ca_context_change_props_full) contextChangeProps = nullptr;
    decltype(&ca_context_play_full) contextPlay = nullptr;
    decltype(&ca_proplist_create) proplistCreate = nullptr;
    decltype(&ca_proplist_destroy) proplistDestroy = nullptr;
    decltype(&ca_proplist_sets) proplistSets = nullptr;

    // The library's entries, or nullptr where it or one of them cannot be had. It stays loaded.
    static const Canberra *Open()
    {
        void *library = dlopen("libcanberra.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (library == nullptr)
            return nullptr;
        auto *api = new Canberra;
        bool complete = true;
        const auto bind = [&](auto &entry, const char *name) {
            entry = reinterpret_cast<std::remove_reference_t<decltype(entry)>>(dlsym(library, name));
            complete = complete && entry != nullptr;
        };
        bind(api->contextCreate, "ca_context_create");
        bind(api->contextDestroy, "ca_context_destroy");
        bind(api->contextChangeProps, "ca_context_change_props_full");
        bind(api->contextPlay, "ca_context_play_full");
        bind(api->proplistCreate, "ca_proplist_create");
        bind(api->proplistDestroy, "ca_proplist_destroy");
        bind(api->proplistSets, "ca_proplist_sets");
        if (complete)
            return api;
        delete api;
        dlclose(library);
        return nullptr;
    }
};

// libcanberra's property lists, one per call, freed on every path.
struct PropertyList {
    const Canberra &api;
    ca_proplist *list = nullptr;
    explicit PropertyList(const Canberra &canberra) : api(canberra) { api.proplistCreate(&list); }
    ~PropertyList() { api.proplistDestroy(list); }
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
    explicit SoundTheme(const Canberra &api) : api_(api)
    {
        if (api_.contextCreate(&context_) != CA_SUCCESS) {
            context_ = nullptr;
            return;
        }
        PropertyList properties(api_);
        api_.proplistSets(properties.list, CA_PROP_APPLICATION_NAME, kProductName);
        api_.proplistSets(properties.list, CA_PROP_APPLICATION_ICON_NAME, kAppId); // the installed icon's name
        api_.contextChangeProps(context_, properties.list);
    }
    ~SoundTheme()
    {
        if (context_ != nullptr)
            api_.contextDestroy(context_);
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
    const Canberra &api_;
    ca_context *context_ = nullptr;

    int Play(const char *event)
    {
        PropertyList properties(api_);
        api_.proplistSets(properties.list, CA_PROP_EVENT_ID, event);
        api_.proplistSets(properties.list, CA_PROP_EVENT_DESCRIPTION,
                          std::string(WindowDescription.winAnnouncement).c_str());
        return api_.contextPlay(context_, 0, properties.list, nullptr, nullptr);
    }
};

Alert::Alert() : Alert(ChooseAlert(QGuiApplication::platformName().toStdString(), OnWaylandDesktop()))
{}

Alert::Alert(AlertKind kind) : kind_(kind)
{}

void Alert::Ring()
{
    if (kind_ == AlertKind::WindowSystemBell) {
        QApplication::beep();
        return;
    }
    static const Canberra *const canberra = Canberra::Open();
    static auto *const theme =
        canberra != nullptr ? new SoundTheme(*canberra) : nullptr; // never destroyed: see the header
    if (theme != nullptr)
        theme->Play();
}

} // namespace velmora
