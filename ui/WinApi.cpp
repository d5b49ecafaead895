// The window functions: the procedural face of the window system.
#include "ui/WinApi.h"

#include <algorithm>

#include "ui/Forms.h"
#include "ui/WindowSystem.h"

namespace {
TWindowSystem& WS() {
    return TWindowSystem::Get();
}
bool Live(HWND w) {
    return w && WS().Alive(w);
}

void InvalidateTree(TWinControl* w, bool frame) {
    InvalidateRect(w, nullptr, true);
    if (frame) RedrawWindow(w, nullptr, RDW_FRAME);
    for (int i = 0; i < w->ControlCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(w->Controls(i))) InvalidateTree(c, true);
}

// Styles that change the non-client area recompute the client rectangle.
void FrameChanged(TWinControl* w) {
    TRect before = w->ClientRect();
    WS().UpdateNonClient(w);
    RedrawWindow(w, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    TRect after = w->ClientRect();
    if (before != after) {
        w->Perform(WM_SIZE, SIZE_RESTORED, MAKELPARAM(after.Width(), after.Height()));
        InvalidateTree(w, true);
    }
}
} // namespace

LRESULT SendMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!Live(wnd)) return 0;
    return wnd->Perform(msg, wParam, lParam);
}

bool PostMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return WS().Post(wnd, msg, wParam, lParam);
}

void InvalidateRect(HWND wnd, const TRect* rect, bool erase) {
    if (!Live(wnd)) return;
    auto& d = *wnd->WindowRecord();
    TRect client = wnd->ClientRect();
    TRect r = rect ? IntersectRect(*rect, client) : client;
    if (r.IsEmpty()) return;
    d.update.Add(r);
    d.erase = d.erase || erase;
    WS().MarkDirty(wnd);
}

void InvalidateRgn(HWND wnd, const TRegion& region, bool erase) {
    if (region.Rects().size() > 8) {
        TRect b = region.Bounds();
        InvalidateRect(wnd, &b, erase);
        return;
    }
    for (const TRect& r : region.Rects()) InvalidateRect(wnd, &r, erase);
}

void ValidateRect(HWND wnd, const TRect* rect) {
    if (!Live(wnd)) return;
    if (!rect) {
        wnd->WindowRecord()->update.Clear();
        return;
    }
    // Removing part of the area: keep what lies outside the rectangle.
    TRegion rest = wnd->WindowRecord()->update.ToRegion().Subtracted(TRegion(*rect));
    wnd->WindowRecord()->update.Clear();
    for (const TRect& r : rest.Rects()) wnd->WindowRecord()->update.Add(r);
}

void UpdateWindow(HWND wnd) {
    if (!Live(wnd)) return;
    WS().PaintNow(wnd);
}

void RedrawWindow(HWND wnd, const TRect* rect, UINT flags) {
    if (!Live(wnd)) return;
    if (flags & RDW_INVALIDATE) InvalidateRect(wnd, rect, (flags & RDW_ERASE) != 0);
    if (flags & RDW_FRAME) {
        wnd->WindowRecord()->ncDirty = true;
        WS().MarkDirty(wnd);
    }
    if (flags & RDW_VALIDATE) ValidateRect(wnd, rect);
    if (flags & RDW_ALLCHILDREN)
        for (int i = 0; i < wnd->ControlCount(); ++i)
            if (auto* c = dynamic_cast<TWinControl*>(wnd->Controls(i)))
                RedrawWindow(c, nullptr, (flags & ~RDW_UPDATENOW & ~RDW_ERASENOW));
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(wnd);
}

