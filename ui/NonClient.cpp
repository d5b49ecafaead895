// Default non-client area of a window: border, client edge, static edge and the standard
// scroll bars (arrows, thumb, page areas, tracking); and the classic frame of a form.
#include "ui/NonClient.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "ui/Forms.h"
#include "ui/WindowSystem.h"

namespace NonClient {
namespace {
// Holding an arrow or the track scrolls once, then after a pause again and again.
constexpr unsigned ScrollRepeatDelayMs = 400;
constexpr unsigned ScrollRepeatIntervalMs = 50;

TWindowSystem& WS() {
    return TWindowSystem::Get();
}

int BorderWidth(TWinControl* w) {
    int b = 0;
    if (w->Style() & WS_BORDER) b += 1;
    if (w->ExStyle() & WS_EX_CLIENTEDGE) b += 2;
    if (w->ExStyle() & WS_EX_STATICEDGE) b += 1;
    return b;
}

TScrollBarState& Bar(TWinControl* w, int bar) {
    return w->WindowRecord()->bars[bar];
}

// Geometry of one bar along its axis.
struct BarGeometry {
    TRect rect; // window coordinates
    bool vertical = false;
    int length = 0; // along the axis
    int arrow = 0;
    int thumbStart = 0; // along the axis, from the bar's start
    int thumbLength = 0;
    int trackLength = 0;
};

BarGeometry Geometry(TWinControl* w, int bar) {
    BarGeometry g;
    g.rect = BarRect(w, bar);
    g.vertical = bar == SB_VERT;
    g.length = g.vertical ? g.rect.Height() : g.rect.Width();
    g.arrow = std::min(ScrollBarSize, g.length / 2);
    g.trackLength = g.length - 2 * g.arrow;
    const TScrollBarState& sb = Bar(w, bar);
    if (sb.disabled || g.trackLength < 8) return g;
    int range = sb.max - sb.min + 1;
    int len = sb.page ? std::max(8, int(int64_t(g.trackLength) * sb.page / std::max(1, range)))
                      : ScrollBarSize;
    len = std::min(len, g.trackLength);
    int maxPos = sb.max - std::max(sb.page - 1, 0);
    const auto& t = WS().Track();
    bool tracking = t.kind == TWindowSystem::Tracking::ScrollBar && t.wnd == w && t.bar == bar &&
                    t.code == SB_THUMBTRACK;
    int pos = tracking ? sb.trackPos : sb.pos;
    int start = g.arrow;
    if (maxPos > sb.min)
        start += int(int64_t(pos - sb.min) * (g.trackLength - len) / (maxPos - sb.min));
    g.thumbStart = start;
    g.thumbLength = len;
    return g;
}

TRect AxisRect(const BarGeometry& g, int from, int to) {
    if (g.vertical) return Rect(g.rect.Left, g.rect.Top + from, g.rect.Right, g.rect.Top + to);
    return Rect(g.rect.Left + from, g.rect.Top, g.rect.Left + to, g.rect.Bottom);
}

// Which part of a bar a point (window coordinates) is on.
int PartAt(const BarGeometry& g, TPoint p) {
    int a = g.vertical ? p.Y - g.rect.Top : p.X - g.rect.Left;
    if (a < g.arrow) return SB_LINEUP;
    if (a >= g.length - g.arrow) return SB_LINEDOWN;
    if (g.thumbLength == 0) return -1;
    if (a < g.thumbStart) return SB_PAGEUP;
    if (a >= g.thumbStart + g.thumbLength) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

void SendScroll(TWinControl* w, int bar, int code, int pos) {
    w->Perform(bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, pos), 0);
}

void Line(TCanvas& c, int x1, int y1, int x2, int y2, TColor color) {
    c.Pen()->SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
}

void Arrow(TCanvas& c, const TRect& r, int direction, bool enabled, int shift) {
    // direction: 0 up, 1 down, 2 left, 3 right; a 7-pixel wide triangle.
    int cx = (r.Left + r.Right) / 2 + shift, cy = (r.Top + r.Bottom) / 2 + shift;
    auto draw = [&](int ox, int oy, TColor color) {
        c.Pen()->SetColor(color);
        for (int i = 0; i < 4; ++i) {
            switch (direction) {
            case 0:
                c.MoveTo(cx - i + ox, cy - 2 + i + oy);
                c.LineTo(cx + i + 1 + ox, cy - 2 + i + oy);
                break;
            case 1:
                c.MoveTo(cx - i + ox, cy + 1 - i + oy);
                c.LineTo(cx + i + 1 + ox, cy + 1 - i + oy);
                break;
            case 2:
                c.MoveTo(cx - 2 + i + ox, cy - i + oy);
                c.LineTo(cx - 2 + i + ox, cy + i + 1 + oy);
                break;
            default:
                c.MoveTo(cx + 1 - i + ox, cy - i + oy);
                c.LineTo(cx + 1 - i + ox, cy + i + 1 + oy);
                break;
            }
        }
    };
    if (!enabled) draw(1, 1, clBtnHighlight);
    draw(0, 0, enabled ? clBtnText : clBtnShadow);
}
} // namespace

void DrawEdge3D(TCanvas& c, TRect r, bool raised, bool pressed) {
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clBtnFace);
    c.FillRect(r);
    if (r.Width() < 2 || r.Height() < 2) return;
    if (pressed) {
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(r);
        return;
    }
    TColor outerTL = raised ? cl3DLight : clBtnShadow;
    TColor outerBR = raised ? cl3DDkShadow : clBtnHighlight;
    TColor innerTL = raised ? clBtnHighlight : cl3DDkShadow;
    TColor innerBR = raised ? clBtnShadow : cl3DLight;
    Line(c, r.Left, r.Bottom - 1, r.Left, r.Top, outerTL);
    c.LineTo(r.Right - 1, r.Top);
    Line(c, r.Right - 1, r.Top, r.Right - 1, r.Bottom - 1, outerBR);
    c.LineTo(r.Left - 1, r.Bottom - 1);
    if (r.Width() < 4 || r.Height() < 4) return;
    Line(c, r.Left + 1, r.Bottom - 2, r.Left + 1, r.Top + 1, innerTL);
    c.LineTo(r.Right - 2, r.Top + 1);
    Line(c, r.Right - 2, r.Top + 1, r.Right - 2, r.Bottom - 2, innerBR);
    c.LineTo(r.Left, r.Bottom - 2);
}

