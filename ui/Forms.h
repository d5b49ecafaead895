#pragma once
// Forms, the application object and the screen.
//
// Starting the application on the headless display (tests and tools):
//
//     #include "platform/HeadlessDisplay.h"
//     #include "ui/Forms.h"
//     auto* display = new HeadlessDisplay(1280, 1024);      // before anything else
//     SetDisplay(std::unique_ptr<Display>(display));
//     Application->Initialize();
//     TForm* form = Application->CreateForm<TForm>();         // first form = main form
//     form->SetClientWidth(400); ...; form->Show();
//     Application->ProcessMessages();                         // runs layout and paint
//
// Real input goes through the display, in screen coordinates; then pump the loop:
//
//     TPoint p = edit->ClientToScreen({5, 5});
//     display->Click(p.X, p.Y);            // move, press, release
//     display->KeyPress('A', ModShift);    // key down, text "A", key up
//     display->Type("text");               // characters only
//     display->Advance(600);               // fake clock: timers, double-click time, caret
//     Application->ProcessMessages();
//
// Modal loops (ShowModal, MessageBox, the error box) pump the same display; a test that
// must act while one runs sets Application->OnIdle (called whenever the loop has nothing to
// do) to look at Screen->ActiveForm() and inject input, e.g. press Enter on the box.
//
// Writing a window to PNG: WriteWindowPng(form, "out.png") (ui/Snapshot.h) writes the pixels
// the window system last painted for that window (any control, top-level or child).
//
// Between tests: Application->Reset() destroys every form, timer and posted message and
// leaves the display in place.
#include <functional>
#include <string>
#include <vector>

#include "gfx/ImageList.h"
#include "rtl/Exceptions.h"
#include "ui/Controls.h"

class TForm;

enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

// Border icons, a set of bits.
using TBorderIcons = unsigned;
constexpr TBorderIcons biSystemMenu = 0x01;
constexpr TBorderIcons biMinimize = 0x02;
constexpr TBorderIcons biMaximize = 0x04;
constexpr TBorderIcons biHelp = 0x08;

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;
using TExceptionEvent = std::function<void(TObject* sender, const std::exception& e)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;

// A top-level window. Without a frame of its own program (a WindowProc takeover), the default
// non-client area is a classic frame: 3-pixel border, a caption bar with the caption text and
// the border icons' buttons.
class TCustomForm : public TCustomControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Raises OnCreate; Application->CreateForm calls it after construction.
    virtual void AfterConstruction();

    void Show();
    void Hide();
    // Asks to close: CloseQuery, OnClose, then hide or free by the close action. Closing
    // the main form ends the application.
    void Close();
    virtual bool CloseQuery();
    // Shows the form modally; returns ModalResult once it is set (or the form closes).
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    bool Modal() const { return m_modal; }
    // Deletes the form from the loop, after the current message (safe from its handlers).
    void Release();

    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle style);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition position) { m_position = position; }
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState state);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle style) { m_formStyle = style; }
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool value) { m_autoScroll = value; }
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool value) { m_keyPreview = value; }

    // Focus within the form.
    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    // Called by the window system when the focus moved inside this form.
    void FocusChanged(TWinControl* control);
    bool Active() const { return m_active; }

    bool Showing() const override;
    TPoint ClientOrigin() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    // Display window id (0 while not shown).
    int DisplayWindow() const;
    // The picture the system shows for the window; empty: the application's icon.
    const TBitmap* Icon() const { return &m_icon; }
    void SetIcon(const TBitmap& icon);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    friend class TWindowSystem;
    friend class TApplication;
    friend class TWinControl;
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoClose(TCloseAction& action);
    void WMClose(TMessage& m) override;
    void WMActivate(TMessage& m) override;
    void WMSysCommand(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void CMDialogKey(TMessage& m) override;
    void CMRelease(TMessage& m) override;
    void CMTextChanged(TMessage& m) override;
    void WMNCCalcSize(TMessage& m) override;
    void WMNCPaint(TMessage& m) override;
    void WMNCHitTest(TMessage& m) override;
    void WMNCLButtonDown(TMessage& m) override;
    void WMNCLButtonDblClk(TMessage& m) override;

    TBorderIcons m_borderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormBorderStyle m_borderStyle = bsSizeable;
    TPosition m_position = poDesigned;
    TWindowState m_windowState = wsNormal;
    TFormStyle m_formStyle = fsNormal;
    bool m_autoScroll = false;
    bool m_keyPreview = false;
    TWinControl* m_activeControl = nullptr;
    bool m_active = false;
    bool m_modal = false;
    bool m_shownOnce = false;
    TModalResult m_modalResult = mrNone;
    TRect m_restoreBounds;
    TBitmap m_icon;
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner);
};

// The hint window: a borderless top-level window in the application's hint colour.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    ~THintWindow() override;
    // Size the text needs, limited to maxWidth (wraps words beyond it), from (0, 0).
    virtual TRect CalcHintRect(int maxWidth, const AnsiString& hint);
    // Shows the hint at rect (screen coordinates).
    virtual void ActivateHint(const TRect& rect, const AnsiString& hint);
    void ReleaseHandle(); // hides it
    bool Active() const { return m_shown; }
    bool Showing() const override { return m_shown; }
    TPoint ClientOrigin() const override;
    int DisplayWindow() const;

