#pragma once
// The Win32 side of the services the window classes use, and the two facts
// about the process they need: its folder and its command line.
#include <string>

#include "state/services.h"

namespace tsln {

class Win32Messages : public MessageBoxes {
public:
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
};

class Win32Beeper : public Beeper {
public:
    void Beep() override;
};

// The user's short date and long time formats, as Windows renders them.
class Win32Clock : public Clock {
public:
    DateTimeText Now() override;
    std::string Stamp() override;
};

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();
// Everything after the program's own name, as the system passed it.
std::string CommandLineArguments();

}  // namespace tsln