void CalcSize(TWinControl* w, TNCCalcSizeParams& p) {
    TRect& r = p.rgrc[0];
    int b = BorderWidth(w);
    r = InflateRect(r, -b, -b);
    if ((w->Style() & WS_VSCROLL) && r.Width() >= ScrollBarSize) r.Right -= ScrollBarSize;
    if ((w->Style() & WS_HSCROLL) && r.Height() >= ScrollBarSize) r.Bottom -= ScrollBarSize;
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
}

TRect BarRect(TWinControl* w, int bar) {
    TRect c = w->ClientRectInWindow();
    if (bar == SB_VERT && (w->Style() & WS_VSCROLL))
        return Rect(c.Right, c.Top, c.Right + ScrollBarSize, c.Bottom);
    if (bar == SB_HORZ && (w->Style() & WS_HSCROLL))
        return Rect(c.Left, c.Bottom, c.Right, c.Bottom + ScrollBarSize);
    return {};
}

void PaintScrollBar(TWinControl* w, TCanvas& c, int bar) {
    BarGeometry g = Geometry(w, bar);
    if (g.rect.IsEmpty()) return;
    const TScrollBarState& sb = Bar(w, bar);
    bool enabled = !sb.disabled && w->Enabled();
    const auto& t = WS().Track();
    bool tracking = t.kind == TWindowSystem::Tracking::ScrollBar && t.wnd == w && t.bar == bar;
    TRect first = AxisRect(g, 0, g.arrow);
    TRect second = AxisRect(g, g.length - g.arrow, g.length);
    bool firstDown = tracking && t.code == SB_LINEUP && t.inside;
    bool secondDown = tracking && t.code == SB_LINEDOWN && t.inside;
    DrawEdge3D(c, first, true, firstDown);
    DrawEdge3D(c, second, true, secondDown);
    Arrow(c, first, g.vertical ? 0 : 2, enabled, firstDown ? 1 : 0);
    Arrow(c, second, g.vertical ? 1 : 3, enabled, secondDown ? 1 : 0);
    // The track: the classic half-tone of highlight and face.
    TRect track = AxisRect(g, g.arrow, g.length - g.arrow);
    TPixel light = ColorToPixel(clBtnHighlight), face = ColorToPixel(clBtnFace);
    for (int y = track.Top; y < track.Bottom; ++y)
        for (int x = track.Left; x < track.Right; ++x)
            c.SetPixel(x, y, PixelToColor(((x + y) & 1) ? face : light));
    if (tracking && (t.code == SB_PAGEUP || t.code == SB_PAGEDOWN) && t.inside && g.thumbLength) {
        TRect page = t.code == SB_PAGEUP
                         ? AxisRect(g, g.arrow, g.thumbStart)
                         : AxisRect(g, g.thumbStart + g.thumbLength, g.length - g.arrow);
        c.Brush()->SetColor(cl3DDkShadow);
        c.FillRect(page);
    }
    if (g.thumbLength && enabled)
        DrawEdge3D(c, AxisRect(g, g.thumbStart, g.thumbStart + g.thumbLength), true, false);
}