protected:
    void Paint() override;
    bool m_shown = false;
};

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;

    void Initialize();
    // Creates a form owned by the application; the first becomes the main form. Raises
    // OnCreate (AfterConstruction) before returning.
    template <class T> T* CreateForm() {
        T* form = new T(this);
        RegisterForm(form);
        form->AfterConstruction();
        return form;
    }
    template <class T> void CreateForm(T*& ref) { ref = CreateForm<T>(); }
    // Shows the main form and runs the loop until it closes or Terminate is called.
    void Run();
    // Handles every message that is waiting (input, posted, timers, paint), then returns.
    void ProcessMessages();
    // Waits for one message (or a timer) and handles it.
    void HandleMessage();
    void Terminate() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }
    TForm* MainForm() const { return m_mainForm; }

    // The executable's name without folder and extension.
    const AnsiString& Title() const { return m_title; }
    void SetTitle(const AnsiString& title) { m_title = title; }
    const std::string& ExeName() const { return m_exeName; }
    // The icon of every form that has none of its own; empty: the platform's default.
    const TBitmap* Icon() const { return &m_icon; }
    void SetIcon(const TBitmap& icon);

    // Hints.
    TColor HintColor() const { return m_hintColor; }
    void SetHintColor(TColor color) { m_hintColor = color; }
    int HintPause() const { return m_hintPause; }
    void SetHintPause(int ms) { m_hintPause = ms; }
    int HintShortPause() const { return m_hintShortPause; }
    void SetHintShortPause(int ms) { m_hintShortPause = ms; }
    int HintHidePause() const { return m_hintHidePause; }
    void SetHintHidePause(int ms) { m_hintHidePause = ms; }
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    // Shows the hint of the control under cursorPos (screen) now, without waiting.
    void ActivateHint(TPoint cursorPos);
    void CancelHint();
    void HideHint();
    // Forgets a control that is going away (no hint is shown for it any more).
    void CancelHintFor(const TControl* control);
    // Called by the window system on every mouse move (screen coordinates).
    void MouseMoved(TPoint screen, TWinControl* under);
    THintWindow* HintWindow() const { return m_hintWindow; }
    // Makes the hint window (its owner is the application); unset: a plain THintWindow.
    // Setting it drops the window made so far, so the next hint wears the new kind.
    using THintWindowClass = std::function<THintWindow*(TComponent* owner)>;
    void SetHintWindowClass(THintWindowClass make);

    // Errors: an exception that leaves a handler ends up here.
    void HandleException(TObject* sender);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;
    TIdleEvent OnIdle;
    TNotifyEvent OnHint;

    // A modal message box (the application's title when caption is empty); returns IDOK...
    int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags = MB_OK);

    // Destroys every form, the hint window, timers and posted messages (between tests).
    void Reset();

    void RegisterForm(TCustomForm* form);

private:
    friend class TWindowSystem;
    friend class TCustomForm;
    void Idle();
    void UpdateHint();

    TForm* m_mainForm = nullptr;
    bool m_terminated = false;
    TBitmap m_icon;
    AnsiString m_title;
    std::string m_exeName;
    TColor m_hintColor = clInfoBk;
    int m_hintPause = 500;
    int m_hintShortPause = 50;
    int m_hintHidePause = 2500;
    bool m_showHint = true;
    THintWindow* m_hintWindow = nullptr;
    THintWindowClass m_hintWindowClass;
    TControl* m_hintControl = nullptr;
    uint64_t m_hintDue = 0;
    uint64_t m_hintHideAt = 0;
    TRect m_hintCursorRect;
    bool m_hintShown = false;
};

// A cursor the screen knows: a built-in shape or an image registered with the display.
struct TCursorImage {
    int displayCursor = 0; // 0 = use shape
    int shape = 0;         // CursorShape as int
};
using HCURSOR = int; // display cursor id from LoadCursorImage

// Builds a cursor from a 32-bit picture (0xAARRGGBB) with its hot spot.
HCURSOR CreateCursorFromImage(const TBitmap& image, TPoint hotSpot);

class TScreen : public TComponent {
public:
    TScreen();
    int FormCount() const { return int(m_forms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return m_activeForm; }
    TWinControl* ActiveControl() const;
    // Cursor for the whole application (crDefault: each control's own).
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);
    // Cursors registered under numbers; an unregistered number shows the arrow.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR cursor);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return 96; }
    TFont* HintFont() { return &m_hintFont; }
    // Shows a cursor now (Screen's Cursor wins when it is not crDefault).
    void ShowCursor(TCursor cursor);

private:
    friend class TWindowSystem;
    friend class TCustomForm;
    friend class TApplication;
    std::vector<TCustomForm*> m_forms;
    TCustomForm* m_activeForm = nullptr;
    TCursor m_cursor = crDefault;
    std::vector<std::pair<int, HCURSOR>> m_cursors;
    TFont m_hintFont;
    TCursor m_shownCursor = 1 << 30;
};

extern TApplication* Application;
extern TScreen* Screen;

// The application's message box (Application->MessageBox with its title).
void ShowMessage(const AnsiString& text);
