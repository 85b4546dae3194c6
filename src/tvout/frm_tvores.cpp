#include "tvout/frm_tvores.h"

#include "app/frm_main.h"
#include "platform/registry_helpers.h"
#include "tvout/tvout_texts.h"

namespace tsln {

void frmTVORes::Form_Load() {
    loaded = true;
    main_.enabled = false;
    txtW1 = RegGetString(system_.registry, kHkeyLocalMachine, kTsLnKey, "ResW1", "");
    txtH1 = RegGetString(system_.registry, kHkeyLocalMachine, kTsLnKey, "ResH1", "");
    txtW2 = RegGetString(system_.registry, kHkeyLocalMachine, kTsLnKey, "ResW2", "");
    txtH2 = RegGetString(system_.registry, kHkeyLocalMachine, kTsLnKey, "ResH2", "");
}

void frmTVORes::Command1_Click() {
    txtW1.clear();
    txtH1.clear();
}

void frmTVORes::Command2_Click() {
    txtW2.clear();
    txtH2.clear();
}

void frmTVORes::Command3_Click() {
    txtW1 = "720";
    txtH1 = "480";
    txtW2 = "768";
    txtH2 = "576";
}

void frmTVORes::cmdDone_Click() {
    struct Box {
        const std::string& text;
        const char* name;
    };
    const Box rows[2][2] = {{{txtW1, "Width 1"}, {txtH1, "Height 1"}}, {{txtW2, "Width 2"}, {txtH2, "Height 2"}}};

    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        const std::string& width = rows[i][0].text;
        const std::string& height = rows[i][1].text;
        // An empty box or a "0" clears the entry: that is how a user removes one.
        if (width.empty() || height.empty() || width == "0" || height == "0") continue;
        for (const Box& box : rows[i]) {
            if (!IsTvOutNumber(box.text)) {
                system_.messages.Show(std::string(box.name) + " must be a number of three or four digits (for example " +
                                          (box.name[0] == 'W' ? "720" : "480") + ").",
                                      MsgButtons::Ok, MsgIcon::Error);
                return;
            }
        }
        entries[i] = {width, height};
    }

    const char* const names[2][2] = {{"ResW1", "ResH1"}, {"ResW2", "ResH2"}};
    for (int i = 0; i < 2; ++i) {
        RegSetString(system_.registry, kHkeyLocalMachine, kTsLnKey, names[i][0], entries[i].width);
        RegSetString(system_.registry, kHkeyLocalMachine, kTsLnKey, names[i][1], entries[i].height);
    }
    state_.TvOut = BuildTvOutFragments(entries, false);
    main_.ShowAddedResolutions();
    Unload();
}

void frmTVORes::Form_Close() { Unload(); }

void frmTVORes::Unload() {
    main_.enabled = true;
    loaded = false;
}

}  // namespace tsln
