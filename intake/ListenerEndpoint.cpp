#include "intake/ListenerEndpoint.h"

#include "settings/SettingsRules.h"

ListenerEndpoint MakeListenerEndpoint(const char* serverText, const char* portText) {
    return {ListenerServer(serverText), ListenerPort(portText)};
}
