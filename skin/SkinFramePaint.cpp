// TspSkinFrame: applying a skin, the frame's size limits and geometry, and everything it
// paints: the skinned frame, the default frame, the client background and the window shape.
#include "gfx/DrawText.h"
#include "skin/EffectBitmap.h"
#include "skin/ScaledPicture.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinRegions.h"
#include "skin/SkinSlicing.h"

#include <algorithm>

const TBitmap* TspSkinFrame::FramePicture() const {
    return m_skinData ? m_skinData->SkinPicture() : nullptr;
}

int TspSkinFrame::CaptionHeight() const {
    const TFormBorderStyle style = m_form->BorderStyle();
    return style == bsToolWindow || style == bsSizeToolWin ? DefaultToolCaptionHeight
                                                           : DefaultCaptionHeight;
}

// --- applying a skin ---

namespace {
// A skin the frame can be drawn from: a frame picture and a client rect that lies in it.
bool UsableSkin(const TspSkinData* store) {
    if (!store || store->SkinEmpty()) return false;
    const TBitmap* picture = const_cast<TspSkinData*>(store)->SkinPicture();
    const TRect& cl = store->FormInfo().clientrect;
    if (!picture || picture->Empty() || cl.IsEmpty()) return false;
    return cl.Right <= picture->Width() && cl.Bottom <= picture->Height();
}
} // namespace

void TspSkinFrame::ApplySkin() {
    if (!FormAlive()) return;
    CloseMenu();
    ResetObjects();
    StopTimers();
    m_skinned = m_supportNCArea && UsableSkin(m_skinData);
    m_backgroundTileIndex = -2;
    if (m_skinned) {
        BuildFrameObjects();
    } else {
        BuildDefaultButtons();
        if (!m_region.IsEmpty()) {
            RemoveWindowRgn(m_form, true);
            m_region.Clear();
        }
    }
    FitToMinimum();
    FitFrameTo(m_form->Width(), m_form->Height());
    m_form->Invalidate();
    m_windowActive = m_form->Active();
    for (auto& o : m_objects) o->WindowActivationChanged(m_windowActive);
    if (m_skinned) StartHoverTimer();
    PlaceAreaControls();
    if (OnChangeSkinData) OnChangeSkinData(this);
    if (!m_rolledUp) {
        if (m_clientWidth > 0) m_form->SetClientWidth(m_clientWidth);
        if (m_clientHeight > 0) m_form->SetClientHeight(m_clientHeight);
    }
}

