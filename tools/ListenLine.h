#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "intake/DatagramEvent.h"

// The line tavrel-listen prints for one datagram: the row texts of a new decode (tab-separated), the
// status text of any other message the main window acts on, and for an ignored datagram nothing, or
// with `verbose` the reason. A decode's message is printed through EscapeControls, so whatever a
// sender puts into it, one datagram stays one line of five fields.
std::optional<std::string> ListenLine(const DatagramEvent& event, size_t size, bool verbose);

// `text` with its control characters written out: tab, line feed and carriage return as \t, \n and
// \r, the others (below 0x20, and 0x7F) as \xNN, and the backslash itself as \\, so the escaped text
// reads back unambiguously. Other bytes, UTF-8 among them, are kept as they are.
std::string EscapeControls(std::string_view text);
