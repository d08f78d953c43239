#pragma once
#include <cstdint>
#include <string>

// Where the listener opens its socket: the address to bind to (unicast) or the group to join
// (multicast), and the port.
struct ListenerEndpoint {
    std::string server;
    uint16_t port = 0;
};

// The endpoint from the stored texts, with the listener's rules for empty and zero values.
ListenerEndpoint MakeListenerEndpoint(const char* serverText, const char* portText);
