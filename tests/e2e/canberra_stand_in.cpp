// A stand-in for libcanberra, loaded in its place (as libcanberra.so.0, through LD_LIBRARY_PATH): it
// plays nothing and writes each call that matters to the file VELMORA_CANBERRA_LOG, one line a call:
//   props KEY=VALUE ...   the context's properties
//   play KEY=VALUE ...    one sound asked for
// A sound whose event id is VELMORA_CANBERRA_ANSWER_FOR is answered with the error number
// VELMORA_CANBERRA_ANSWER (CA_ERROR_NOTFOUND is -3); every other one is played.

#include <canberra.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

struct ca_proplist {
    std::map<std::string, std::string> properties;
};
struct ca_context {};

namespace {

void Log(const char *what, const ca_proplist *list)
{
    std::ofstream log(std::getenv("VELMORA_CANBERRA_LOG"), std::ios::app);
    log << what;
    for (const auto &[key, value] : list->properties)
        log << ' ' << key << '=' << value;
    log << '\n';
}

} // namespace

extern "C" {

int ca_proplist_create(ca_proplist **list)
{
    *list = new ca_proplist;
    return CA_SUCCESS;
}

int ca_proplist_destroy(ca_proplist *list)
{
    delete list;
    return CA_SUCCESS;
}

int ca_proplist_sets(ca_proplist *list, const char *key, const char *value)
{
    list->properties[key] = value;
    return CA_SUCCESS;
}

int ca_context_create(ca_context **context)
{
    *context = new ca_context;
    return CA_SUCCESS;
}

int ca_context_destroy(ca_context *context)
{
    delete context;
    return CA_SUCCESS;
}

int ca_context_change_props_full(ca_context * /*context*/, ca_proplist *list)
{
    Log("props", list);
    return CA_SUCCESS;
}

int ca_context_play_full(ca_context * /*context*/, uint32_t /*id*/, ca_proplist *list, ca_finish_callback_t /*done*/,
                         void * /*data*/)
{
    Log("play", list);
    const char *answerFor = std::getenv("VELMORA_CANBERRA_ANSWER_FOR");
    const auto event = list->properties.find(CA_PROP_EVENT_ID);
    if (answerFor != nullptr && event != list->properties.end() && event->second == answerFor)
        return std::atoi(std::getenv("VELMORA_CANBERRA_ANSWER"));
    return CA_SUCCESS;
}
}