void ScrollWindow(HWND wnd, int dx, int dy, const TRect* scroll, const TRect* clip) {
    if (!Live(wnd) || (dx == 0 && dy == 0)) return;
    TWinControl* top = TWindowSystem::TopOf(wnd);
    TRect client = wnd->ClientRect();
    TRect area = scroll ? IntersectRect(*scroll, client) : client;
    TRect clipR = clip ? IntersectRect(*clip, client) : client;
    auto& d = *wnd->WindowRecord();
    // The pending update moves with the pixels.
    if (!d.update.Empty()) {
        std::vector<TRect> moved;
        for (const TRect& r : d.update.Rects())
            moved.push_back(IntersectRect(OffsetRect(r, dx, dy), clipR));
        for (const TRect& r : moved) d.update.Add(r);
    }
    bool canMove = top && top->Showing() && !top->WindowRecord()->surface.Empty() &&
                   top->WindowRecord()->surface.Width() == top->Width() &&
                   top->WindowRecord()->surface.Height() == top->Height();
    TRect bounds = IntersectRect(area, clipR);
    if (!canMove) {
        InvalidateRect(wnd, &bounds, true);
        return;
    }
    TPoint off = TWindowSystem::WindowOffset(wnd);
    TPoint co{off.X + wnd->ClientRectInWindow().Left, off.Y + wnd->ClientRectInWindow().Top};
    TRegion vis = WS().VisibleRegion(wnd);
    vis.Intersect(OffsetRect(client, co.X, co.Y));
    for (int i = 0; i < wnd->ControlCount(); ++i)
        if (auto* c = dynamic_cast<TWinControl*>(wnd->Controls(i)); c && c->Visible())
            vis.Subtract(OffsetRect(c->BoundsRect(), co.X, co.Y));
    TRect a = OffsetRect(bounds, co.X, co.Y);
    TRegion src = vis.Intersected(a);
    TRegion dst = src.Offsetted(dx, dy);
    dst.Intersect(a);
    dst.Intersect(vis);
    TBitmap& surface = top->WindowRecord()->surface;
    if (!dst.IsEmpty()) {
        // The pixels move in device pixels: every figure below is points times the scale.
        const int k = surface.Scale();
        TRect db = dst.Bounds();
        TBitmap copy(db.Width() * k, db.Height() * k);
        for (int y = 0; y < db.Height() * k; ++y) {
            const TPixel* s = surface.ScanLine((db.Top - dy) * k + y) + (db.Left - dx) * k;
            std::copy(s, s + db.Width() * k, copy.ScanLine(y));
        }
        for (const TRect& r : dst.Rects())
            for (int y = r.Top * k; y < r.Bottom * k; ++y) {
                const TPixel* s = copy.ScanLine(y - db.Top * k) + (r.Left - db.Left) * k;
                std::copy(s, s + r.Width() * k, surface.ScanLine(y) + r.Left * k);
            }
        top->WindowRecord()->presentDirty = UnionRect(top->WindowRecord()->presentDirty, db);
    }
    TRegion uncovered = vis.Intersected(a).Subtracted(dst);
    uncovered.Offset(-co.X, -co.Y);
    InvalidateRgn(wnd, uncovered, true);
    WS().MarkDirty(wnd);
}

bool GetUpdateRect(HWND wnd, TRect& rect) {
    if (!Live(wnd)) return false;
    rect = wnd->WindowRecord()->update.Bounds();
    return !rect.IsEmpty();
}

TRect GetWindowRect(HWND wnd) {
    return Live(wnd) ? wnd->WindowRectOnScreen() : TRect{};
}

TRect GetClientRect(HWND wnd) {
    return Live(wnd) ? wnd->ClientRect() : TRect{};
}

HWND WindowFromPoint(TPoint screen) {
    return WS().WindowAt(screen);
}

HWND GetParent(HWND wnd) {
    return Live(wnd) ? wnd->Parent() : nullptr;
}

bool IsWindowVisible(HWND wnd) {
    return Live(wnd) && wnd->Showing();
}

bool IsWindowEnabled(HWND wnd) {
    return Live(wnd) && wnd->Enabled();
}

bool IsWindow(HWND wnd) {
    return Live(wnd);
}

DWORD GetWindowLong(HWND wnd, int index) {
    if (!Live(wnd)) return 0;
    if (index == GWL_STYLE) {
        DWORD s = wnd->Style();
        s = wnd->Visible() ? (s | WS_VISIBLE) : (s & ~WS_VISIBLE);
        return s;
    }
    if (index == GWL_EXSTYLE) return wnd->ExStyle();
    return 0;
}

