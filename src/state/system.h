#pragma once
// Everything the windows reach outside themselves, bundled so that a window
// class takes one reference instead of eight.
#include <string>

#include "platform/registry_api.h"
#include "platform/system_api.h"
#include "state/services.h"

namespace tsln {

struct System {
    RegistryApi& registry;
    DisplayModeApi& displayModes;
    DisplayDeviceApi& displayDevices;
    FileVersionApi& fileVersion;
    ShellApi& shell;
    FileApi& files;
    MessageBoxes& messages;
    Beeper& beeper;
    Clock& clock;
    std::string programFolder;  // Windows path of the folder holding the exe, no trailing backslash
    std::string commandLine;    // the arguments after the program's name, as one text
};

}  // namespace tsln
