#pragma once
// The program's own time stamps, "YYYY-MM-DD HH:MM:SS", made without the C
// library's formatter (which would bring its floating-point code into the
// Windows build).
#include <string>

#include "platform/names.h"

namespace tsln {

inline std::string FormatStamp(int year, int month, int day, int hour, int minute, int second) {
    const auto two = [](int n) { return std::string(1, static_cast<char>('0' + n / 10 % 10)) + char('0' + n % 10); };
    return two(year / 100) + two(year % 100) + "-" + two(month) + "-" + two(day) + " " + two(hour) + ":" + two(minute) +
           ":" + two(second);
}

// Exactly the form FormatStamp makes (and the console's --now takes): digits
// where the digits go, nothing else.
inline bool IsStamp(const std::string& text) {
    return FitsShape(text, "dddd-dd-dd dd:dd:dd");
}

}  // namespace tsln
