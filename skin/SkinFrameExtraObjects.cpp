#include "skin/SkinFrameExtraObjects.h"

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"
#include "skin/SkinFrame.h"

#include <algorithm>
#include <cmath>

namespace {
int Clamp(int value, int lo, int hi) {
    return lo > hi ? lo : std::clamp(value, lo, hi);
}

// Position of a value between two limits as 0..1.
double Fraction(int value, int lo, int hi) {
    return hi > lo ? double(Clamp(value, lo, hi) - lo) / double(hi - lo) : 0.0;
}
} // namespace

// --- label ---

TspSkinLabelObject::TspSkinLabelObject(TspSkinFrame* frame, TspSkinData* store,
                                       const TspDataSkinLabel& r)
    : TspActiveSkinObject(frame, store, r), TspSkinLabelLooks(r) {}

void TspSkinLabelObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    TspActiveSkinObject::DrawObject(canvas, drawNormal);
    if (textvalue.empty() || ObjectRect.IsEmpty()) return;
    TCanvasStateGuard state(canvas);
    canvas.Font()->SetName(fontname);
    canvas.Font()->SetHeight(fontheight);
    canvas.Font()->SetStyle(SkinFontStyles(fontstyle));
    canvas.Font()->SetColor(Active ? activefontcolor : fontcolor);
    canvas.Brush()->SetStyle(bsClear);
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    flags |= alignment == TspSkinAlignment::LeftJustify    ? DT_LEFT
             : alignment == TspSkinAlignment::RightJustify ? DT_RIGHT
                                                           : DT_CENTER;
    TRect r = ObjectRect;
    DrawText(canvas, textvalue, r, flags);
}

// --- bit label ---

TspSkinBitLabelObject::TspSkinBitLabelObject(TspSkinFrame* frame, TspSkinData* store,
                                             const TspDataSkinBitLabel& r)
    : TspActiveSkinObject(frame, store, r), TspSkinBitLabelLooks(r) {}

TRect TspSkinBitLabelObject::SymbolRect(char c) const {
    if (symbolwidth <= 0 || symbolheight <= 0) return {};
    // The strip starts at the active look's corner (or the picture's).
    const TPoint origin = activeskinrect.IsEmpty() ? TPoint{0, 0} : activeskinrect.TopLeft();
    for (size_t row = 0; row < symbols.size(); ++row) {
        size_t col = symbols[row].find(c);
        if (col != std::string::npos)
            return Bounds(origin.X + int(col) * symbolwidth, origin.Y + int(row) * symbolheight,
                          symbolwidth, symbolheight);
    }
    return {};
}

void TspSkinBitLabelObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    TspActiveSkinObject::DrawObject(canvas, drawNormal);
    if (!ActivePicture || symbolwidth <= 0 || symbolheight <= 0) return;
    TCanvasStateGuard state(canvas);
    canvas.IntersectClipRect(ObjectRect);
    int x = ObjectRect.Left;
    const int y = ObjectRect.Top + (ObjectRect.Height() - symbolheight) / 2;
    TBitmap glyph(symbolwidth, symbolheight);
    for (char c : textvalue) {
        TRect source = SymbolRect(c);
        if (!source.IsEmpty()) {
            glyph.Canvas()->CopyRect(Rect(0, 0, symbolwidth, symbolheight), *ActivePicture, source);
            glyph.SetTransparent(transparent);
            if (transparent) glyph.SetTransparentColor(transparentcolor);
            canvas.Draw(x, y, glyph);
        }
        x += symbolwidth;
    }
}

// --- gauge ---

TspSkinGaugeObject::TspSkinGaugeObject(TspSkinFrame* frame, TspSkinData* store,
                                       const TspDataSkinGauge& r)
    : TspActiveSkinObject(frame, store, r), minvalue(r.minvalue), maxvalue(r.maxvalue),
      kind(r.kind), m_value(r.minvalue) {}

void TspSkinGaugeObject::SetValue(int value) {
    value = Clamp(value, minvalue, maxvalue);
    if (value == m_value) return;
    m_value = value;
    Redraw();
}

void TspSkinGaugeObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    CopyLook(canvas, NormalPicture(), skinrect);
    (void)drawNormal;
    if (!ActivePicture || activeskinrect.IsEmpty() || ObjectRect.IsEmpty()) return;
    const double f = Fraction(m_value, minvalue, maxvalue);
    TRect src = activeskinrect, dst = ObjectRect;
    if (kind == 0) {
        const int w = int(std::lround(activeskinrect.Width() * f));
        src.Right = src.Left + w;
        dst.Right = dst.Left + int(std::lround(ObjectRect.Width() * f));
    } else {
        const int h = int(std::lround(activeskinrect.Height() * f));
        src.Top = src.Bottom - h;
        dst.Top = dst.Bottom - int(std::lround(ObjectRect.Height() * f));
    }
    if (!src.IsEmpty() && !dst.IsEmpty()) canvas.CopyRect(dst, *ActivePicture, src);
}

