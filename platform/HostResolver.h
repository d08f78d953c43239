#pragma once
#include <cstdint>

// Name resolution for the SNTP client, bounded in time: a name server that never answers must not hold
// the query (and the dialog waiting for it) for as long as the system's resolver keeps trying.

// How long a host name may take to resolve.
constexpr uint32_t kResolveTimeoutMs = 5000;

// Resolves `name` to its first IPv4 address (network byte order). Nonzero on success; 0 with the
// resolver's error code in `error` otherwise.
using HostResolveFunction = int (*)(const char* name, uint32_t& address, uint32_t& error);

// A dotted IPv4 address as the platform's inet_addr reads it (network byte order); 0xFFFFFFFF when the
// text is none.
uint32_t PlatformParseIPv4(const char* text);

// The platform's resolver (gethostbyname on Windows, getaddrinfo elsewhere).
int PlatformResolveHost(const char* name, uint32_t& address, uint32_t& error);

// Replaces the resolver that ResolveHost uses (nullptr: the platform's again) and returns the one used
// before. For tests.
HostResolveFunction SetHostResolveFunction(HostResolveFunction resolve);

// Resolves `name` on a thread of its own and waits at most `timeoutMs` for it. Nonzero on success; 0
// with the reason in SocketLastError(): the resolver's code, or kSocketErrorTimedOut when it did not
// answer in time. A resolver that answers late finishes on its own copy of the request and is ignored.
int ResolveHost(const char* name, uint32_t timeoutMs, uint32_t& address);

// The address of a server as the user names it: a dotted IPv4 address is used as it is, anything else is
// resolved with ResolveHost and kResolveTimeoutMs. An empty name (which would resolve to this machine)
// fails with kSocketErrorHostNotFound. Nonzero on success; 0 with the reason in SocketLastError().
int ResolveServer(const char* server, uint32_t& address);