void Paint(TWinControl* w, TCanvas& c) {
    TRect r = Rect(0, 0, w->Width(), w->Height());
    if (w->Style() & WS_BORDER) {
        c.Brush()->SetColor(clWindowFrame);
        c.FrameRect(r);
        r = InflateRect(r, -1, -1);
    }
    if (w->ExStyle() & WS_EX_CLIENTEDGE) {
        Line(c, r.Left, r.Bottom - 1, r.Left, r.Top, clBtnShadow);
        c.LineTo(r.Right, r.Top);
        Line(c, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1, clBtnHighlight);
        c.LineTo(r.Left - 1, r.Bottom - 1);
        Line(c, r.Left + 1, r.Bottom - 2, r.Left + 1, r.Top + 1, cl3DDkShadow);
        c.LineTo(r.Right - 1, r.Top + 1);
        Line(c, r.Right - 2, r.Top + 2, r.Right - 2, r.Bottom - 2, cl3DLight);
        c.LineTo(r.Left, r.Bottom - 2);
        r = InflateRect(r, -2, -2);
    }
    if (w->ExStyle() & WS_EX_STATICEDGE) {
        Line(c, r.Left, r.Bottom - 1, r.Left, r.Top, clBtnShadow);
        c.LineTo(r.Right, r.Top);
        Line(c, r.Right - 1, r.Top + 1, r.Right - 1, r.Bottom - 1, clBtnHighlight);
        c.LineTo(r.Left - 1, r.Bottom - 1);
    }
    PaintScrollBar(w, c, SB_VERT);
    PaintScrollBar(w, c, SB_HORZ);
    TRect v = BarRect(w, SB_VERT), h = BarRect(w, SB_HORZ);
    if (!v.IsEmpty() && !h.IsEmpty()) {
        c.Brush()->SetColor(clBtnFace);
        c.FillRect(Rect(v.Left, h.Top, v.Right, h.Bottom));
    }
}

int HitTest(TWinControl* w, TPoint p) {
    if (!Rect(0, 0, w->Width(), w->Height()).Contains(p)) return HTNOWHERE;
    if (w->ClientRectInWindow().Contains(p)) return HTCLIENT;
    if (BarRect(w, SB_VERT).Contains(p)) return HTVSCROLL;
    if (BarRect(w, SB_HORZ).Contains(p)) return HTHSCROLL;
    return HTBORDER;
}

