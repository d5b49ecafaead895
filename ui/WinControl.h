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
    void DescribeAccessible(TAccessibleInfo& info) const override;
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

    // --- for the window system (ui/) ---
    WindowData* WindowRecord() const { return m_wnd.get(); }
    const std::vector<TControl*>& ChildControls() const { return m_controls; }
    // The client rectangle the non-client area leaves (WM_NCCALCSIZE's answer).
    void SetClientRectInWindow(const TRect& r) { m_clientInWindow = r; }
    // The display moved this top-level window: only its place is taken over.
    void PlacedByDisplay(int left, int top) {
        m_left = left;
        m_top = top;
    }
    // The mouse capture moved away: the windowless child that held it no longer does.
    void ForgetChildCapture() { m_captureControl = nullptr; }
    // Style bits stored as given; SetStyle goes through SetWindowLong, which also tells the
    // window and redoes the frame.
    void StoreStyle(DWORD style) { m_style = style; }
    void StoreExStyle(DWORD exStyle) { m_exStyle = exStyle; }

protected:
    friend class TControl;
    friend class TGraphicControl;

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
    void WMPaint(TWMPaint& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void WMKeyDown(TWMKey& m) override;
    void WMKeyUp(TWMKey& m) override;
    void WMChar(TWMChar& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMSetCursor(TWMSetCursor& m) override;
    void WMSize(TWMSize& m) override;
    void WMSetText(TWMSetText& m) override;
    void WMGetMinMaxInfo(TWMGetMinMaxInfo& m) override;
    void WMCancelMode(TWMNoParams& m) override;
    void WMMouseWheel(TWMMouseWheel& m) override;
    void WMMouseLeave(TWMNoParams& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMRButtonDown(TWMMouse& m) override;
    void WMRButtonUp(TWMMouse& m) override;
    void WMRButtonDblClk(TWMMouse& m) override;
    void WMMButtonDown(TWMMouse& m) override;
    void WMMButtonUp(TWMMouse& m) override;
    void WMMButtonDblClk(TWMMouse& m) override;
    void WMNCCalcSize(TWMNCCalcSize& m) override;
    void WMNCPaint(TWMNCPaint& m) override;
    void WMNCHitTest(TWMNCHitTest& m) override;
    void WMNCActivate(TWMNCActivate& m) override;
    void WMNCLButtonDown(TWMNCMouse& m) override;
    void WMNCLButtonDblClk(TWMNCMouse& m) override;
    void CMDialogKey(TWMKey& m) override;
    void CMDialogChar(TWMChar& m) override;
    void CMEnter(TWMNoParams& m) override;
    void CMExit(TWMNoParams& m) override;
    void CMShowingChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMColorChanged(TWMNoParams& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMShowHintChanged(TWMNoParams& m) override;
    void CMParentShowHintChanged(TWMNoParams& m) override;
    // A mouse message over a windowless child (or one the child holds) goes to that child;
    // true when it did.
    bool MouseToChild(TWMMouse& m);

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
