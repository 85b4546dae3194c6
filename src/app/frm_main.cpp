#include "app/frm_main.h"

#include <cmath>
#include <vector>

#include "app/undo.h"
#include "editor/decimal_text.h"
#include "editor/fit_to_monitor.h"
#include "editor/mode_list_writer.h"
#include "editor/quick_set.h"
#include "editor/rate_rows.h"
#include "modes/catalogue.h"
#include "modes/list_check.h"
#include "modes/number_text.h"
#include "monitor/hand_limits.h"
#include "monitor/monitor_lookup.h"
#include "platform/key_closer.h"
#include "platform/one_line.h"
#include "platform/registry_helpers.h"
#include "platform/shell_helpers.h"
#include "platform/version_info.h"
#include "tvout/tvout_texts.h"

namespace tsln {
namespace {

const char kWindowsNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char kDeviceMapKey[] = "HARDWARE\\DEVICEMAP\\VIDEO";
// "\Registry\Machine\": what the kernel puts in front of an HKLM path.
constexpr std::size_t kKernelPrefixLength = 18;

const char kNoOs[] = "No compatible Operating System found";
const char kNoDriver[] = "No compatible Detonator version found";
const char kNewDriver[] = "New Detonator drivers found, do you want to run the program and re-apply your settings?";
const char kApplyQuestion[] = "Are you sure you want to apply these values to the registry?";
const char kApplyDone[] =
    "Values added succesfully. Please remember to REBOOT your computer for changes to take effect";
const char kWriteError[] = "Error writing to the registry";
const char kResetQuestion[] = "Are you sure you wish to set the Nvidia driver default values?";
const char kResetDone[] = "Default values reset successfully";
const char kNoHelp[] = "Help file (tslnhelp.chm) not found";
const char kUnknownAdapter[] =
    "Your graphics adapter is not in Tessaline's list of supported adapters, so its driver mode list is not "
    "known. Nothing was written.";

}  // namespace

frmMain::frmMain(System& system, ProgramState& state, VsyncTester& tester)
    : about(*this),
      tvores(system, state, *this),
      d3d(system, *this, tester),
      limits(system, *this),
      system_(system),
      state_(state),
      settings_(system.registry) {}

Outcome frmMain::Form_Load() {
    heightTwips = kSimpleViewTwips;

    state_.OsVersion = RegGetString(system_.registry, kHkeyLocalMachine, kWindowsNtKey, "CurrentVersion", "");
    if (state_.OsVersion == "5.1")
        lblOS = "Windows XP";
    if (state_.OsVersion == "5.0")
        lblOS = "Windows 2000";
    if (state_.OsVersion != "5.0" && state_.OsVersion != "5.1") {
        system_.messages.Show(kNoOs, MsgButtons::Ok, MsgIcon::Error);
        return Outcome::EndProgram;
    }

    if (state_.OsVersion != "5.1") {
        state_.DriverRegPath = kWindows2000DriverKey;
    } else {
        state_.VideoDeviceEntry =
            RegGetString(system_.registry, kHkeyLocalMachine, kDeviceMapKey, "\\Device\\Video0", "");
        // A missing or stunted entry leaves the path empty; such a system then
        // fails the driver check instead of reading some other key.
        if (state_.VideoDeviceEntry.size() > kKernelPrefixLength) {
            state_.DriverRegPath = state_.VideoDeviceEntry.substr(kKernelPrefixLength);
        }
    }

    ShowMenuLoadState();
    DetectDisplayDriver();
    state_.DetonatorVersion =
        GetVersionInfo(system_.fileVersion, GetSystemDir(system_.shell) + "\\" + state_.DriverDllName + ".dll");
    lblDetVersion = state_.DetonatorVersion;
    state_.DeviceDescription =
        RegGetString(system_.registry, kHkeyLocalMachine, state_.DriverRegPath, "Device Description", "");
    state_.CompressedModeFormat =
        RegGetDword(system_.registry, kHkeyLocalMachine, state_.DriverRegPath, "UseCompressedModeFormat", 0) != 0;

    // Drivers from build 4041 on take rate masks. The comparison is by
    // character codes, so "N/A" (no version resource) counts as new.
    const std::string& version = state_.DetonatorVersion;
    const std::string build = version.size() > 4 ? version.substr(version.size() - 4) : version;
    if (state_.CompressedModeFormat && build >= "4041") {
        state_.MaskModeFormat = true;
        mnuTVORes.enabled = false;
    } else {
        mnuTVORes.enabled = true;
        quickSetEnabled = false;  // the quick set writes rates in Hz, which only masks can hold
    }
    editor.SetMaskModeFormat(state_.MaskModeFormat);

    AddTvOutModes();
    ShowAddedResolutions();

    if (state_.DriverDllName != "nv4" && state_.DriverDllName != "nv4_disp") {
        system_.messages.Show(kNoDriver, MsgButtons::Ok, MsgIcon::Error);
        settings_.SetLastDetVersion(state_.DetonatorVersion);
        return Outcome::EndProgram;
    }

    if (!StartupCheckPasses())
        return Outcome::EndProgram;

    ShowSystemRates();
    settings_.SetLastDetVersion(state_.DetonatorVersion);
    lblAdapters = state_.DeviceDescription;
    ReadMonitor();
    const auto adapter = state_.CompressedModeFormat
                             ? SelectAdapterDeltaModes(state_.DeviceDescription, state_.MaskModeFormat)
                             : SelectAdapterModes(state_.DeviceDescription);
    if (adapter) {
        state_.ModesValueName = adapter->valueName;
        DefaultModeList = adapter->defaultList;
    }
    WriteDebugLog();
    ShowUndoState();
    return Outcome::Continue;
}

void frmMain::DetectDisplayDriver() {
    if (state_.DriverRegPath.empty())
        return;
    RegHandle key = 0;
    if (system_.registry.OpenKeyEx(kHkeyLocalMachine, state_.DriverRegPath.c_str(), 0, kKeyRead, &key) !=
        kErrorSuccess) {
        return;
    }
    KeyCloser closer(system_.registry, key);
    constexpr std::uint32_t kBufferSize = 255;
    std::vector<std::uint8_t> buffer(kBufferSize, ' ');
    std::uint32_t size = kBufferSize;
    std::uint32_t type = kRegNone;
    const long result = system_.registry.QueryValueEx(key, "InstalledDisplayDrivers", &type, buffer.data(), &size);
    // Only a one-entry list "name" NUL NUL can name a driver; a list of
    // several keeps the NUL between them and so never matches.
    if (result == kErrorSuccess && type == kRegMultiSz && size >= 2 && size <= kBufferSize) {
        state_.DriverDllName.assign(buffer.begin(), buffer.begin() + (size - 2));
    }
}

bool frmMain::StartupCheckPasses() {
    if (system_.commandLine != "/startup")
        return true;
    if (settings_.LastDetVersion() == state_.DetonatorVersion)
        return false;
    system_.beeper.Beep();
    return system_.messages.Show(kNewDriver, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes;
}

void frmMain::WriteDebugLog() {
    const DateTimeText now = system_.clock.Now();
    const auto pair = [](const std::string& width, const std::string& height) {
        return width.empty() || height.empty() ? std::string() : width + "x" + height;
    };
    const char* const crlf = "\r\n";
    // The date and time come in the user's own formats, the description and
    // the path straight from the registry: each stays on its line.
    std::string log;
    log += "[" + OneLine(now.date) + "][" + OneLine(now.time) + "]" + crlf;
    log += "Windows version: " + state_.OsVersion + crlf;
    log += "Detonator version: " + state_.DetonatorVersion + crlf;
    log += "Card Description: " + OneLine(state_.DeviceDescription) + crlf;
    log += "Adapter codename: " + state_.ModesValueName + crlf;
    log += std::string("Adapter modes: ") + (state_.CompressedModeFormat ? "Compressed" : "Normal") + crlf;
    log += "Registry path: " + OneLine(state_.DriverRegPath) + crlf;
    log += "DLL Used: " + state_.DriverDllName + ".dll" + crlf;
    log += std::string("Program mode: ") + (system_.commandLine == "/startup" ? "Startup Mode" : "Normal Mode") + crlf;
    log += "TV Resolutions: 1. " + pair(state_.TvOutWidth1, state_.TvOutHeight1) + " 2. " +
           pair(state_.TvOutWidth2, state_.TvOutHeight2) + crlf;
    // A log that cannot be written (read-only folder) must not stop the
    // program from starting: it is a diagnostic, nothing depends on it.
    system_.files.WriteNew(system_.programFolder + "\\debug.txt", log);
}

void frmMain::AddTvOutModes() {
    settings_.CompleteTvOut();
    const TvOutEntries entries = settings_.TvOut();
    state_.TvOutWidth1 = PadTvOutText(entries[0].width);
    state_.TvOutHeight1 = PadTvOutText(entries[0].height);
    state_.TvOutWidth2 = PadTvOutText(entries[1].width);
    state_.TvOutHeight2 = PadTvOutText(entries[1].height);
    state_.TvOut = BuildTvOutFragments(entries, true);
}

void frmMain::ShowAddedResolutions() {
    // The mask syntax carries no TV-Out entries, which the advanced view says.
    Label50 = state_.MaskModeFormat && Check1 ? "Added Resolutions: N/A" : AddedResolutionsCaption(settings_.TvOut());
}

std::string frmMain::RowCaption(int row) const {
    return kRateRows[row].caption;
}

void frmMain::ShowSystemRates() {
    editor.ShowSystemRates(system_.displayModes);
}

void frmMain::ShowMenuLoadState() {
    mnuLoad.checked = settings_.LoadOnStartup();
}

void frmMain::Check1_Click() {
    Check1 = !Check1;
    if (Check1) {
        editor.SyncSelectorsFromLabels();
        editor.SetAllEnabled(true);
        mnuLoad.enabled = true;
        if (!state_.MaskModeFormat)
            mnuTVORes.enabled = true;
        mnuFitMonitor.enabled = monitorLimits.limits.has_value();
        if (state_.MaskModeFormat)
            ShowAddedResolutions();
        heightTwips = kAdvancedViewTwips;
    } else {
        editor.SetAllEnabled(false);
        ShowSystemRates();
        mnuLoad.enabled = false;
        mnuTVORes.enabled = false;
        mnuFitMonitor.enabled = false;
        heightTwips = kSimpleViewTwips;
    }
    ShowMenuLoadState();
}

void frmMain::Selector_Arrow(int row, int delta) {
    if (editor.SelectorOf(row).enabled)
        editor.Arrow(row, delta);
}

bool frmMain::RefuseUnknownAdapter(const std::string& list) {
    // With no value name the write would land in the key's unnamed default
    // value, which the driver never reads.
    if (!state_.ModesValueName.empty() && !list.empty())
        return false;
    system_.messages.Show(kUnknownAdapter, MsgButtons::Ok, MsgIcon::Error);
    return true;
}

void frmMain::cmdApply_Click() {
    const std::string list = BuildModeList(state_.Syntax(), editor.Captions(), state_.TvOut);
    // Checked before the question: an adapter we cannot write for should not
    // be asked about.
    if (RefuseUnknownAdapter(list))
        return;
    if (!ConfirmWithinMonitor())
        return;
    if (system_.messages.Show(kApplyQuestion, MsgButtons::YesNo, MsgIcon::None) != MsgAnswer::Yes)
        return;

    const ListCheck check = CheckModeList(list, state_.Syntax());
    if (!check.ok) {
        system_.messages.Show(InvalidListMessage(check.reason), MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    NewModeList = list;
    // The log line goes first: if it cannot be written the registry is left
    // alone, so debug.txt never misses a list that reached the driver.
    if (!system_.files.Append(system_.programFolder + "\\debug.txt", "Added registry value: " + list + "\r\n") ||
        !WriteModeListKeepingUndo(system_, state_.DriverRegPath, state_.ModesValueName, list)) {
        system_.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        ShowUndoState();
        return;
    }
    ShowUndoState();
    system_.messages.Show(kApplyDone, MsgButtons::Ok, MsgIcon::Information);
}

std::string frmMain::InvalidListMessage(const std::string& reason) const {
    std::string message = "The mode list built from these settings is not valid (" + reason + "). Nothing was written.";
    // The rates come from the selectors, which only hold what a row can
    // take; the TV-Out entries are the part a user can have typed or stored
    // by other means. A list that passes without them points at them.
    const bool tvOutAtFault =
        CheckModeList(BuildModeList(state_.Syntax(), editor.Captions(), TvOutFragments{}), state_.Syntax()).ok;
    if (tvOutAtFault) {
        message += " Change or clear the TV-Out resolution it names (Extras > TV-Out Resolutions), then apply again.";
    } else {
        message += " Untick Advanced Mode to reload the rates from the system, then apply again.";
    }
    return message;
}

void frmMain::cmdReset_Click() {
    if (RefuseUnknownAdapter(DefaultModeList))
        return;
    if (system_.messages.Show(kResetQuestion, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes) {
        if (!CheckModeList(DefaultModeList, state_.Syntax()).ok ||
            !WriteModeListKeepingUndo(system_, state_.DriverRegPath, state_.ModesValueName, DefaultModeList)) {
            system_.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
            ShowUndoState();
            return;
        }
        ShowUndoState();
        system_.messages.Show(kResetDone, MsgButtons::Ok, MsgIcon::None);
    }
    ShowSystemRates();
}

void frmMain::cmdCalc_Click() {
    // Text that is no frequency leaves everything as it was.
    if (!QuickSet(editor, Text1))
        return;
    defaultButton = DefaultButton::None;
}

void frmMain::cmdCalcDef_Click() {
    ShowSystemRates();
}

void frmMain::Text1_Change(const std::string& text) {
    Text1 = text;
    defaultButton = DefaultButton::Calc;
}

void frmMain::UpDown24_Arrow(int delta) {
    // The arrows go on from a number the user typed, to the next whole number
    // that way (81.5 goes to 82 or 81), not from the spin control's own last
    // value.
    const auto typed = ParseDecimal(Text1);
    const double next = !typed ? UpDown24 + delta : delta > 0 ? std::floor(*typed) + 1 : std::ceil(*typed) - 1;
    if (next < 0 || next > kQuickSetMax)
        return;
    UpDown24 = static_cast<int>(next);
    const std::string text = std::to_string(UpDown24);
    if (text != Text1)
        Text1_Change(text);
}

void frmMain::mnuLoad_Click() {
    // Unquoted, a path with spaces would let Windows start C:\Program.exe.
    const std::string exe = system_.programFolder + "\\tsln.exe";
    const bool quote = exe.find(' ') != std::string::npos;
    const std::string command = (quote ? "\"" + exe + "\"" : exe) + " /startup";
    if (!settings_.SetLoadOnStartup(!mnuLoad.checked, command)) {
        system_.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
    }
    // The mark shows what the registry now holds, so a refused write is
    // visible instead of hidden behind a flipped mark.
    ShowMenuLoadState();
}

void frmMain::mnuTVORes_Click() {
    if (!tvores.loaded)
        tvores.Form_Load();
}

void frmMain::mnuD3DTest_Click() {
    if (!d3d.loaded)
        d3d.Form_Load();
}

void frmMain::mnuAbout_Click() {
    if (!about.loaded)
        about.Form_Load();
}

void frmMain::mnuTopics_Click() {
    if (!OpenHtmlHelp(system_.shell, system_.programFolder + "\\tslnhelp.chm", 0, 0)) {
        system_.messages.Show(kNoHelp, MsgButtons::Ok, MsgIcon::Error);
    }
}

void frmMain::mnuUndo_Click() {
    if (!mnuUndo.enabled)
        return;
    UndoLastChangeOf(system_, state_.DriverRegPath, state_.ModesValueName);
    ShowUndoState();
}

void frmMain::ShowUndoState() {
    mnuUndo.enabled =
        !state_.ModesValueName.empty() && HasUndoFor(system_.registry, state_.DriverRegPath, state_.ModesValueName);
}

void frmMain::Label49_Click() {
    OpenWebSite(system_.shell);
}

void frmMain::ReadMonitor() {
    const std::string deviceId = PrimaryMonitorDeviceId(system_.displayDevices);
    monitor = ReadMonitorEdid(system_.registry, deviceId);
    monitorId_ = MonitorId(deviceId, monitor);
    mnuMonitorLimits.enabled = !monitorId_.empty();
    ShowMonitorLimits();
}

void frmMain::ShowMonitorLimits() {
    monitorLimits = ChooseLimits(ReadHandLimits(system_.registry, monitorId_), monitor);
    lblMonitor = MonitorCaption(monitor, monitorLimits);
    mnuFitMonitor.enabled = Check1 && monitorLimits.limits.has_value();
    // The quick set starts from the monitor's own figure, so Set works
    // without the user knowing it; and never from limits no longer in force.
    const int kHz = monitorLimits.limits ? monitorLimits.limits->maxHorizontalKHz : 0;
    Text1 = kHz > 0 ? std::to_string(kHz) : std::string();
    if (kHz <= kQuickSetMax)
        UpDown24 = kHz;
}

void frmMain::mnuFitMonitor_Click() {
    if (!mnuFitMonitor.enabled || !monitorLimits.limits)
        return;
    FitToMonitor(editor, *monitorLimits.limits, ListedByMonitor(), state_.MaskModeFormat);
}

void frmMain::mnuMonitorLimits_Click() {
    if (mnuMonitorLimits.enabled && !limits.loaded)
        limits.Form_Load(monitorId_, monitor);
}

// What a damaged block lists is no more to be trusted than its limits.
std::vector<ListedTiming> frmMain::ListedByMonitor() const {
    return monitor && monitor->checksumOk ? monitor->listed : std::vector<ListedTiming>{};
}

bool frmMain::ConfirmWithinMonitor() {
    if (!monitorLimits.limits)
        return true;
    const RowsOutside rows =
        RowsOutsideMonitor(editor.Captions(), state_.Syntax(), *monitorLimits.limits, ListedByMonitor());
    if (rows.empty())
        return true;
    const bool byHand = monitorLimits.source == LimitsSource::Hand;
    return system_.messages.Show(OutsideMonitorQuestion(rows, *monitorLimits.limits, byHand),
                                 MsgButtons::YesNoDefaultNo, MsgIcon::Warning) == MsgAnswer::Yes;
}

}  // namespace tsln