void ScrollBarDown(TWinControl* w, int bar, TPoint p) {
    BarGeometry g = Geometry(w, bar);
    TScrollBarState& sb = Bar(w, bar);
    if (sb.disabled || !w->Enabled()) return;
    int part = PartAt(g, p);
    if (part < 0) return;
    TWindowSystem::Tracking t;
    t.kind = TWindowSystem::Tracking::ScrollBar;
    t.wnd = w;
    t.bar = bar;
    t.code = part;
    t.inside = true;
    if (part == SB_THUMBTRACK) {
        int a = g.vertical ? p.Y - g.rect.Top : p.X - g.rect.Left;
        t.thumbOffset = a - g.thumbStart;
        sb.trackPos = sb.pos;
        WS().StartTracking(t);
    } else {
        t.nextRepeat = CurrentDisplay().Now() + ScrollRepeatDelayMs;
        WS().StartTracking(t);
        SendScroll(w, bar, part, 0);
    }
    RedrawWindow(w, nullptr, RDW_FRAME);
}

void ScrollBarMove(TWinControl* w, TPoint p) {
    auto& t = WS().Track();
    BarGeometry g = Geometry(w, t.bar);
    TScrollBarState& sb = Bar(w, t.bar);
    if (t.code == SB_THUMBTRACK) {
        int a = g.vertical ? p.Y - g.rect.Top : p.X - g.rect.Left;
        int space = g.trackLength - g.thumbLength;
        int start = std::clamp(a - t.thumbOffset, g.arrow, g.arrow + std::max(0, space));
        int maxPos = sb.max - std::max(sb.page - 1, 0);
        int pos = sb.min;
        if (space > 0 && maxPos > sb.min)
            pos = sb.min + int((int64_t(start - g.arrow) * (maxPos - sb.min) + space / 2) / space);
        if (pos != sb.trackPos) {
            sb.trackPos = pos;
            SendScroll(w, t.bar, SB_THUMBTRACK, pos);
            RedrawWindow(w, nullptr, RDW_FRAME);
        }
        return;
    }
    bool inside = PartAt(g, p) == t.code;
    if (inside != t.inside) {
        t.inside = inside;
        RedrawWindow(w, nullptr, RDW_FRAME);
    }
}

void ScrollBarRepeat(TWinControl* w) {
    auto& t = WS().Track();
    if (!w || !WS().Alive(w)) return;
    t.nextRepeat = CurrentDisplay().Now() + ScrollRepeatIntervalMs;
    TRect wr = w->WindowRectOnScreen();
    TPoint p = WS().MousePos();
    BarGeometry g = Geometry(w, t.bar);
    t.inside = PartAt(g, {p.X - wr.Left, p.Y - wr.Top}) == t.code;
    if (t.inside) SendScroll(w, t.bar, t.code, 0);
    RedrawWindow(w, nullptr, RDW_FRAME);
}

void ShowCursorFor(int hit) {
    TCursor cursor = crArrow;
    if (hit == HTLEFT || hit == HTRIGHT)
        cursor = crSizeWE;
    else if (hit == HTTOP || hit == HTBOTTOM)
        cursor = crSizeNS;
    else if (hit == HTTOPLEFT || hit == HTBOTTOMRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMLEFT)
        cursor = crSizeAll;
    Screen->ShowCursor(cursor);
}

void ScrollBarUp(TWinControl* w) {
    auto t = WS().Track();
    WS().StartTracking(TWindowSystem::Tracking{});
    if (t.code == SB_THUMBTRACK) SendScroll(w, t.bar, SB_THUMBPOSITION, Bar(w, t.bar).trackPos);
    if (WS().Alive(w)) SendScroll(w, t.bar, SB_ENDSCROLL, 0);
    if (WS().Alive(w)) RedrawWindow(w, nullptr, RDW_FRAME);
}

// --- the classic frame of a form: border, caption bar, caption buttons ---