DWORD SetWindowLong(HWND wnd, int index, DWORD value) {
    if (!Live(wnd)) return 0;
    DWORD old = GetWindowLong(wnd, index);
    if (index == GWL_STYLE) {
        TMessage changing{WM_STYLECHANGING, WPARAM(GWL_STYLE), 0, 0};
        wnd->StoreStyle(value);
        if ((value & WS_VISIBLE) != (old & WS_VISIBLE)) wnd->SetVisible((value & WS_VISIBLE) != 0);
        wnd->Perform(WM_STYLECHANGED, WPARAM(GWL_STYLE), 0);
        (void)changing;
    } else if (index == GWL_EXSTYLE) {
        wnd->StoreExStyle(value);
        wnd->Perform(WM_STYLECHANGED, WPARAM(GWL_EXSTYLE), 0);
    }
    // Frame styles take effect on SWP_FRAMECHANGED, as on the platform; the border and scroll
    // bar styles are common enough that the frame is recomputed at once.
    if ((old ^ value) & (WS_BORDER | WS_HSCROLL | WS_VSCROLL | WS_CAPTION | WS_EX_CLIENTEDGE |
                         WS_EX_STATICEDGE | WS_THICKFRAME | WS_DLGFRAME))
        FrameChanged(wnd);
    return old;
}

void SetWindowPos(HWND wnd, HWND, int x, int y, int cx, int cy, UINT flags) {
    if (!Live(wnd)) return;
    if (flags & SWP_HIDEWINDOW) wnd->SetVisible(false);
    int nx = (flags & SWP_NOMOVE) ? wnd->Left() : x;
    int ny = (flags & SWP_NOMOVE) ? wnd->Top() : y;
    int nw = (flags & SWP_NOSIZE) ? wnd->Width() : cx;
    int nh = (flags & SWP_NOSIZE) ? wnd->Height() : cy;
    wnd->SetBounds(nx, ny, nw, nh);
    if (flags & SWP_FRAMECHANGED) FrameChanged(wnd);
    if (flags & SWP_SHOWWINDOW) wnd->SetVisible(true);
}

void ShowWindow(HWND wnd, int cmd) {
    if (!Live(wnd)) return;
    auto* form = dynamic_cast<TCustomForm*>(wnd);
    switch (cmd) {
    case SW_HIDE:
        wnd->SetVisible(false);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (form) form->SetWindowState(wsMinimized);
        break;
    case SW_SHOWMAXIMIZED:
        if (form) form->SetWindowState(wsMaximized);
        break;
    case SW_RESTORE:
        if (form) form->SetWindowState(wsNormal);
        wnd->SetVisible(true);
        break;
    default:
        if (form)
            form->Show();
        else
            wnd->SetVisible(true);
        break;
    }
}

