#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// How stored and typed setting values become the numbers and texts the program uses.

// The limits the setup dialog keeps, applied to every stored value read or written: a value outside
// them is brought to the nearer limit, compared unsigned (a negative number counts as a large one).
// MaxEntries into kMaxEntriesMin..kMaxEntriesMax.
uint32_t ClampMaxEntries(uint32_t value);
// Strategy into 0..kStrategyCount - 1.
uint32_t ClampStrategy(uint32_t value);

// MaxEntries typed into the setup dialog: a negative entry is a large unsigned number and so stores
// the maximum; an empty field stores the minimum.
uint32_t MaxEntriesFromText(const char* text);

// The setup dialog's text for a stored MaxEntries, clamped so that its next OK stores a valid number.
std::string MaxEntriesText(uint32_t stored);

// The strategy radio button to check (0, 1 or 2) for a stored strategy; -1 checks none.
int StrategyButton(uint32_t strategy);

// The strategy to store from the radio buttons' states (the first button needs no state: it is the
// fallback).
uint32_t StrategyFromButtons(bool fixedMinMaxChecked, bool weighedSumChecked);

// A stored LastIndex, 0 when it names no server slot.
uint32_t LastIndexFromStore(uint32_t stored);

// The listener's address: the stored text, or the default when it is empty or null.
std::string ListenerServer(const char* text);

// The listener's port from its stored text: the low 16 bits of its decimal value. Empty text, text
// without digits and any value whose low 16 bits are 0 give the default port (port 0 would let the
// system pick a port that WSJT-X never sends to).
uint16_t ListenerPort(const char* text);

// The number in a value buffer of `size` bytes (at most 4 are used) that the store filled: little-endian,
// missing high bytes 0, whatever the value's registry type.
uint32_t DwordFromValueBuffer(const unsigned char* buffer, size_t size);

// The text in a value buffer of `size` bytes that the store filled: up to the first zero byte, or all
// `size` bytes when the value filled the buffer without a terminating zero. Never reads past `size`.
std::string TextFromValueBuffer(const char* buffer, size_t size);
