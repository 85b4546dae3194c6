#include "win32/services_win.h"

#include <windows.h>

#include "state/stamp.h"

namespace tsln {

MsgAnswer Win32Messages::Show(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    UINT flags = buttons == MsgButtons::YesNo ? MB_YESNO | MB_DEFBUTTON1 : MB_OK;
    if (buttons == MsgButtons::YesNoDefaultNo)
        flags = MB_YESNO | MB_DEFBUTTON2;
    if (icon == MsgIcon::Error)
        flags |= MB_ICONERROR;
    if (icon == MsgIcon::Information)
        flags |= MB_ICONINFORMATION;
    if (icon == MsgIcon::Question)
        flags |= MB_ICONQUESTION;
    if (icon == MsgIcon::Warning)
        flags |= MB_ICONEXCLAMATION;
    // Owned by whichever of our windows is active, so the box is modal to it;
    // before the main window exists there is none.
    const int answer = MessageBoxA(GetActiveWindow(), text.c_str(), "Tessaline", flags);
    if (answer == IDYES)
        return MsgAnswer::Yes;
    if (answer == IDNO)
        return MsgAnswer::No;
    return MsgAnswer::Ok;
}

void Win32Beeper::Beep() {
    MessageBeep(MB_OK);
}

DateTimeText Win32Clock::Now() {
    char date[128] = "";
    char time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return {date, time};
}

std::string Win32Clock::Stamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FormatStamp(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    const auto slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

std::string CommandLineArguments() {
    const char* line = GetCommandLineA();
    // The program's name is quoted when its path has spaces; otherwise it ends
    // at the first blank.
    if (*line == '"') {
        ++line;
        while (*line != '\0' && *line != '"')
            ++line;
        if (*line == '"')
            ++line;
    } else {
        while (*line != '\0' && *line != ' ' && *line != '\t')
            ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

}  // namespace tsln