void SetWindowRgn(HWND wnd, const TRegion& region, bool redraw) {
    if (!Live(wnd)) return;
    if (region.IsEmpty()) {
        RemoveWindowRgn(wnd, redraw);
        return;
    }
    auto& d = *wnd->WindowRecord();
    if (wnd->Parent()) {
        TRect r = wnd->BoundsRect();
        InvalidateRect(wnd->Parent(), &r, true);
    }
    d.hasShape = true;
    d.shape = region;
    if (d.displayId && HasDisplay()) {
        std::vector<DisplayRect> rects;
        for (const TRect& r : region.Rects())
            rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
        CurrentDisplay().SetWindowShape(d.displayId, rects);
    }
    if (redraw) RedrawWindow(wnd, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    WS().MarkDirty(wnd);
}

void RemoveWindowRgn(HWND wnd, bool redraw) {
    if (!Live(wnd)) return;
    auto& d = *wnd->WindowRecord();
    if (!d.hasShape) return;
    d.hasShape = false;
    d.shape.Clear();
    if (d.displayId && HasDisplay()) CurrentDisplay().SetWindowShape(d.displayId, {});
    if (wnd->Parent()) {
        TRect r = wnd->BoundsRect();
        InvalidateRect(wnd->Parent(), &r, true);
    }
    if (redraw) RedrawWindow(wnd, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

bool GetWindowRgn(HWND wnd, TRegion& region) {
    if (!Live(wnd) || !wnd->WindowRecord()->hasShape) return false;
    region = wnd->WindowRecord()->shape;
    return true;
}

HWND SetCapture(HWND wnd) {
    HWND old = WS().Capture();
    if (Live(wnd)) WS().SetCaptureWindow(wnd);
    return old;
}

bool ReleaseCapture() {
    WS().SetCaptureWindow(nullptr);
    return true;
}

HWND GetCapture() {
    return WS().Capture();
}

HWND GetFocus() {
    return WS().Focus();
}

HWND SetFocus(HWND wnd) {
    HWND old = WS().Focus();
    if (!wnd || Live(wnd)) WS().SetFocusWindow(wnd);
    return old;
}

HWND GetActiveWindow() {
    return Screen ? Screen->ActiveForm() : nullptr;
}

TPoint GetCursorPos() {
    if (!HasDisplay()) return {};
    int x = 0, y = 0;
    CurrentDisplay().CursorPos(x, y);
    return {x, y};
}

bool GetKeyState(int vk) {
    return HasDisplay() && CurrentDisplay().KeyDown(vk);
}

int SetScrollInfo(HWND wnd, int bar, const TScrollInfo& info, bool redraw) {
    if (!Live(wnd) || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    TScrollBarState& sb = wnd->WindowRecord()->bars[bar];
    if (info.fMask & SIF_RANGE) {
        sb.min = info.nMin;
        sb.max = std::max(info.nMin, info.nMax);
    }
    if (info.fMask & SIF_PAGE) sb.page = int(std::min<UINT>(info.nPage, UINT(sb.max - sb.min + 1)));
    if (info.fMask & SIF_POS) sb.pos = info.nPos;
    int top = sb.max - std::max(sb.page - 1, 0);
    sb.pos = std::clamp(sb.pos, sb.min, std::max(sb.min, top));
    if (info.fMask & (SIF_RANGE | SIF_PAGE)) {
        bool canScroll = sb.page ? sb.max - sb.min + 1 > sb.page : sb.max > sb.min;
        DWORD flag = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
        DWORD style = wnd->Style();
        if (!canScroll && !(info.fMask & SIF_DISABLENOSCROLL)) {
            style &= ~flag;
        } else {
            style |= flag;
            sb.disabled = !canScroll;
        }
        if (style != wnd->Style()) {
            wnd->StoreStyle(style);
            FrameChanged(wnd);
        }
    }
    if (redraw) RedrawWindow(wnd, nullptr, RDW_FRAME);
    return sb.pos;
}

bool GetScrollInfo(HWND wnd, int bar, TScrollInfo& info) {
    if (!Live(wnd) || (bar != SB_HORZ && bar != SB_VERT)) return false;
    const TScrollBarState& sb = wnd->WindowRecord()->bars[bar];
    if (info.fMask & SIF_RANGE) {
        info.nMin = sb.min;
        info.nMax = sb.max;
    }
    if (info.fMask & SIF_PAGE) info.nPage = UINT(sb.page);
    if (info.fMask & SIF_POS) info.nPos = sb.pos;
    if (info.fMask & SIF_TRACKPOS) info.nTrackPos = sb.trackPos;
    return true;
}

int SetScrollPos(HWND wnd, int bar, int pos, bool redraw) {
    if (!Live(wnd) || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    int old = wnd->WindowRecord()->bars[bar].pos;
    TScrollInfo si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    SetScrollInfo(wnd, bar, si, redraw);
    return old;
}

int GetScrollPos(HWND wnd, int bar) {
    if (!Live(wnd) || (bar != SB_HORZ && bar != SB_VERT)) return 0;
    return wnd->WindowRecord()->bars[bar].pos;
}

void SetScrollRange(HWND wnd, int bar, int minPos, int maxPos, bool redraw) {
    TScrollInfo si;
    si.fMask = SIF_RANGE;
    si.nMin = minPos;
    si.nMax = maxPos;
    SetScrollInfo(wnd, bar, si, redraw);
}

void ShowScrollBar(HWND wnd, int bar, bool show) {
    if (!Live(wnd)) return;
    DWORD flags = bar == SB_HORZ   ? WS_HSCROLL
                  : bar == SB_VERT ? WS_VSCROLL
                                   : WS_HSCROLL | WS_VSCROLL;
    DWORD style = show ? (wnd->Style() | flags) : (wnd->Style() & ~flags);
    if (style == wnd->Style()) return;
    wnd->StoreStyle(style);
    FrameChanged(wnd);
}

void EnableScrollBar(HWND wnd, int bar, UINT arrows) {
    if (!Live(wnd)) return;
    for (int b : {SB_HORZ, SB_VERT})
        if (bar == b || bar == SB_BOTH)
            wnd->WindowRecord()->bars[b].disabled = arrows == ESB_DISABLE_BOTH;
    RedrawWindow(wnd, nullptr, RDW_FRAME);
}

uintptr_t SetTimer(HWND wnd, uintptr_t id, unsigned elapseMs) {
    return WS().SetTimer(wnd, id, elapseMs);
}

bool KillTimer(HWND wnd, uintptr_t id) {
    return WS().KillTimer(wnd, id);
}

uint64_t GetTickCount() {
    return HasDisplay() ? CurrentDisplay().Now() : 0;
}

bool CreateCaret(HWND wnd, int width, int height) {
    if (!Live(wnd)) return false;
    DestroyCaret();
    WS().Caret().Create(wnd, width, height);
    WS().CaretChanged();
    return true;
}

bool DestroyCaret() {
    if (!WS().Caret().Destroy()) return false;
    WS().CaretChanged();
    return true;
}

bool SetCaretPos(int x, int y) {
    if (!WS().Caret().SetPos({x, y})) return false;
    WS().CaretChanged();
    return true;
}

TPoint GetCaretPos() {
    return WS().Caret().Pos();
}

bool ShowCaret(HWND wnd) {
    if (!WS().Caret().Show(wnd)) return false;
    WS().CaretChanged();
    return true;
}

bool HideCaret(HWND wnd) {
    if (!WS().Caret().Hide(wnd)) return false;
    WS().CaretChanged();
    return true;
}

unsigned GetCaretBlinkTime() {
    return 530;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return Screen ? Screen->Width() : 0;
    case SM_CYSCREEN:
        return Screen ? Screen->Height() : 0;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
        return NonClient::ScrollBarSize;
    case SM_CYCAPTION:
        return NonClient::CaptionHeight;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
    case SM_CXFRAME:
    case SM_CYFRAME:
        return NonClient::FrameWidth;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
        return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
    case SM_CXMOUSEHOVER:
    case SM_CYMOUSEHOVER:
        return 4;
    default:
        return 0;
    }
}

unsigned GetMouseHoverTime() {
    return 400;
}

bool TrackMouseEvent(const TTrackMouseEvent& tme) {
    TWindowSystem& ws = TWindowSystem::Get();
    if (!Live(tme.hwndTrack)) return false;
    if (tme.dwFlags & TME_CANCEL) {
        if ((tme.dwFlags & TME_HOVER) && ws.HoverTracked() == tme.hwndTrack)
            ws.TrackHover(nullptr, 0);
        return true;
    }
    if (tme.dwFlags & TME_HOVER) {
        unsigned ms = tme.dwHoverTime == HOVER_DEFAULT ? GetMouseHoverTime() : tme.dwHoverTime;
        ws.TrackHover(tme.hwndTrack, std::max(1u, ms));
    }
    return true;
}

unsigned GetDoubleClickTime() {
    return 500;
}

TRect GetWorkArea() {
    if (!HasDisplay()) return {};
    DisplayRect r = CurrentDisplay().WorkArea();
    return Bounds(r.x, r.y, r.w, r.h);
}

void MessageBeep(UINT) {
    if (HasDisplay()) CurrentDisplay().Beep();
}

namespace {
TCanvas& DcCanvas() {
    static TCanvas canvas;
    return canvas;
}
} // namespace

TCanvas* GetWindowDC(HWND wnd) {
    if (!Live(wnd)) return nullptr;
    return WS().BindCanvas(DcCanvas(), wnd, true);
}

TCanvas* GetDC(HWND wnd) {
    if (!Live(wnd)) return nullptr;
    return WS().BindCanvas(DcCanvas(), wnd, false);
}

void ReleaseDC(HWND, TCanvas*) {}

AnsiString TClipboard::AsText() const {
    if (!HasDisplay()) return {};
    return Utf8ToAnsi(CurrentDisplay().ClipboardText());
}

void TClipboard::SetAsText(const AnsiString& text) {
    if (HasDisplay()) CurrentDisplay().SetClipboardText(AnsiToUtf8(text));
}

TClipboard* Clipboard() {
    static TClipboard clipboard;
    return &clipboard;
}

TCustomForm* GetParentForm(const TControl* control) {
    while (control && control->Parent()) control = control->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(control));
}

TWinControl* GetTopLevel(const TControl* control) {
    return TWindowSystem::TopOf(control);
}