// --- switch ---

TspSkinSwitchObject::TspSkinSwitchObject(TspSkinFrame* frame, TspSkinData* store,
                                         const TspDataSkinSwitch& r)
    : TspActiveSkinObject(frame, store, r) {}

void TspSkinSwitchObject::SetOn(bool value) {
    if (value == m_on) return;
    m_on = value;
    Redraw();
}

void TspSkinSwitchObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (m_on && ActivePicture && !activeskinrect.IsEmpty())
        CopyLook(canvas, ActivePicture, activeskinrect);
    else if (drawNormal || LooksInActivePicture())
        CopyLook(canvas, NormalPicture(), skinrect);
}

void TspSkinSwitchObject::ObjectMouseUp(int, int, TMouseButton button) {
    if (button == mbLeft && MouseIn && Enabled) SetOn(!m_on);
}

// --- track bar ---

TspSkinTrackBarObject::TspSkinTrackBarObject(TspSkinFrame* frame, TspSkinData* store,
                                             const TspDataSkinTrackBar& r)
    : TspActiveSkinObject(frame, store, r), TspSkinTrackBarLooks(r), m_value(r.minvalue) {}

void TspSkinTrackBarObject::SetValue(int value) {
    value = Clamp(value, minvalue, maxvalue);
    if (value == m_value) return;
    m_value = value;
    Redraw();
}

TRect TspSkinTrackBarObject::ButtonRect() const {
    const double f = Fraction(m_value, minvalue, maxvalue);
    const int cx =
        ObjectRect.Left + beginpoint.X + int(std::lround((endpoint.X - beginpoint.X) * f));
    const int cy =
        ObjectRect.Top + beginpoint.Y + int(std::lround((endpoint.Y - beginpoint.Y) * f));
    return Bounds(cx - buttonrect.Width() / 2, cy - buttonrect.Height() / 2, buttonrect.Width(),
                  buttonrect.Height());
}

int TspSkinTrackBarObject::ValueAt(int x, int y) const {
    const int dx = endpoint.X - beginpoint.X, dy = endpoint.Y - beginpoint.Y;
    const int length2 = dx * dx + dy * dy;
    if (length2 == 0 || maxvalue <= minvalue) return m_value;
    const int px = x - ObjectRect.Left - beginpoint.X, py = y - ObjectRect.Top - beginpoint.Y;
    const double t = std::clamp(double(px * dx + py * dy) / length2, 0.0, 1.0);
    return minvalue + int(std::lround(t * (maxvalue - minvalue)));
}

void TspSkinTrackBarObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (drawNormal || LooksInActivePicture()) CopyLook(canvas, NormalPicture(), skinrect);
    const TRect& look =
        (Active || m_dragging) && !activebuttonrect.IsEmpty() ? activebuttonrect : buttonrect;
    if (!ActivePicture || look.IsEmpty()) return;
    TBitmap button(look.Width(), look.Height());
    button.Canvas()->CopyRect(Rect(0, 0, look.Width(), look.Height()), *ActivePicture, look);
    button.SetTransparent(buttontransparent);
    if (buttontransparent) button.SetTransparentColor(buttontransparentcolor);
    const TRect at = ButtonRect();
    canvas.Draw(at.Left, at.Top, button);
}

void TspSkinTrackBarObject::ObjectMouseDown(int x, int y, TMouseButton button) {
    if (button != mbLeft || !Enabled) return;
    if (PtInRect(ButtonRect(), {x, y}) || mousedownchangevalue) {
        m_dragging = true;
        if (mousedownchangevalue) SetValue(ValueAt(x, y));
    }
}

void TspSkinTrackBarObject::ObjectMouseMove(int x, int y) {
    if (m_dragging && x >= 0) SetValue(ValueAt(x, y));
}

void TspSkinTrackBarObject::ObjectMouseUp(int, int, TMouseButton) {
    if (!m_dragging) return;
    m_dragging = false;
    Redraw();
}

// --- animation ---

TspSkinAnimateObject::TspSkinAnimateObject(TspSkinFrame* frame, TspSkinData* store,
                                           const TspDataSkinAnimate& r)
    : TspActiveSkinObject(frame, store, r), countframes(std::max(1, r.countframes)), cycle(r.cycle),
      buttonstyle(r.buttonstyle), timerinterval(r.timerinterval), command(r.command),
      downskinrect(r.downskinrect) {
    if (cycle && countframes > 1) {
        m_playing = true;
        frame->StartAnimation();
    }
}

void TspSkinAnimateObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    if (buttonstyle && m_down && MouseIn && !downskinrect.IsEmpty() && ActivePicture) {
        CopyLook(canvas, ActivePicture, downskinrect);
        return;
    }
    const TBitmap* picture = NormalPicture();
    if (!picture || skinrect.IsEmpty()) return;
    if (!drawNormal && !LooksInActivePicture() && m_frameIndex == 0) return;
    // Frame i lies i skin widths to the right of the first.
    CopyLook(canvas, picture, OffsetRect(skinrect, m_frameIndex * skinrect.Width(), 0));
}

bool TspSkinAnimateObject::AnimationTick(bool& changed) {
    changed = false;
    if (!m_playing) return false;
    m_elapsed += 25;
    if (m_elapsed < std::max(25, timerinterval)) return true;
    m_elapsed = 0;
    changed = true;
    if (Active || cycle) {
        if (m_frameIndex + 1 < countframes) {
            ++m_frameIndex;
            return true;
        }
        if (cycle) {
            m_frameIndex = 0;
            return true;
        }
    } else if (m_frameIndex > 0) {
        --m_frameIndex;
        return true;
    }
    m_playing = false;
    return false;
}

void TspSkinAnimateObject::ObjectMouseEnter() {
    MouseIn = Active = true;
    if (countframes > 1) {
        m_playing = true;
        m_frame->StartAnimation();
    }
    if (m_down) Redraw();
}

void TspSkinAnimateObject::ObjectMouseLeave() {
    MouseIn = Active = false;
    if (countframes > 1) {
        m_playing = true;
        m_frame->StartAnimation();
    }
    if (m_down) Redraw();
}

void TspSkinAnimateObject::ObjectMouseDown(int, int, TMouseButton button) {
    if (!buttonstyle || button != mbLeft || !Enabled) return;
    m_down = true;
    Redraw();
}

void TspSkinAnimateObject::ObjectMouseUp(int, int, TMouseButton button) {
    if (!buttonstyle || button != mbLeft || !m_down) return;
    m_down = false;
    const bool acts = MouseIn && Enabled;
    Redraw();
    if (acts) m_frame->RunCommand(command);
}

// --- frame strips ---

TspSkinFrameObject::TspSkinFrameObject(TspSkinFrame* frame, TspSkinData* store,
                                       const TspDataSkinObject& r, int minValue, int maxValue,
                                       int countFrames, int placement)
    : TspActiveSkinObject(frame, store, r), minvalue(minValue), maxvalue(maxValue),
      countframes(std::max(1, countFrames)), framesplacement(placement), m_value(minValue) {}

void TspSkinFrameObject::SetValue(int value) {
    value = Clamp(value, minvalue, maxvalue);
    if (value == m_value) return;
    m_value = value;
    Redraw();
}

int TspSkinFrameObject::FrameIndex() const {
    return int(std::lround(Fraction(m_value, minvalue, maxvalue) * (countframes - 1)));
}

void TspSkinFrameObject::DrawObject(TCanvas& canvas, bool) {
    const TBitmap* picture = ActivePicture ? ActivePicture : Picture;
    if (!picture || skinrect.IsEmpty()) return;
    const int i = FrameIndex();
    TRect source = framesplacement == 0 ? OffsetRect(skinrect, i * skinrect.Width(), 0)
                                        : OffsetRect(skinrect, 0, i * skinrect.Height());
    CopyLook(canvas, picture, source);
}

void TspSkinFrameRegulatorObject::Follow(int x, int y) {
    if (maxvalue <= minvalue || ObjectRect.IsEmpty()) return;
    double f;
    if (kind == 1) {
        f = double(x - ObjectRect.Left) / std::max(1, ObjectRect.Width() - 1);
    } else if (kind == 2) {
        f = double(ObjectRect.Bottom - 1 - y) / std::max(1, ObjectRect.Height() - 1);
    } else {
        // A knob: the angle around its centre, from 135 degrees left of straight up to 135
        // degrees right of it.
        const double dx = x - (ObjectRect.Left + ObjectRect.Right) / 2.0;
        const double dy = (ObjectRect.Top + ObjectRect.Bottom) / 2.0 - y;
        const double quarter = std::atan2(1.0, 0.0);
        f = (std::atan2(dx, dy) + 1.5 * quarter) / (3 * quarter);
    }
    f = std::clamp(f, 0.0, 1.0);
    SetValue(minvalue + int(std::lround(f * (maxvalue - minvalue))));
}

void TspSkinFrameRegulatorObject::ObjectMouseDown(int x, int y, TMouseButton button) {
    if (button != mbLeft || !Enabled) return;
    m_dragging = true;
    Follow(x, y);
}

void TspSkinFrameRegulatorObject::ObjectMouseMove(int x, int y) {
    if (m_dragging && x >= 0) Follow(x, y);
}

void TspSkinFrameRegulatorObject::ObjectMouseUp(int, int, TMouseButton) {
    m_dragging = false;
}
