#pragma once
// TWinControl: a control that owns a window: bounds in its parent, styles, z-order, focus,
// the non-client area, scroll bars and the update region.
#include <memory>

#include "ui/Control.h"

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // --- children (all of them, windowless and windowed, in the order they were added) ---
    int ControlCount() const { return int(m_controls.size()); }
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(const TControl* control) const; // anywhere below
    // The child (windowless or, with allowWinControls, windowed) under a client point.
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;

    // --- the window ---
    HWND Handle();
    bool HandleAllocated() const { return m_handleAllocated; }
    void HandleNeeded();
    // Rebuilds the window: styles and non-client area are computed again and all repaints.
    void RecreateWnd();
    DWORD Style() const { return m_style; }
    DWORD ExStyle() const { return m_exStyle; }
    void SetStyle(DWORD style);
    void SetExStyle(DWORD exStyle);
    // Rectangle of the window in screen coordinates.
    TRect WindowRectOnScreen() const;
    // The window's client rectangle inside its own window rectangle.
    TRect ClientRectInWindow() const { return m_clientInWindow; }
    void SetBounds(int left, int top, int width, int height) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;

    // --- focus and tab order ---
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    int TabOrder() const;
    void SetTabOrder(int order);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();
    // Next focusable control after `current` inside this control, in tab order.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void GetTabOrderList(std::vector<TWinControl*>& list) const;

    // --- alignment ---
    void DisableAlign() { ++m_alignLevel; }
    void EnableAlign();
    void Realign();

    // --- painting ---
    // Paints the windowless children that intersect the canvas clip, lowest first, starting
    // at `first` (nullptr: all).
    void PaintControls(TCanvas& canvas, TControl* first);

    // --- events ---
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

    // Window-system state (update region, scroll bars, region, display id...), private to ui.
    struct WindowData;

protected:
    friend class TWindowSystem;
    friend class TControl;
    friend class TGraphicControl;
    friend struct TWindowAccess;

    virtual void CreateHandle();
    virtual void DestroyHandle();
    TControl* FindControlAt(TPoint pos, bool allowDisabled, bool allowWinControls) const;
    void SetTextValue(const AnsiString& text) override; // through WM_SETTEXT
    virtual void AlignControls(TControl* control, TRect& rect);
    virtual void KeyDown(WORD& key, TShiftState shift);
    virtual void KeyUp(WORD& key, TShiftState shift);
    virtual void KeyPress(char& key);
    virtual void DoEnter();
    virtual void DoExit();
    // Paint of the window: erase is WM_ERASEBKGND's default; PaintWindow draws the client
    // area (TCustomControl: Paint on Canvas), then the windowless children.
    virtual void PaintWindow(TCanvas& canvas);
    // Default background: the control colour.
    virtual void EraseBackground(TCanvas& canvas);

    // Message handlers (see the list at the top of this file).
    void WMPaint(TMessage& m) override;
    void WMEraseBkgnd(TMessage& m) override;
    void WMKeyDown(TMessage& m) override;
    void WMKeyUp(TMessage& m) override;
    void WMChar(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WMSetCursor(TMessage& m) override;
    void WMSize(TMessage& m) override;
    void WMSetText(TMessage& m) override;
    void WMGetMinMaxInfo(TMessage& m) override;
    void WMCancelMode(TMessage& m) override;
    void WMMouseWheel(TMessage& m) override;
    void WMMouseLeave(TMessage& m) override;
    void WMMouseMove(TMessage& m) override;
    void WMLButtonDown(TMessage& m) override;
    void WMLButtonUp(TMessage& m) override;
    void WMLButtonDblClk(TMessage& m) override;
    void WMRButtonDown(TMessage& m) override;
    void WMRButtonUp(TMessage& m) override;
    void WMRButtonDblClk(TMessage& m) override;
    void WMMButtonDown(TMessage& m) override;
    void WMMButtonUp(TMessage& m) override;
    void WMMButtonDblClk(TMessage& m) override;
    void WMNCCalcSize(TMessage& m) override;
    void WMNCPaint(TMessage& m) override;
    void WMNCHitTest(TMessage& m) override;
    void WMNCActivate(TMessage& m) override;
    void WMNCLButtonDown(TMessage& m) override;
    void WMNCLButtonDblClk(TMessage& m) override;
    void CMDialogKey(TMessage& m) override;
    void CMDialogChar(TMessage& m) override;
    void CMEnter(TMessage& m) override;
    void CMExit(TMessage& m) override;
    void CMShowingChanged(TMessage& m) override;
    void CMFontChanged(TMessage& m) override;
    void CMColorChanged(TMessage& m) override;
    void CMVisibleChanged(TMessage& m) override;
    void CMEnabledChanged(TMessage& m) override;
    void CMShowHintChanged(TMessage& m) override;
    void CMParentShowHintChanged(TMessage& m) override;
    // A mouse message over a windowless child (or one the child holds) goes to that child;
    // true when it did.
    bool MouseToChild(TMessage& m);

    std::vector<TControl*> m_controls;
    bool m_handleAllocated = false;
    DWORD m_style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    DWORD m_exStyle = 0;
    TRect m_clientInWindow; // client rectangle in window coordinates (WM_NCCALCSIZE)
    bool m_tabStop = false;
    int m_tabOrder = -1;
    int m_alignLevel = 0;
    TControl* m_mouseControl = nullptr;   // windowless child under the mouse
    TControl* m_captureControl = nullptr; // windowless child holding the mouse
    struct HitCache {
        uint64_t generation = ~uint64_t(0);
        TPoint pos;
        unsigned flags = 0;
        TControl* result = nullptr;
    };
    mutable HitCache m_hitCache;
    std::unique_ptr<WindowData> m_wnd;
};
