#pragma once
// The window system's shared state, private to ui/: which windows live, focus, capture,
// hover, timers, posted messages, the caret, the top-level surfaces and the paint pass.
// Controls talk to it through the window functions of Controls.h.
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "gfx/Bitmap.h"
#include "gfx/Region.h"
#include "platform/Display.h"
#include "ui/Controls.h"
#include "ui/NonClient.h"

// A list of rectangles that stays short: past a few entries it folds into their bounding box,
// so thousands of invalidations cost a compare each.
class TUpdateArea {
public:
    void Add(const TRect& r);
    void Clear() { m_rects.clear(); }
    bool Empty() const { return m_rects.empty(); }
    TRect Bounds() const;
    const std::vector<TRect>& Rects() const { return m_rects; }
    TRegion ToRegion() const { return TRegion::FromRects(m_rects); }
    void Offset(int dx, int dy);

private:
    std::vector<TRect> m_rects;
};

struct TScrollBarState {
    int min = 0;
    int max = 100;
    int page = 0;
    int pos = 0;
    int trackPos = 0;
    bool disabled = false;
};

struct TWinControl::WindowData {
    TUpdateArea update; // client coordinates
    bool erase = false;
    bool ncDirty = true;
    bool hasShape = false;
    TRegion shape; // window coordinates
    TScrollBarState bars[2];
    // Top-level windows only.
    int displayId = 0;
    TBitmap surface;
    TRect presentDirty; // window coordinates
    bool minimized = false;
};

// Lets the window functions reach the window record of a control.
struct TWindowAccess {
    static TWinControl::WindowData* Wnd(const TWinControl* w) { return w->m_wnd.get(); }
    static DWORD& Style(TWinControl* w) { return w->m_style; }
    static DWORD& ExStyle(TWinControl* w) { return w->m_exStyle; }
};

class TWindowSystem {
public:
    static TWindowSystem& Get();

    // --- registry ---
    void Register(TWinControl* w) { m_live.insert(w); }
    void Unregister(TWinControl* w);
    bool Alive(const TWinControl* w) const {
        return m_live.count(const_cast<TWinControl*>(w)) != 0;
    }

    // --- top-level windows ---
    void ShowTopLevel(TWinControl* w, bool show, bool activate, bool popup);
    void MoveTopLevel(TWinControl* w);
    void ActivateForm(TCustomForm* form);
    TWinControl* TopLevelOfDisplay(int id) const;
    std::vector<TWinControl*> TopLevels() const; // showing, bottom first

    // --- geometry ---
    static TWinControl* TopOf(const TControl* c);
    // Window origin of w in its top-level window's coordinates.
    static TPoint WindowOffset(const TWinControl* w);
    // The part of w's window that can be seen, in top-level coordinates.
    TRegion VisibleRegion(const TWinControl* w) const;
    void UpdateNonClient(TWinControl* w); // WM_NCCALCSIZE, client rectangle

    // --- painting ---
    void MarkDirty(TWinControl* w);
    void PaintPending(); // every top-level window
    void PaintTop(TWinControl* top);
    void PaintNow(TWinControl* w); // w's top-level window
    void Present();
    // A canvas drawing straight onto the visible part of w (client or whole window).
    TCanvas* BindCanvas(TCanvas& canvas, TWinControl* w, bool wholeWindow);
    void NoteDirectDraw(TWinControl* w); // present w's top-level at the next pass
    bool AnyDirty() const { return m_dirty; }

    // --- focus, capture, hover ---
    TWinControl* Focus() const { return m_focus; }
    void SetFocusWindow(TWinControl* w);
    TWinControl* Capture() const { return m_capture; }
    void SetCaptureWindow(TWinControl* w);
    TWinControl* Hover() const { return m_hover; }

    // --- messages and timers ---
    bool Post(TWinControl* w, UINT msg, WPARAM wp, LPARAM lp);
    uintptr_t SetTimer(TWinControl* w, uintptr_t id, unsigned ms);
    bool KillTimer(TWinControl* w, uintptr_t id);
    uint64_t NextTimerDue() const;
    // One pass: display input, posted messages, due timers, caret, paint, present. Returns
    // true when something was handled.
    bool Pump();
    void Reset();

    // --- input from the display ---
    void Dispatch(const DisplayEvent& e);

