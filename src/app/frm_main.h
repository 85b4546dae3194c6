#pragma once
// The main window "Tessaline v2.0" as a plain class: the state of its
// controls and its event handlers. The Win32 view and the console both drive
// it; neither holds any logic of its own.
#include <optional>
#include <string>

#include "app/frm_about.h"
#include "editor/rate_editor.h"
#include "monitor/edid.h"
#include "monitor/frm_limits.h"
#include "monitor/monitor_limits.h"
#include "settings/settings.h"
#include "state/owner_window.h"
#include "state/program_state.h"
#include "state/system.h"
#include "tvout/frm_tvores.h"
#include "vsync/frm_d3d.h"

namespace tsln {

constexpr int kSimpleViewTwips = 5800;
constexpr int kAdvancedViewTwips = 6400;

struct MenuItem {
    bool enabled = true;
    bool checked = false;
};

enum class DefaultButton { Apply, Calc, None };

class frmMain : public OwnerWindow {
public:
    frmMain(System& system, ProgramState& state, VsyncTester& tester);

    // Controls, as the user sees them.
    std::string lblOS;
    std::string lblDetVersion;
    std::string lblAdapters;
    std::string Label50;     // "Added Resolutions: ..."
    std::string lblMonitor;  // after "Monitor:", see MonitorCaption
    RateEditor editor;
    bool Check1 = false;  // "Advanced Mode"; also the form's AdvancedMode flag
    MenuItem mnuLoad{false, false};
    MenuItem mnuTVORes{false, false};
    MenuItem mnuFitMonitor{false, false};  // "Fit to &Monitor": advanced view with the limits known
    MenuItem mnuUndo{false, false};        // a change of this driver's list can be undone
    bool quickSetEnabled = true;           // Text1, UpDown24, cmdCalc and cmdCalcDef
    std::string Text1;
    int UpDown24 = 0;
    // "Monitor L&imits...": there is a monitor to keep limits for, EDID or not.
    MenuItem mnuMonitorLimits{false, false};
    DefaultButton defaultButton = DefaultButton::Apply;
    int heightTwips = 0;
    bool enabled = true;  // false while one of the small windows is open

    std::optional<Edid> monitor;  // the monitor's EDID as start-up found it
    LimitsInForce monitorLimits;

    std::string DefaultModeList;
    std::string NewModeList;

    frmAbout about;
    frmTVORes tvores;
    frmD3D d3d;
    frmLimits limits;

    // The whole start-up. EndProgram when the system is refused or a quiet
    // "/startup" run has nothing to do.
    Outcome Form_Load();

    void Check1_Click();
    void Selector_Arrow(int row, int delta);  // a click on a row's spin arrows
    void cmdApply_Click();
    void cmdReset_Click();
    void cmdCalc_Click();
    void cmdCalcDef_Click();
    void Text1_Change(const std::string& text);
    void UpDown24_Arrow(int delta);

    // File > "Save Choices..." into the file the user chose: the rows as
    // shown and the stored TV-Out pair. An error box when it cannot be
    // written; a file already there is then left as it was.
    void mnuSaveChoices_Click(const std::string& path);
    // File > "Load Choices...": the TV-Out pair stored as the dialog's OK
    // stores it, Advanced Mode on, then each row the file names set as the
    // arrows could. A file with any fault changes nothing: one error box.
    void mnuLoadChoices_Click(const std::string& path);
    Outcome mnuExit_Click() { return Outcome::EndProgram; }
    void mnuLoad_Click();
    void mnuTVORes_Click();
    void mnuD3DTest_Click();
    void mnuTopics_Click();
    void mnuAbout_Click();
    void mnuUndo_Click();
    void Label49_Click();
    void mnuFitMonitor_Click();
    void mnuMonitorLimits_Click();

    void ShowSystemRates();

    // What the small windows may ask of this one.
    void SetEnabled(bool on) override { enabled = on; }
    void ShowAddedResolutions() override;
    std::string RowCaption(int row) const override;
    std::string RateCaption(int row) const override { return editor.Caption(row); }
    void ShowMonitorLimits() override;

private:
    void DetectDisplayDriver();
    bool StartupCheckPasses();
    void WriteDebugLog();
    void AddTvOutModes();
    bool RefuseUnknownAdapter(const std::string& list);
    std::string InvalidListMessage(const std::string& reason) const;
    void ShowMenuLoadState();
    void ReadMonitor();
    bool ConfirmWithinMonitor();
    std::vector<ListedTiming> ListedByMonitor() const;
    void ShowUndoState();

    System& system_;
    ProgramState& state_;
    Settings settings_;
    std::string monitorId_;  // what the limits set by hand are kept under
};

}  // namespace tsln
