#pragma once
// The views: each forwards its controls' events to its window class and,
// after every handler, copies the class's state back onto the controls.
#include "app/frm_main.h"

#include <windows.h>

#include <array>

#include "win32/gdi_win.h"

namespace tsln {

// A modeless dialog from a template whose procedure only dispatches.
class DialogView {
public:
    virtual ~DialogView();
    HWND Handle() const { return hwnd_; }
    bool Open(HINSTANCE instance, int templateId, HWND owner);
    void Close();

protected:
    virtual void OnInit() {}
    // Control notifications; true when handled.
    virtual bool OnCommand(int id, int code) = 0;
    virtual bool OnNotify(NMHDR*, LRESULT*) { return false; }
    // The close box: Cancel, unless a window says otherwise.
    virtual void OnClose() { OnCommand(IDCANCEL, BN_CLICKED); }
    virtual bool OnSetCursor(HWND) { return false; }
    virtual HBRUSH OnControlColour(HDC, HWND) { return nullptr; }

    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    void SetText(int id, const std::string& text);

    // An edit box and the text of the window class it shows.
    struct TextBox {
        int id;
        std::string* text;
    };
    template <std::size_t N>
    void ReadTexts(const std::array<TextBox, N>& boxes) const {
        for (const TextBox& box : boxes)
            *box.text = WindowText(Item(box.id));
    }
    template <std::size_t N>
    void ShowTexts(const std::array<TextBox, N>& boxes) {
        for (const TextBox& box : boxes)
            SetText(box.id, *box.text);
    }
    template <std::size_t N>
    void LimitTexts(const std::array<TextBox, N>& boxes, int characters) const {
        for (const TextBox& box : boxes)
            SendMessageA(Item(box.id), EM_LIMITTEXT, characters, 0);
    }
    HWND hwnd_ = nullptr;

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

class MainView;

// The common Save or Open dialog for a choices file; false when the user
// cancels it.
bool AskChoicesFile(HWND owner, bool save, std::string* path);

class AboutView : public DialogView {
public:
    AboutView(frmAbout& form, MainView& main) : form_(form), main_(main) {}

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    frmAbout& form_;
    MainView& main_;
    UniqueFont font_;
};

class TvOutView : public DialogView {
public:
    TvOutView(frmTVORes& form, MainView& main) : form_(form), main_(main) {}
    void Sync();

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    std::array<TextBox, 4> Boxes();
    frmTVORes& form_;
    MainView& main_;
    UniqueFont font_;
    UniqueFont bold_;
};

class LimitsView : public DialogView {
public:
    LimitsView(frmLimits& form, MainView& main) : form_(form), main_(main) {}
    void Sync();

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    std::array<TextBox, 5> Boxes();
    frmLimits& form_;
    MainView& main_;
    UniqueFont font_;
    UniqueFont bold_;
};

class TesterView : public DialogView {
public:
    TesterView(frmD3D& form, MainView& main) : form_(form), main_(main) {}
    void Sync();

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    void ReadChoice();
    frmD3D& form_;
    MainView& main_;
    UniqueFont font_;
    UniqueFont bold_;
};

class MainView : public DialogView {
public:
    MainView(frmMain& form, HINSTANCE instance)
        : form_(form),
          instance_(instance),
          about_(form.about, *this),
          tvOut_(form.tvores, *this),
          tester_(form.d3d, *this),
          limits_(form.limits, *this) {}

    bool Create();
    // After any handler of any window: every window shows its class's state,
    // and the small windows open or close as their classes say.
    void Sync();
    // Keyboard navigation (Tab, Enter, Esc) for whichever of our dialogs has it.
    bool TranslateDialogMessage(MSG* message);
    void EndProgram();

private:
    void OnInit() override;
    bool OnCommand(int id, int code) override;
    void OnClose() override { EndProgram(); }
    bool OnNotify(NMHDR* header, LRESULT* result) override;
    bool OnSetCursor(HWND window) override;
    HBRUSH OnControlColour(HDC dc, HWND control) override;
    void SyncWindows();
    void SetHeight(int twips);
    bool Text1Takes(MSG* message);

    frmMain& form_;
    HINSTANCE instance_;
    AboutView about_;
    TvOutView tvOut_;
    TesterView tester_;
    LimitsView limits_;
    UniqueFont bold_;
    UniqueFont link_;
    bool syncing_ = false;
    char decimalSeparator_ = '.';  // the user's own, from the regional settings
};

}  // namespace tsln
