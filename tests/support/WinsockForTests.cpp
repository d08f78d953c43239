// Starts Windows Sockets for a whole test program, as the application does at start-up. Add this file to
// the SOURCES of a Windows test program that uses sockets.
#include <gtest/gtest.h>

#include <winsock2.h>

namespace {

class WinsockEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        WSADATA data{};
        ASSERT_EQ(::WSAStartup(MAKEWORD(2, 2), &data), 0);
    }
    void TearDown() override { ::WSACleanup(); }
};

const auto* const g_winsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);

} // namespace
