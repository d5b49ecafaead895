#pragma once
// The window functions on handles: the window system's procedural face.
#include "ui/WinControl.h"

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// Queued for the loop; dropped when the window is destroyed first.
bool PostMessage(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
// rect in client coordinates; nullptr = the whole client area.
void InvalidateRect(HWND wnd, const TRect* rect, bool erase = true);
void InvalidateRgn(HWND wnd, const TRegion& region, bool erase = true);
void ValidateRect(HWND wnd, const TRect* rect);
void UpdateWindow(HWND wnd);
// RDW_INVALIDATE / RDW_FRAME / RDW_UPDATENOW / RDW_ALLCHILDREN ... rect in client coordinates.
void RedrawWindow(HWND wnd, const TRect* rect, UINT flags);
// Moves the pixels of the client area (or of `scroll`) by (dx, dy) within `clip`, and
// invalidates what was uncovered. Children are not moved.
void ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip);
bool GetUpdateRect(HWND wnd, TRect& rect);
TRect GetWindowRect(HWND wnd); // screen coordinates
TRect GetClientRect(HWND wnd);
HWND WindowFromPoint(TPoint screen);
HWND GetParent(HWND wnd);
bool IsWindowVisible(HWND wnd);
bool IsWindowEnabled(HWND wnd);
bool IsWindow(HWND wnd); // still alive
DWORD GetWindowLong(HWND wnd, int index);
DWORD SetWindowLong(HWND wnd, int index, DWORD value);
// Moves/sizes (parent client coordinates) and applies SWP_FRAMECHANGED (new WM_NCCALCSIZE).
void SetWindowPos(HWND wnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
void ShowWindow(HWND wnd, int cmd);
// The window's shape in window coordinates; an empty region removes it. Shapes the hit test
// and painting, and the display window of a top-level form.
void SetWindowRgn(HWND wnd, const TRegion& region, bool redraw);
void RemoveWindowRgn(HWND wnd, bool redraw);
bool GetWindowRgn(HWND wnd, TRegion& region);

// Mouse capture.
HWND SetCapture(HWND wnd);
bool ReleaseCapture();
HWND GetCapture();
HWND GetFocus();
HWND SetFocus(HWND wnd);
HWND GetActiveWindow();
TPoint GetCursorPos();
bool GetKeyState(int vk); // held now

// Mouse tracking. TME_HOVER asks for one WM_MOUSEHOVER (WParam = MK_ keys, LParam = client
// point) when the pointer rests over the window for the hover time without leaving a small
// square; TME_CANCEL withdraws the request. WM_MOUSELEAVE reaches every window the pointer
// leaves, asked for or not, so TME_LEAVE needs nothing more.
constexpr DWORD TME_HOVER = 0x00000001;
constexpr DWORD TME_LEAVE = 0x00000002;
constexpr DWORD TME_CANCEL = 0x80000000;
constexpr DWORD HOVER_DEFAULT = 0xFFFFFFFF;
struct TTrackMouseEvent {
    DWORD dwFlags = 0;
    HWND hwndTrack = nullptr;
    DWORD dwHoverTime = HOVER_DEFAULT;
};
bool TrackMouseEvent(const TTrackMouseEvent& tme);
unsigned GetMouseHoverTime(); // 400 ms

// Scroll bars of a window with WS_HSCROLL / WS_VSCROLL (bar = SB_HORZ or SB_VERT).
int SetScrollInfo(HWND wnd, int bar, const TScrollInfo& info, bool redraw);
bool GetScrollInfo(HWND wnd, int bar, TScrollInfo& info);
int SetScrollPos(HWND wnd, int bar, int pos, bool redraw);
int GetScrollPos(HWND wnd, int bar);
void SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw);
void ShowScrollBar(HWND wnd, int bar, bool show);
void EnableScrollBar(HWND wnd, int bar, UINT arrows);

// Timers: WM_TIMER (WParam = id) to the window, from the loop. Re-setting an id restarts it.
uintptr_t SetTimer(HWND wnd, uintptr_t id, unsigned elapseMs);
bool KillTimer(HWND wnd, uintptr_t id);
uint64_t GetTickCount();

// The caret (one per process, owned by a window; blinks with the loop).
bool CreateCaret(HWND wnd, int width, int height);
bool DestroyCaret();
bool SetCaretPos(int x, int y);
TPoint GetCaretPos();
bool ShowCaret(HWND wnd);
bool HideCaret(HWND wnd);
unsigned GetCaretBlinkTime(); // 530 ms

int GetSystemMetrics(int index);
unsigned GetDoubleClickTime(); // 500 ms
TRect GetWorkArea();           // screen coordinates
void MessageBeep(UINT type);

// Canvases outside paint: the whole window (non-client included) or the client area, with
// the clip set to the visible part. Drawing on them is shown at the next loop pass.
TCanvas* GetWindowDC(HWND wnd);
TCanvas* GetDC(HWND wnd);
void ReleaseDC(HWND wnd, TCanvas* dc);

// Clipboard text (8-bit, system code page).
class TClipboard {
public:
    AnsiString AsText() const;
    void SetAsText(const AnsiString& text);
    bool HasText() const { return !AsText().empty(); }
};
TClipboard* Clipboard();

TCustomForm* GetParentForm(const TControl* control);
// The first windowed ancestor that is a form's window (top-level), or nullptr.
TWinControl* GetTopLevel(const TControl* control);
