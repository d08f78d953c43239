#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "intake/DatagramEvent.h"

// The line tavrel-listen prints for one datagram: the row texts of a new decode (tab-separated), the
// status text of any other message the main window acts on, and for an ignored datagram nothing, or
// with `verbose` the reason.
std::optional<std::string> ListenLine(const DatagramEvent& event, size_t size, bool verbose);
