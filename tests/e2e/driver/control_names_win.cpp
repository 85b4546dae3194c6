// Control names as win32/resource.h spells them. The table of plain IDs is
// made from resource.h when the build is configured (control_names.inc), so
// a control added there can be named here at once; the numbered families
// LabelN and UpDownN go through their own macros.
#include <cstdlib>
#include <cstring>

#include "driver.h"
#include "win32/resource.h"

namespace {

const struct {
    const char* name;
    int id;
} kNames[] = {
#include "control_names.inc"
};

// "IDC_UPDOWN7" -> 7 when name starts with prefix and a number 1..last follows.
int Numbered(const std::string& name, const char* prefix, int last) {
    const std::size_t length = std::strlen(prefix);
    if (name.compare(0, length, prefix) != 0 || name.size() == length || name.size() > length + 2)
        return 0;
    if (name[length] == '0')
        return 0;
    for (std::size_t i = length; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9')
            return 0;
    }
    const int n = std::atoi(name.c_str() + length);
    return n <= last ? n : 0;
}

}  // namespace

int ControlId(const std::string& name) {
    for (const auto& entry : kNames) {
        if (name == entry.name)
            return entry.id;
    }
    if (const int n = Numbered(name, "IDC_LABEL", 57))
        return IDC_LABEL(n);
    if (const int n = Numbered(name, "IDC_UPDOWN", 24))
        return IDC_UPDOWN(n);
    Fail("no control named \"" + name + "\" in win32/resource.h");
}

HWND Control(HWND dialog, const std::string& name) {
    HWND control = GetDlgItem(dialog, ControlId(name));
    if (control == nullptr)
        Fail("no control " + name + " in this window");
    return control;
}
