#pragma once
#include <string_view>

// A clock shift typed by a user or passed on a command line: the leading decimal number of the text
// (white space skipped, optional sign, digits with "." as the decimal point, optional exponent); anything
// else ends the number and a text without one gives 0.0. Words such as "inf" or "nan" and hexadecimal
// forms are not numbers here, so they never reach the clock as anything but 0.0.
double ParseShiftText(std::string_view text);
