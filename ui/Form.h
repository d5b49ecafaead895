#pragma once
// TCustomForm and TForm: top-level windows, their frame, modal runs and closing.
#include <functional>
#include <memory>

#include "gfx/Bitmap.h"
#include "ui/CustomControl.h"
#include "ui/FormFrame.h"

class TForm;
class TMainMenu;
class TMainMenuAccessible;

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

// A top-level window. Without a frame of its own (SetFrame), the non-client area is a classic
// frame: 3-pixel border, a caption bar with the caption text and the border icons' buttons.
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
    // A frame named by its caption; a modal one is a dialog.
    void DescribeAccessible(TAccessibleInfo& info) const override;
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
    // Tells the active control, when it is not sender, that sender takes the mouse
    // (CM_CANCELMODE), so that it ends a drag or a pressed look of its own.
    void SendCancelMode(TControl* sender);
    void SetActiveControl(TWinControl* control);
    // Called by the window system when the focus moved inside this form.
    void FocusChanged(TWinControl* control);
    bool Active() const { return m_active; }
    // For the window system: the form was (de)activated, minimized or restored.
    void MarkActive(bool active) { m_active = active; }
    void WindowStateFromDisplay(TWindowState state) { m_windowState = state; }

    bool Showing() const override;
    TPoint ClientOrigin() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;

    // Display window id (0 while not shown).
    int DisplayWindow() const;
    // The picture the system shows for the window; empty: the application's icon.
    const TBitmap* Icon() const { return &m_icon; }
    void SetIcon(const TBitmap& icon);

    // The frame that draws and answers for the non-client area in place of the classic one
    // (nullptr: the classic frame). The form does not own it; a frame that goes away first
    // detaches itself with SetFrame(nullptr). Attaching or detaching recomputes the frame.
    TFormFrame* Frame() const { return m_frame; }
    void SetFrame(TFormFrame* frame);
    // The frame is asked about the messages the dispatch has no handler for.
    void DefaultHandler(TMessage& m) override;

    // The form's main menu (not owned; nullptr: none). The form does not draw it: its frame
    // does, told by CM_MENUCHANGED. The menu's "&" letters with Alt open it, after the
    // form's controls have had them.
    TMainMenu* Menu() const { return m_menu; }
    void SetMenu(TMainMenu* menu);
    void Notification(TComponent* component, TOperation operation) override;

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
    friend class TApplication;
    friend class TWinControl;
    void Paint() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void DoClose(TCloseAction& action);
    void WMClose(TWMNoParams& m) override;
    void WMActivate(TWMActivate& m) override;
    void WMSysCommand(TWMSysCommand& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void CMDialogKey(TWMKey& m) override;
    void CMDialogChar(TWMChar& m) override;
    void CMRelease(TWMNoParams& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    void WMNCCalcSize(TWMNCCalcSize& m) override;
    void WMNCPaint(TWMNCPaint& m) override;
    void WMNCHitTest(TWMNCHitTest& m) override;
    void WMNCActivate(TWMNCActivate& m) override;
    void WMNCMouseMove(TWMNCMouse& m) override;
    void WMNCLButtonDown(TWMNCMouse& m) override;
    void WMNCLButtonUp(TWMNCMouse& m) override;
    void WMNCLButtonDblClk(TWMNCMouse& m) override;
    void WMNCRButtonDown(TWMNCMouse& m) override;
    void WMNCRButtonUp(TWMNCMouse& m) override;
    void WMNCRButtonDblClk(TWMNCMouse& m) override;
    void WMNCMButtonDown(TWMNCMouse& m) override;
    // Handlers that exist for the frame: it is asked first or told after (ui/FormFrame.h).
    void WMSetText(TWMSetText& m) override;
    void WMSize(TWMSize& m) override;
    void WMSizing(TWMSizing& m) override;
    void WMMove(TWMMove& m) override;
    void WMGetMinMaxInfo(TWMGetMinMaxInfo& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void WMShowWindow(TWMShowWindow& m) override;
    void WMEnterSizeMove(TWMNoParams& m) override;
    void WMExitSizeMove(TWMNoParams& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMCancelMode(TWMNoParams& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void WMTimer(TWMTimer& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMRButtonDown(TWMMouse& m) override;
    void WMRButtonUp(TWMMouse& m) override;
    void WMMButtonDown(TWMMouse& m) override;

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
    TFormFrame* m_frame = nullptr;
    TMainMenu* m_menu = nullptr;
    // The menu's description for screen readers, made when first asked for.
    mutable std::unique_ptr<TMainMenuAccessible> m_menuAccessible;

private:
    // The menu's view takes the keys while the menu is in use.
    bool MenuTakesKey(WORD key) const;
    // The menu was set, replaced or went: the frame draws it anew, screen readers hear it.
    void MenuChanged();
    // The defaults of the handlers the frame hears around.
    void ActivateDefault(TWMActivate& m);
    void SysCommandDefault(TWMSysCommand& m);
    // The frame to tell after a default, which may have freed the form (alive, taken before
    // the default, is then false) or detached the frame.
    TFormFrame* FrameAfter(const std::shared_ptr<bool>& alive) const {
        return *alive ? m_frame : nullptr;
    }
    // Ends what the frame has open, before a message that leaves it behind.
    void InterruptFrame(TWinControl* focusTo = nullptr) {
        if (m_frame) m_frame->Interrupted(focusTo);
    }
};

class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* owner);
};
