// The game's errors: raised with the host's German descriptions, and told to the player when no
// handler traps them.

#include "game/game.h"
#include "game/host_operations.h"

#include <string>

namespace velmora {

Error::Error(int number, const std::string &description) : std::runtime_error(description), number_(number)
{}

std::string UntrappedErrorText(const std::exception &error)
{
    if (const auto *runtimeError = dynamic_cast<const Error *>(&error))
        return "Laufzeitfehler '" + std::to_string(runtimeError->Number()) + "':\n\n" + runtimeError->Description();
    return std::string("Laufzeitfehler:\n\n") + error.what();
}

namespace host {

namespace {

std::string_view Describe(ErrorNumber number)
{
    switch (number) {
    case Overflow:
        return "Überlauf";
    case TypeMismatch:
        return "Typen unverträglich";
    case MethodFailed:
        return "Automatisierungsfehler";
    }
    return "Anwendungs- oder objektdefinierter Fehler";
}

} // namespace

void RaiseError(ErrorNumber number)
{
    throw Error(number, std::string(Describe(number)));
}

void RaiseCallFailed(std::string_view interfaceName, std::string_view operation)
{
    std::string description = "Die Methode '";
    description.append(operation).append("' für das Objekt '").append(interfaceName);
    description.append("' ist fehlgeschlagen");
    throw Error(MethodFailed, description);
}

} // namespace host
} // namespace velmora