namespace {
constexpr int ButtonWidth = 16;
constexpr int ButtonHeight = 14;
// The caption bar's last row is a line in the face colour between it and the client area.
constexpr int CaptionBarHeight = CaptionHeight - 1;

bool HasFrame(const TCustomForm* f) {
    return f->BorderStyle() != bsNone;
}

// Caption buttons right to left: close, then maximise and minimise as a pair.
struct CaptionButtons {
    TRect close, max, min;
};

CaptionButtons ButtonsOf(const TCustomForm* f) {
    CaptionButtons b;
    if (!HasFrame(f) || !(f->BorderIcons() & biSystemMenu)) return b;
    int top = FrameWidth + (CaptionBarHeight - ButtonHeight) / 2;
    int right = f->Width() - FrameWidth - 2;
    b.close = Rect(right - ButtonWidth, top, right, top + ButtonHeight);
    right = b.close.Left - 2;
    bool toolWindow = f->BorderStyle() == bsToolWindow || f->BorderStyle() == bsSizeToolWin ||
                      f->BorderStyle() == bsDialog;
    if (toolWindow) return b;
    if (f->BorderIcons() & (biMinimize | biMaximize)) {
        b.max = Rect(right - ButtonWidth, top, right, top + ButtonHeight);
        b.min = Rect(b.max.Left - ButtonWidth, top, b.max.Left, top + ButtonHeight);
    }
    return b;
}

enum GlyphKind { CloseGlyph, MaximizeGlyph, MinimizeGlyph };

void Glyph(TCanvas& c, const TRect& r, GlyphKind kind, bool enabled, bool pressed) {
    int s = pressed ? 1 : 0;
    int x = r.Left + 4 + s, y = r.Top + 3 + s;
    auto draw = [&](int ox, int oy, TColor color) {
        c.Pen()->SetColor(color);
        c.Brush()->SetColor(color);
        if (kind == CloseGlyph) { // a bold cross
            for (int i = 0; i < 2; ++i) {
                c.MoveTo(x + i + ox, y + oy);
                c.LineTo(x + 7 + i + ox, y + 7 + oy);
                c.MoveTo(x + 6 + i + ox, y + oy);
                c.LineTo(x - 1 + i + ox, y + 7 + oy);
            }
        } else if (kind == MaximizeGlyph) { // a box with a thick top
            c.FrameRect(Rect(x + ox, y + oy - 1, x + 9 + ox, y + 8 + oy));
            c.FillRect(Rect(x + ox, y + oy, x + 9 + ox, y + 1 + oy));
        } else { // a bar at the bottom
            c.FillRect(Rect(x + ox, y + 6 + oy, x + 6 + ox, y + 8 + oy));
        }
    };
    if (!enabled) draw(1, 1, clBtnHighlight);
    draw(0, 0, enabled ? clBtnText : clBtnShadow);
}

// The sizing edge or corner a border point is on.
int SizingHit(const TCustomForm* f, TPoint p) {
    bool l = p.X < FrameWidth, r = p.X >= f->Width() - FrameWidth;
    bool t = p.Y < FrameWidth, b = p.Y >= f->Height() - FrameWidth;
    if (t) return l ? HTTOPLEFT : r ? HTTOPRIGHT : HTTOP;
    if (b) return l ? HTBOTTOMLEFT : r ? HTBOTTOMRIGHT : HTBOTTOM;
    if (l) return HTLEFT;
    if (r) return HTRIGHT;
    return HTBORDER;
}
} // namespace

void FormCalcSize(TCustomForm* f, TNCCalcSizeParams& p) {
    if (HasFrame(f)) {
        TRect& r = p.rgrc[0];
        r.Left += FrameWidth;
        r.Right -= FrameWidth;
        r.Bottom -= FrameWidth;
        r.Top += FrameWidth + CaptionHeight;
    }
    CalcSize(f, p);
}