// A window below the minimum grows to it: both sides in one step when both are short.
void TspSkinFrame::FitToMinimum() {
    const int minW = MinFrameWidth(), minH = MinFrameHeight();
    const int w = m_form->Width(), h = m_form->Height();
    if (w < minW && h < minH)
        m_form->SetBounds(m_form->Left(), m_form->Top(), minW, minH);
    else if (h < minH)
        m_form->SetBounds(m_form->Left(), m_form->Top(), w, minH);
    else if (w < minW)
        m_form->SetBounds(m_form->Left(), m_form->Top(), minW, h);
    else
        SetWindowPos(m_form, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TspSkinFrame::SizeChanged(int width, int height) {
    if (!NonClientHandled()) return;
    const int minW = MinFrameWidth(), minH = MinFrameHeight();
    // Asked to become smaller than the skin allows, the window keeps the minimum.
    if (m_skinned && !m_rolledUp && (width < minW || height < minH)) {
        m_form->SetBounds(m_form->Left(), m_form->Top(), std::max(width, minW),
                          std::max(height, minH));
        return;
    }
    FitFrameTo(width, height);
    if (OnChangeClientRect) OnChangeClientRect(this);
}

// Geometry, objects and shape for a window of width x height, then a repaint.
void TspSkinFrame::FitFrameTo(int width, int height) {
    m_width = width;
    m_height = height;
    if (m_skinned) {
        ComputeFrameGeometry();
        LayoutFrameObjects();
        UpdateWindowRegion();
    } else {
        PlaceDefaultButtons();
    }
    RepaintFrame();
}

// --- size limits ---

int TspSkinFrame::MinFrameWidth() const {
    if (!m_skinned) return m_minWidth > 0 ? m_minWidth : 130;
    const int pw = FramePicture()->Width();
    if (pw < m_minWidth && WindowState() != wsMinimized) return m_minWidth;
    const int formMin = m_skinData->FormInfo().formminwidth;
    return formMin > 0 ? formMin : pw;
}

int TspSkinFrame::MinFrameHeight() const {
    const bool exempt = m_rolledUp || WindowState() == wsMinimized;
    int frameHeight = CaptionHeight() + 6;
    if (m_skinned)
        frameHeight = FramePicture()->Height() - m_skinData->FormInfo().clientrect.Height();
    return frameHeight >= m_minHeight || exempt ? frameHeight : m_minHeight;
}

int TspSkinFrame::MaxFrameWidth() const {
    TRect area = m_maximizeOnFullScreen ? Rect(0, 0, Screen->Width(), Screen->Height())
                                        : Screen->WorkAreaRect();
    return m_maxWidth > 0 ? std::min(m_maxWidth, area.Width()) : area.Width();
}

int TspSkinFrame::MaxFrameHeight() const {
    TRect area = m_maximizeOnFullScreen ? Rect(0, 0, Screen->Width(), Screen->Height())
                                        : Screen->WorkAreaRect();
    return m_maxHeight > 0 ? std::min(m_maxHeight, area.Height()) : area.Height();
}

// --- geometry and shape ---

void TspSkinFrame::ComputeFrameGeometry() {
    if (!m_skinned) return;
    const TBitmap* picture = FramePicture();
    m_geometry = ::ComputeFrameGeometry(m_skinData->FormInfo(), picture->Width(), picture->Height(),
                                        m_width, m_height);
}

void TspSkinFrame::UpdateWindowRegion() {
    if (!FormAlive() || m_form->BorderStyle() == bsNone) return;
    TRegion region;
    const TBitmap* mask = m_skinData ? m_skinData->SkinMask() : nullptr;
    if (m_skinned && mask && !mask->Empty() && !m_skinData->SkinMaskName().empty()) {
        if (!m_supportNCArea) {
            region = RegionFromMask(*mask);
        } else {
            // The mask shapes only the border; the part inside "maskrectarea" stays whole.
            const TspSkinFormInfo& info = m_skinData->FormInfo();
            TspSlicePoints points = SlicePointsOf(info);
            points.ClientRect = info.maskrectarea;
            TspSlicePoints newPoints =
                ResizeSlicePoints(points, mask->Width(), mask->Height(), m_width, m_height);
            region = RegionFromSlicedMask(*mask, points, newPoints, m_width, m_height);
        }
    }
    if (region.IsEmpty()) {
        if (!m_region.IsEmpty()) {
            RemoveWindowRgn(m_form, true);
            m_region.Clear();
        }
        return;
    }
    if (region == m_region) return;
    m_region = region;
    SetWindowRgn(m_form, m_region, true);
}

// --- painting ---

void TspSkinFrame::PaintFrame(TCanvas& canvas) {
    if (!m_skinned) {
        PaintDefaultFrame(canvas);
        return;
    }
    m_width = m_form->Width();
    m_height = m_form->Height();
    if (m_width < MinFrameWidth() || m_height < MinFrameHeight()) return;
    ComputeFrameGeometry();
    LayoutFrameObjects();
    PaintSkinnedFrame(canvas);
    if (OnPaintEvent) OnPaintEvent(this, canvas);
}

void TspSkinFrame::PaintSkinnedFrame(TCanvas& canvas) {
    const TspSkinFormInfo& info = m_skinData->FormInfo();
    const TBitmap* inactive = m_skinData->InactiveSkinPicture();
    const TBitmap* picture =
        m_windowActive || !inactive || inactive->Empty() ? FramePicture() : inactive;
    const TspSlicePoints points = SlicePointsOf(info);
    const TspSlicePoints newPoints =
        ResizeSlicePoints(points, picture->Width(), picture->Height(), m_width, m_height);
    TspBorderStrips strips;
    MakeBorderStrips(strips, picture, Rect(0, 0, picture->Width(), picture->Height()), points,
                     newPoints, m_width, m_height, StretchFlagsOf(info));
    // The caption and the buttons are drawn into the top and bottom strips.
    for (TBitmap* strip : {&strips.Top, &strips.Bottom})
        if (!strip->Empty()) EnlargeToScale(*strip, canvas.Scale());
    // Objects go into the strip they lie in: the caption row into the top strip, anything
    // lower into the bottom one.
    const TRect& ncl = m_geometry.ClientRect;
    for (auto& o : m_objects) {
        if (!o->Visible || o->ObjectRect.IsEmpty()) continue;
        const bool top = o->ObjectRect.Bottom <= ncl.Top;
        TBitmap& strip = top ? strips.Top : strips.Bottom;
        if (strip.Empty()) continue;
        TCanvas* c = strip.Canvas();
        TCanvasStateGuard state(*c);
        c->SetOrigin(0, top ? 0 : -ncl.Bottom);
        o->DrawObject(*c, false);
    }
    TCanvasStateGuard state(canvas);
    if (!ncl.IsEmpty()) canvas.ExcludeClipRect(ncl);
    if (!m_windowActive && info.autorenderinginactiveimage) {
        for (TBitmap* strip : {&strips.Top, &strips.Bottom, &strips.Left, &strips.Right}) {
            if (strip->Empty()) continue;
            TspEffectBmp effect(*strip);
            ApplyInactiveEffect(effect, info.inactiveeffect);
            effect.AssignTo(*strip);
        }
    }
    DrawBorderStrips(canvas, strips, m_width, m_height);
}

// The plain frame without a skin: a shaded caption bar with the title and the default
// buttons, inside three one-pixel edges.
void TspSkinFrame::PaintDefaultFrame(TCanvas& canvas) {
    const int w = m_form->Width(), h = m_form->Height();
    const int caption = CaptionHeight();
    if (w < 6 || h < 6) return;
    TBitmap bar;
    bar.SetScale(canvas.Scale());
    bar.SetSize(w - 6, caption);
    TCanvas* c = bar.Canvas();
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(Rect(0, 0, bar.Width(), bar.Height()));
    int left = 2, right = bar.Width() - 2;
    for (auto& o : m_objects) {
        if (!o->Visible || o->ObjectRect.IsEmpty()) continue;
        const TRect r = OffsetRect(o->ObjectRect, -3, -3);
        if (r.Left < bar.Width() / 2)
            left = std::max(left, r.Right + 2);
        else
            right = std::min(right, r.Left - 2);
    }
    for (int y = 2; y <= caption - 4 && right > left; ++y) {
        c->Pen()->SetColor(y % 2 == 0 ? clBtnShadow : clBtnHighlight);
        c->MoveTo(left, y);
        c->LineTo(right, y);
    }
    const AnsiString text = CaptionText();
    if (!text.empty() && right > left) {
        c->SetFont(m_windowActive ? m_defCaptionFont : m_defInactiveCaptionFont);
        TRect measure = Rect(0, 0, 0, 0);
        DrawText(*c, text, measure, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int tw = std::min(measure.Width(), right - left - 4);
        const int th = measure.Height();
        const int x = left + (right - left - tw) / 2, y = (caption - th) / 2;
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(Rect(x - 2, y - 2, x + tw + 2, y + th + 2));
        c->Brush()->SetStyle(bsClear);
        TRect box = Rect(x, y, x + tw, y + th);
        DrawText(*c, text, box, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        c->Brush()->SetStyle(bsSolid);
    }
    c->SetOrigin(-3, -3);
    for (auto& o : m_objects)
        if (o->Visible) o->DrawObject(*c, true);
    c->SetOrigin(0, 0);
    canvas.Draw(3, 3, bar);
    auto edge = [&](int inset, TColor light, TColor dark) {
        const TRect r = Rect(inset, inset, w - inset, h - inset);
        canvas.Pen()->SetColor(light);
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right - 1, r.Top);
        canvas.Pen()->SetColor(dark);
        canvas.LineTo(r.Right - 1, r.Bottom - 1);
        canvas.LineTo(r.Left - 1, r.Bottom - 1);
    };
    edge(0, cl3DLight, cl3DDkShadow);
    edge(1, clBtnHighlight, clBtnShadow);
    edge(2, clBtnFace, clBtnFace);
}

void TspSkinFrame::PaintClientBackground(TCanvas& canvas) {
    const TRect client = m_form->ClientRect();
    const TBitmap* tile = nullptr;
    if (m_skinned) {
        const TspSkinFormInfo& info = m_skinData->FormInfo();
        const TBitmap* picture = m_skinData->ActivePicture(info.bgpictureindex);
        if (picture && !picture->Empty()) {
            tile = picture;
        } else if (!info.clientrect.IsEmpty()) {
            // The frame picture's own client part, cut once per skin.
            if (m_backgroundTileIndex != -1) {
                const TRect& cl = info.clientrect;
                m_backgroundTile.SetSize(cl.Width(), cl.Height());
                m_backgroundTile.Canvas()->CopyRect(Rect(0, 0, cl.Width(), cl.Height()),
                                                    *FramePicture(), cl);
                m_backgroundTileIndex = -1;
            }
            tile = &m_backgroundTile;
        }
    }
    if (tile && !tile->Empty()) {
        for (int y = 0; y < client.Bottom; y += tile->Height())
            for (int x = 0; x < client.Right; x += tile->Width())
                if (canvas.IsVisible(Bounds(x, y, tile->Width(), tile->Height())))
                    canvas.Draw(x, y, *tile);
    } else {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(client);
    }
    if (!m_logoBitMap.Empty()) {
        m_logoBitMap.SetTransparent(m_logoBitMapTransparent);
        canvas.Draw((client.Width() - m_logoBitMap.Width()) / 2,
                    (client.Height() - m_logoBitMap.Height()) / 2, m_logoBitMap);
    }
}