    // --- caret ---
    struct Caret {
        TWinControl* owner = nullptr;
        int width = 0;
        int height = 0;
        TPoint pos;
        int hideLevel = 1; // created hidden
        bool blinkOn = true;
        uint64_t nextBlink = 0;
        TWinControl* drawnTop = nullptr;
        TRect drawnRect; // top-level coordinates
        TRegion drawnClip;
    };
    Caret& CaretState() { return m_caret; }
    void CaretChanged();

    // --- non-client tracking (caption drag, scroll bars, caption buttons) ---
    struct Tracking {
        enum Kind { None, Move, ScrollBar, Button } kind = None;
        TWinControl* wnd = nullptr;
        TPoint start;      // screen
        TRect startBounds; // window bounds at the start
        int bar = 0;       // SB_HORZ / SB_VERT
        int code = 0;      // scroll code repeated, or hit code of the button
        int thumbOffset = 0;
        bool inside = false;
        uint64_t nextRepeat = 0;
    };
    Tracking& Track() { return m_track; }
    void StartTracking(const Tracking& t);
    void ScrollRepeat();

    // Keys and buttons as of the input being handled now (not as the hardware has them
    // later): what GetKeyState and the shift states report.
    bool KeyIsDown(int vk) const;
    unsigned Modifiers() const { return m_mods; }

    // One WM_MOUSEHOVER for w after the pointer has rested over it for ms; 0 cancels.
    void TrackHover(TWinControl* w, unsigned ms);
    TWinControl* HoverTracked() const { return m_hoverTrack; }

    // Mouse position in screen coordinates, as last seen.
    TPoint MousePos() const { return m_mousePos; }
    void UpdateHoverAt(TPoint screen);
    void UpdateHover(TPoint screen, TWinControl* under);
    // The deepest enabled, visible window under a screen point.
    TWinControl* WindowAt(TPoint screen) const;

    // Modal forms (innermost last): input to other top-level windows is refused.
    std::vector<TCustomForm*> modalStack;

    static bool SubtreeDirty(const TWinControl* w);

private:
    TWindowSystem() = default;
    void PaintTree(TWinControl* w, const TRegion& visible, TPoint offset);
    void SendMouse(TWinControl* target, UINT clientMsg, TPoint screen, WPARAM keys);
    void HandleMouseButton(const DisplayEvent& e, bool down);
    void HandleMouseMove(const DisplayEvent& e);
    void HandleWheel(const DisplayEvent& e);
    void HandleKey(const DisplayEvent& e, bool down);
    void HandleText(const DisplayEvent& e);
    void TrackMouse(TPoint screen, bool up);
    void RunTimers();
    void RunPosted();
    void CheckHover();
    void RestartHoverAt(TPoint screen);
    void BlinkCaret();
    void UndrawCaret();
    void DrawCaret();
    bool AcceptsInput(TWinControl* w) const;

    std::unordered_set<TWinControl*> m_live;
    std::unordered_map<int, TWinControl*> m_displayWindows;
    std::vector<TWinControl*> m_topOrder;
    TWinControl* m_focus = nullptr;
    TWinControl* m_capture = nullptr;
    TWinControl* m_hover = nullptr;
    TPoint m_mousePos;
    bool m_dirty = false;

    struct Posted {
        TWinControl* wnd;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    std::deque<Posted> m_posted;

    struct Timer {
        TWinControl* wnd;
        uintptr_t id;
        unsigned interval;
        uint64_t due;
    };
    std::vector<Timer> m_timers;

    // Double clicks.
    TWinControl* m_lastClickWnd = nullptr;
    int m_lastClickButton = 0;
    uint64_t m_lastClickTime = 0;
    TPoint m_lastClickPos;
    bool m_lastWasNonClient = false;
    int m_lastHit = 0;
    TWinControl* m_lastNcWnd = nullptr;

    // Hover request: the pointer must stay within a small square around m_hoverOrigin.
    TWinControl* m_hoverTrack = nullptr;
    unsigned m_hoverTime = 0;
    uint64_t m_hoverDue = UINT64_MAX;
    TPoint m_hoverOrigin;

    Caret m_caret;
    Tracking m_track;
    bool m_suppressText = false; // the key that produced this text was consumed
    unsigned m_mods = 0;         // ModShift | ModCtrl | ModAlt of the current input
    unsigned m_buttons = 0;      // bit 0 left, 1 right, 2 middle
    std::unordered_set<int> m_keysDown;
};
