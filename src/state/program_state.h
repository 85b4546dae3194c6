#pragma once
// Program-wide state: set once by the start-up, read by every window.
#include <string>

#include "modes/mode_list.h"
#include "modes/resolutions.h"

namespace tsln {

struct ProgramState {
    std::string OsVersion;
    std::string VideoDeviceEntry;
    std::string DriverRegPath;
    std::string DriverDllName;
    std::string DetonatorVersion;
    std::string DeviceDescription;
    bool CompressedModeFormat = false;
    bool MaskModeFormat = false;
    std::string ModesValueName;

    // The stored TV-Out texts as the start-up read them (three-character
    // values padded with a leading space), and the fragments they add to the
    // normal and compressed lists.
    std::string TvOutWidth1;
    std::string TvOutHeight1;
    std::string TvOutWidth2;
    std::string TvOutHeight2;
    TvOutFragments TvOut;

    ListSyntax Syntax() const {
        if (MaskModeFormat)
            return ListSyntax::Mask;
        return CompressedModeFormat ? ListSyntax::Compressed : ListSyntax::Normal;
    }
};

}  // namespace tsln