void FormPaint(TCustomForm* f, TCanvas& c) {
    if (HasFrame(f)) {
        int width = f->Width();
        bool active = f->Active();
        DrawEdge3D(c, Rect(0, 0, width, f->Height()), true, false);
        // Caption bar: a gradient in the caption colours, bold text, the buttons.
        TRect bar = Rect(FrameWidth, FrameWidth, width - FrameWidth, FrameWidth + CaptionBarHeight);
        TColor from = active ? clActiveCaption : clInactiveCaption;
        TColor to = active ? clGradientActiveCaption : clGradientInactiveCaption;
        for (int x = bar.Left; x < bar.Right; ++x) {
            double t = bar.Width() > 1 ? double(x - bar.Left) / (bar.Width() - 1) : 0;
            c.Pen()->SetColor(BlendColors(from, to, t));
            c.MoveTo(x, bar.Top);
            c.LineTo(x, bar.Bottom);
        }
        CaptionButtons b = ButtonsOf(f);
        TFont font;
        font.SetName("Arial");
        font.SetHeight(-11);
        font.SetStyle({fsBold});
        font.SetColor(active ? clCaptionText : clInactiveCaptionText);
        c.SetFont(font);
        c.Brush()->SetStyle(bsClear);
        int right = b.min.IsEmpty() ? (b.close.IsEmpty() ? bar.Right : b.close.Left) : b.min.Left;
        TRect text = Rect(bar.Left + 4, bar.Top, right - 4, bar.Bottom);
        DrawText(c, f->Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        c.Brush()->SetStyle(bsSolid);
        const auto& t = WS().Track();
        auto pressed = [&](int code) {
            return t.kind == TWindowSystem::Tracking::Button && t.wnd == f && t.code == code &&
                   t.inside;
        };
        TBorderIcons icons = f->BorderIcons();
        if (!b.close.IsEmpty()) {
            DrawEdge3D(c, b.close, true, pressed(HTCLOSE));
            Glyph(c, b.close, CloseGlyph, true, pressed(HTCLOSE));
        }
        if (!b.max.IsEmpty()) {
            DrawEdge3D(c, b.max, true, pressed(HTMAXBUTTON));
            Glyph(c, b.max, MaximizeGlyph, (icons & biMaximize) != 0, pressed(HTMAXBUTTON));
            DrawEdge3D(c, b.min, true, pressed(HTMINBUTTON));
            Glyph(c, b.min, MinimizeGlyph, (icons & biMinimize) != 0, pressed(HTMINBUTTON));
        }
        c.Pen()->SetColor(clBtnFace);
        c.MoveTo(FrameWidth, bar.Bottom);
        c.LineTo(width - FrameWidth, bar.Bottom);
    }
    Paint(f, c);
}

int FormHitTest(TCustomForm* f, TPoint p) {
    if (!Rect(0, 0, f->Width(), f->Height()).Contains(p)) return HTNOWHERE;
    if (f->ClientRectInWindow().Contains(p)) return HTCLIENT;
    if (!HasFrame(f)) return HitTest(f, p);
    CaptionButtons b = ButtonsOf(f);
    if (b.close.Contains(p)) return HTCLOSE;
    if (b.max.Contains(p)) return HTMAXBUTTON;
    if (b.min.Contains(p)) return HTMINBUTTON;
    if (p.Y >= FrameWidth && p.Y < FrameWidth + CaptionBarHeight && p.X >= FrameWidth &&
        p.X < f->Width() - FrameWidth)
        return HTCAPTION;
    int hit = HitTest(f, p);
    if (hit == HTBORDER && (f->BorderStyle() == bsSizeable || f->BorderStyle() == bsSizeToolWin))
        hit = SizingHit(f, p);
    return hit;
}

bool FormButtonDown(TCustomForm* f, int hit, TPoint screen) {
    if (hit == HTCAPTION) {
        if (f->WindowState() == wsMaximized) return true;
        TWindowSystem::Tracking t;
        t.kind = TWindowSystem::Tracking::Move;
        t.wnd = f;
        t.start = screen;
        t.startBounds = f->BoundsRect();
        WS().StartTracking(t);
        f->Perform(WM_ENTERSIZEMOVE);
        return true;
    }
    if (hit != HTCLOSE && hit != HTMINBUTTON && hit != HTMAXBUTTON) return false;
    if (hit == HTMINBUTTON && !(f->BorderIcons() & biMinimize)) return true;
    if (hit == HTMAXBUTTON && !(f->BorderIcons() & biMaximize)) return true;
    TWindowSystem::Tracking t;
    t.kind = TWindowSystem::Tracking::Button;
    t.wnd = f;
    t.code = hit;
    t.inside = true;
    WS().StartTracking(t);
    RedrawWindow(f, nullptr, RDW_FRAME);
    return true;
}
} // namespace NonClient
