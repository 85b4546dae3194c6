#pragma once
// What the windows' logic needs from the program's surroundings besides the
// platform backends: message boxes, the beep and the clock. The Win32 shell
// and the console each supply their own; tests use scripted ones.
#include <string>

namespace tsln {

// YesNoDefaultNo: a question where the safe answer is No, so Enter gives No.
enum class MsgButtons { Ok, YesNo, YesNoDefaultNo };
enum class MsgIcon { None, Error, Information, Question, Warning };
enum class MsgAnswer { Ok, Yes, No };

// Every box has the title "Tessaline"; a Yes/No box has Yes as its default
// unless it says otherwise.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
};

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

// The current date and time as the system formats them (short date, long time).
struct DateTimeText {
    std::string date;
    std::string time;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTimeText Now() = 0;
    // The same moment for the program's own records, in one fixed form
    // whatever the user's settings: "YYYY-MM-DD HH:MM:SS", local time.
    virtual std::string Stamp() = 0;
};

// What a handler asks of the shell once it has run.
enum class Outcome { Continue, EndProgram };

}  // namespace tsln
