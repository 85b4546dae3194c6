// File > Save Choices... and Load Choices...: the main window's rows and the
// TV-Out pair, to a choices file and back.
#include "app/frm_main.h"
#include "choices/choices_file.h"
#include "tvout/tvout_store.h"

namespace tsln {

void frmMain::mnuSaveChoices_Click(const std::string& path) {
    const SavedChoices choices{system_.clock.Stamp(), state_.DeviceDescription, MonitorName(monitor), editor.Captions(),
                               settings_.TvOut()};
    if (!system_.files.Replace(path, FormatChoices(choices))) {
        system_.messages.Show("Error writing " + FileNameOf(path) + ". Nothing was saved.", MsgButtons::Ok,
                              MsgIcon::Error);
    }
}

void frmMain::mnuLoadChoices_Click(const std::string& path) {
    const std::string name = FileNameOf(path);
    std::string text;
    std::string error = name + " could not be read.";
    std::optional<LoadedChoices> loaded;
    const FileRead read = system_.files.ReadWhole(path, kChoicesMaxBytes, &text);
    if (read == FileRead::TooLarge)
        error = name + " is not a Tessaline choices file (it is larger than 64 KB).";
    if (read == FileRead::Ok)
        loaded = ReadChoices(text, name, &error);
    if (!loaded) {
        system_.messages.Show(error + " Nothing was loaded.", MsgButtons::Ok, MsgIcon::Error);
        return;
    }

    // The pair first: a store the registry refuses then leaves the rows as
    // they were too.
    if (loaded->tvOut[0] || loaded->tvOut[1]) {
        TvOutEntries typed = settings_.TvOut();
        for (int i = 0; i < 2; ++i) {
            if (loaded->tvOut[i])
                typed[i] = *loaded->tvOut[i];
        }
        if (!StoreTvOutEntries(system_, state_, *this, typed))
            return;
    }
    if (!Check1)
        Check1_Click();
    for (int row = 0; row < kResolutionCount; ++row) {
        if (loaded->rates[row])
            editor.ShowRate(row, *loaded->rates[row]);
    }
}

}  // namespace tsln
