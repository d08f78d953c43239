#include "platform/HostResolver.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/UdpClientSocket.h"

namespace {

std::atomic<HostResolveFunction> g_resolve{nullptr};

// One request, shared by the caller and the resolving thread; whoever leaves last frees it.
struct Request {
    std::string name;
    HostResolveFunction resolve;
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    int found = 0;
    uint32_t address = 0;
    uint32_t error = 0;
};

void Resolve(const std::shared_ptr<Request>& request) {
    uint32_t address = 0;
    uint32_t error = 0;
    const int found = request->resolve(request->name.c_str(), address, error);
    std::lock_guard lock(request->mutex);
    request->found = found;
    request->address = address;
    request->error = error;
    request->done = true;
    request->answered.notify_all();
}

} // namespace

HostResolveFunction SetHostResolveFunction(HostResolveFunction resolve) {
    return g_resolve.exchange(resolve);
}

int ResolveHost(const char* name, uint32_t timeoutMs, uint32_t& address) {
    const HostResolveFunction injected = g_resolve.load();
    auto request = std::make_shared<Request>();
    request->name = name;
    request->resolve = injected ? injected : PlatformResolveHost;
    try {
        std::thread([request] { Resolve(request); }).detach();
    } catch (...) {
        Resolve(request); // no thread to spare: resolve here, unbounded
    }
    std::unique_lock lock(request->mutex);
    if (!request->answered.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                    [&] { return request->done; })) {
        SetSocketLastError(kSocketErrorTimedOut);
        return 0;
    }
    if (!request->found) {
        SetSocketLastError(request->error);
        return 0;
    }
    address = request->address;
    return 1;
}

int ResolveServer(const char* server, uint32_t& address) {
    if (!server || !*server) {
        SetSocketLastError(kSocketErrorHostNotFound);
        return 0;
    }
    address = PlatformParseIPv4(server);
    return address != 0xFFFFFFFFu || ResolveHost(server, kResolveTimeoutMs, address);
}
