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

int ca_proplist_create(ca_proplist **p)
{
    *p = new ca_proplist;
    return CA_SUCCESS;
}

int ca_proplist_destroy(ca_proplist *p)
{
    delete p;
    return CA_SUCCESS;
}

int ca_proplist_sets(ca_proplist *p, const char *key, const char *value)
{
    p->properties[key] = value;
    return CA_SUCCESS;
}

int ca_context_create(ca_context **c)
{
    *c = new ca_context;
    return CA_SUCCESS;
}

int ca_context_destroy(ca_context *c)
{
    delete c;
    return CA_SUCCESS;
}

int ca_context_change_props_full(ca_context * /*c*/, ca_proplist *p)
{
    Log("props", p);
    return CA_SUCCESS;
}

int ca_context_play_full(ca_context * /*c*/, uint32_t /*id*/, ca_proplist *p, ca_finish_callback_t /*cb*/,
                         void * /*userdata*/)
{
    Log("play", p);
    const char *answerFor = std::getenv("VELMORA_CANBERRA_ANSWER_FOR");
    const char *answer = std::getenv("VELMORA_CANBERRA_ANSWER");
    const auto event = p->properties.find(CA_PROP_EVENT_ID);
    if (answerFor != nullptr && answer != nullptr && event != p->properties.end() && event->second == answerFor)
        return std::atoi(answer);
    return CA_SUCCESS;
}
}
