#include "win32/views_win.h"

#include <commdlg.h>

namespace tsln {

bool AskChoicesFile(HWND owner, bool save, std::string* path) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    // The size Windows 2000 knows; later versions take it too.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "Tessaline choices (*.tsln)\0*.tsln\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = save ? "Save Choices" : "Load Choices";
    dialog.lpstrDefExt = "tsln";
    dialog.Flags =
        OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog)))
        return false;
    *path = file;
    return true;
}

}  // namespace tsln
