#include "skinctrls/SkinPanel.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinDrawing.h"
#include "skinctrls/SkinArrows.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "skinctrls/SkinPictureParts.h"
#include "skinctrls/SkinTile.h"

namespace {

TAlignment AlignmentOf(TspSkinAlignment a) {
    switch (a) {
    case TspSkinAlignment::LeftJustify:
        return taLeftJustify;
    case TspSkinAlignment::RightJustify:
        return taRightJustify;
    default:
        return taCenter;
    }
}

bool InRect(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

} // namespace

TspSkinPanel::TspSkinPanel(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 150;
    m_height = 150;
    SetSkinDataName("panel");
    m_containerPainting = true;
    m_controlStyle |= csAcceptsControls;
}

TspSkinGroupBox::TspSkinGroupBox(TComponent* owner) : TspSkinPanel(owner) {
    SetSkinDataName("groupbox");
    m_captionMode = true;
}

// --- properties ---

void TspSkinPanel::SetBorderStyle(TBevelCut value) {
    m_borderStyle = value;
    if (!m_looks.valid) {
        Invalidate();
        Realign();
    }
}

void TspSkinPanel::SetCaptionMode(bool value) {
    m_captionMode = value;
    Invalidate();
    Realign();
}

void TspSkinPanel::SetDefaultCaptionHeight(int value) {
    m_defaultCaptionHeight = std::max(0, value);
    if (!m_looks.valid && m_captionMode) {
        Invalidate();
        Realign();
    }
}

void TspSkinPanel::SetDefaultAlignment(TAlignment value) {
    m_defaultAlignment = value;
    if (!m_looks.valid && m_captionMode) Invalidate();
}

void TspSkinPanel::SetGlyph(const TBitmap& glyph) {
    m_glyph = glyph;
    Invalidate();
}

void TspSkinPanel::SetNumGlyphs(int value) {
    m_numGlyphs = std::clamp(value, 1, 2);
    Invalidate();
}

void TspSkinPanel::SetSpacing(int value) {
    m_spacing = value;
    Invalidate();
}

void TspSkinPanel::SetCheckedMode(bool value) {
    m_checkedMode = value;
    Invalidate();
}

void TspSkinPanel::SetChecked(bool value) {
    m_checked = value;
    if (m_checkedMode) {
        Invalidate();
        if (m_autoEnabledControls)
            for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(value);
    }
    if (OnChecked) OnChecked(this);
}

void TspSkinPanel::SetRollUpMode(bool value) {
    m_rollUpMode = value;
    if (!m_looks.valid && m_captionMode) Invalidate();
}

void TspSkinPanel::SetRollUpState(bool value) {
    if (value == m_rollUpState) return;
    if (!m_rollUpMode) {
        // The mode went off while rolled up: unroll, or the children would stay hidden
        // with no way back.
        if (m_realHeight != -1) Roll(false);
        if (m_constraintsSaved) {
            m_constraintsSaved = false;
            SetConstraints(m_savedConstraints);
        }
        m_rollUpState = false;
        return;
    }
    // Saved once: unrolling brings back what the panel had before the first roll-up.
    if (!m_constraintsSaved) {
        m_savedConstraints = m_constraints;
        m_constraintsSaved = true;
    }
    m_constraints = {};
    m_rollUpState = value;
    Roll(value);
    if (!value) {
        m_constraintsSaved = false;
        SetConstraints(m_savedConstraints);
    }
    if (OnChangeRollUpState) OnChangeRollUpState(this);
}

void TspSkinPanel::SetConstraints(const TspPanelConstraints& value) {
    m_constraints = value;
    SetBounds(Left(), Top(), Width(), Height());
}

// --- the record ---

void TspSkinPanel::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinPanelControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced) return;
    Looks& l = m_looks;
    l.valid = true;
    l.captionrect = r->captionrect;
    l.alignment = AlignmentOf(r->alignment);
    l.fontname = r->fontname;
    l.fontheight = r->fontheight;
    l.fontstyle = r->fontstyle;
    l.fontcolor = TColor(r->fontcolor);
    l.bgpictureindex = SkinData()->ActivePicture(r->bgpictureindex) ? r->bgpictureindex : -1;
    l.checkimagerect = r->checkimagerect;
    l.uncheckimagerect = r->uncheckimagerect;
    l.markframerect = r->markframerect;
    l.framerect = r->framerect;
    l.frametextrect = r->frametextrect;
    l.frameleftoffset = r->frameleftoffset;
    l.framerightoffset = r->framerightoffset;
}

void TspSkinPanel::ApplySkinChange() {
    if (m_realHeight != -1) {
        // Rolled up: unroll silently to the full height, apply, then roll to the new
        // skin's caption height.
        int full = m_realHeight;
        m_realHeight = -1;
        TspSkinCustomControl::SetBounds(Left(), Top(), Width(), full);
        TspSkinCustomControl::ApplySkinChange();
        m_realHeight = full;
        int rolled = RolledHeight(full);
        TspSkinCustomControl::SetBounds(Left(), Top(), Width(), rolled);
        Invalidate();
        return;
    }
    TspSkinCustomControl::ApplySkinChange();
    Realign();
}

void TspSkinPanel::SetBounds(int left, int top, int width, int height) {
    m_constraints.Apply(width, height);
    bool sized = width != Width() || height != Height();
    TspSkinCustomControl::SetBounds(left, top, width, height);
    if (sized && !m_looks.valid) Invalidate();
}

// --- geometry ---

bool TspSkinPanel::TilesWholePanel() const {
    if (!m_looks.valid) return false;
    if (m_looks.bgpictureindex != -1) return true;
    return m_borderStyle == bvNone && SliceMode() == smFourCorner && !m_captionMode &&
           !AlphaBlend();
}

TRect TspSkinPanel::PanelClientRect() {
    LookUpSkinRecord();
    TRect client = ClientRect();
    if (!m_looks.valid || (ComponentState() & csDesigning)) {
        TRect r = client;
        if (m_borderStyle != bvNone) r = InflateRect(r, -1, -1);
        if (m_captionMode) r.Top += m_defaultCaptionHeight;
        return r;
    }
    if (m_looks.bgpictureindex != -1 ||
        (m_borderStyle == bvNone && !m_captionMode && SliceMode() == smFourCorner))
        return client;
    int w = Width(), h = Height();
    AdjustToSkinSize(w, h); // refreshes the resized client rect for the current size
    if (SliceMode() == smNoPicture || SliceMode() == smFixed) return m_cache.clientrect;
    return m_cache.NewClRect;
}

void TspSkinPanel::AlignControls(TControl* control, TRect& rect) {
    rect = PanelClientRect();
    TspSkinCustomControl::AlignControls(control, rect);
}

TRect TspSkinPanel::MapCaptionRect() const {
    TRect a = m_looks.captionrect;
    int dx = Width() - m_cache.SkinWidth(), dy = Height() - m_cache.SkinHeight();
    const TPoint lt = m_cache.lefttoppoint, rt = m_cache.righttoppoint;
    const TPoint lb = m_cache.leftbottompoint, rb = m_cache.rightbottompoint;
    int sw = m_cache.SkinWidth(), sh = m_cache.SkinHeight();
    switch (SliceMode()) {
    case smHorizontal:
        if (a.Left <= lt.X && a.Right >= rt.X)
            a.Right += dx;
        else if (a.Left >= rt.X && a.Right > rt.X)
            a = OffsetRect(a, dx, 0);
        break;
    case smVertical:
        if (a.Top <= lt.Y && a.Bottom >= lb.Y)
            a.Bottom += dy;
        else if (a.Top >= lb.Y && a.Bottom > lb.Y)
            a = OffsetRect(a, 0, dy);
        break;
    case smFourCorner: {
        TRect cLT = Rect(0, 0, lt.X, lt.Y), cRT = Rect(rt.X, 0, sw, rt.Y);
        TRect cLB = Rect(0, lb.Y, lb.X, sh), cRB = Rect(rb.X, rb.Y, sw, sh);
        TPoint tl = a.TopLeft(), br = a.BottomRight();
        if (InRect(cLT, tl) && InRect(cLT, br)) {
        } else if (InRect(cRT, tl) && InRect(cRT, br)) {
            a = OffsetRect(a, dx, 0);
        } else if (InRect(cLB, tl) && InRect(cLB, br)) {
            a = OffsetRect(a, 0, dy);
        } else if (InRect(cRB, tl) && InRect(cRB, br)) {
            a = OffsetRect(a, dx, dy);
        } else if (InRect(cLT, tl) && InRect(cRB, br)) {
            a.Right += dx;
            a.Bottom += dy;
        } else if (InRect(cLT, tl) && InRect(cRT, br)) {
            a.Right += dx;
        } else if (InRect(cLB, tl) && InRect(cRB, br)) {
            a.Right += dx;
            a = OffsetRect(a, 0, dy);
        } else if (InRect(cLT, tl) && InRect(cLB, br)) {
            a.Bottom += dy;
        } else if (InRect(cRT, tl) && InRect(cRB, br)) {
            a = OffsetRect(a, dx, 0);
            a.Bottom += dy;
        }
        break;
    }
    default:
        break;
    }
    return a;
}

TRect TspSkinPanel::CaptionArea() {
    LookUpSkinRecord();
    if (!m_looks.valid) return Rect(1, 1, Width() - 1, m_defaultCaptionHeight);
    if (!m_captionMode || m_looks.captionrect.IsEmpty()) return {};
    return MapCaptionRect();
}

// --- painting ---

bool TspSkinPanel::PaintDirect() {
    if (TilesWholePanel()) return false;
    return TspSkinCustomControl::PaintDirect();
}

void TspSkinPanel::DrawCaptionText(TCanvas& c, const TRect& area, TAlignment alignment, int top,
                                   int textHeight) {
    AnsiString caption = Caption();
    int tw = c.TextWidth(caption);
    int gw = m_glyph.Empty() ? 0 : m_glyph.Width() / m_numGlyphs;
    int full = tw + (gw > 0 ? gw + m_spacing : 0);
    int x = area.Left;
    if (alignment == taRightJustify)
        x = area.Right - full;
    else if (alignment == taCenter)
        x = area.Left + (area.Width() - full) / 2;
    if (gw > 0) {
        int cell = !m_enabled && m_numGlyphs == 2 ? 2 : 1;
        DrawGlyphFromStrip(c, x, area.Top + (area.Height() - m_glyph.Height()) / 2, cell,
                           m_numGlyphs, m_glyph);
        x += gw + m_spacing;
    }
    {
        TCanvasStateGuard state(c);
        c.IntersectClipRect(area);
        c.Brush()->SetStyle(bsClear);
        c.TextOut(x, top, caption);
        c.Brush()->SetStyle(bsSolid);
    }
    (void)textHeight;
}

void TspSkinPanel::DrawSkinCaption(TCanvas& c) {
    if (!m_captionMode || Caption().empty() || m_looks.captionrect.IsEmpty()) return;
    const Looks& l = m_looks;
    const TBitmap* picture = m_cache.Picture;
    TRect area = MapCaptionRect();
    if (m_rollUpMode) area.Right -= 12;
    if (m_checkedMode && picture) {
        const TRect& image = m_checked ? l.checkimagerect : l.uncheckimagerect;
        if (!image.IsEmpty()) {
            DrawTransparentPart(c, *picture, image, area.Left,
                                area.Top + (area.Height() - image.Height()) / 2);
            area.Left += image.Width() + 2;
        }
    }
    TFont font;
    ChooseSkinFont(font, l.fontname, l.fontheight, l.fontstyle);
    font.SetColor(l.fontcolor);
    c.SetFont(font);
    int th = c.TextHeight(Caption());
    int tw = c.TextWidth(Caption());
    int y = area.Top + area.Height() / 2 - th / 2;
    if (m_rollUpMode) {
        TRect mark = Rect(area.Right, area.Top, area.Right + 10, area.Bottom);
        if (picture && !l.markframerect.IsEmpty())
            DrawTransparentPart(c, *picture, l.markframerect,
                                mark.Left + (10 - l.markframerect.Width()) / 2,
                                mark.Top + (mark.Height() - l.markframerect.Height()) / 2);
        DrawSkinArrow(c, mark, m_rollUpState ? TspArrowDirection::Down : TspArrowDirection::Up,
                      l.fontcolor);
    }
    if (picture && !l.framerect.IsEmpty()) {
        // A frame picture behind the text, as wide as the text needs.
        int width = tw + (l.framerect.Width() - l.frametextrect.Width());
        TBitmap frame;
        DrawHorizontalSliced(frame, picture, l.framerect, l.frameleftoffset, l.framerightoffset,
                             std::max(1, width), false);
        int x = area.Left;
        if (l.alignment == taRightJustify)
            x = area.Right - tw;
        else if (l.alignment == taCenter)
            x = area.Left + (area.Width() - tw) / 2;
        c.Draw(x - l.frametextrect.Left, area.Top, frame);
    }
    DrawCaptionText(c, area, l.alignment, y, th);
}

void TspSkinPanel::DrawDefaultCaption(TCanvas& c) {
    int w = Width(), h = m_defaultCaptionHeight;
    TRect bar;
    if (m_borderStyle != bvNone) {
        bar = Rect(1, 1, w - 1, h);
        Frame3D(c, bar, clBtnShadow, clBtnHighlight);
        Frame3D(c, InflateRect(bar, -1, -1), clBtnHighlight, clBtnShadow);
    } else {
        bar = Rect(0, 0, w, h);
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(bar);
        Frame3D(c, InflateRect(bar, -1, -1), clBtnHighlight, clBtnFace);
    }
    TRect area = InflateRect(bar, -2, -2);
    if (m_checkedMode) {
        TRect box = Bounds(5, bar.Top + (bar.Height() - 14) / 2, 14, 14);
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(box);
        if (m_checked) DrawBuiltInCheckMark(c, box.Left + 3, box.Top + 2, clBtnText);
        area.Left += 20;
    }
    if (m_rollUpMode) {
        area.Right -= 10;
        DrawSkinArrow(c, Rect(area.Right, area.Top, area.Right + 10, area.Bottom),
                      m_rollUpState ? TspArrowDirection::Down : TspArrowDirection::Up, clBtnText);
    }
    TFont font;
    font.Assign(*DefaultFont());
    font.SetCharset(SkinCharset(SkinData(), font.Charset()));
    c.SetFont(font);
    int th = c.TextHeight(Caption().empty() ? AnsiString(" ") : Caption());
    TRect textArea = area;
    if (m_defaultAlignment == taLeftJustify) textArea.Left += 2;
    DrawCaptionText(c, textArea, m_defaultAlignment, area.Top + (area.Height() - th) / 2, th);
}

void TspSkinPanel::PaintSkinned(TBitmap& bitmap) {
    if (TilesWholePanel()) {
        const TBitmap* bg = m_looks.bgpictureindex != -1
                                ? SkinData()->ActivePicture(m_looks.bgpictureindex)
                                : m_cache.Picture;
        TRect part =
            m_looks.bgpictureindex != -1
                ? bg->BoundsRect()
                : OffsetRect(m_cache.clientrect, m_cache.skinrect.Left, m_cache.skinrect.Top);
        bitmap.SetSize(Width(), Height());
        TilePicture(*bitmap.Canvas(), *bg, part, bitmap.BoundsRect());
        return;
    }
    if (!m_looks.valid) {
        PaintDefault(bitmap);
        return;
    }
    bool fullBitmap = bitmap.Width() == Width() && bitmap.Height() == Height();
    if (fullBitmap && SliceMode() == smFourCorner) {
        // A whole picture (a blended container): the frame as well, not only the caption.
        m_cache.DrawPicture(bitmap, m_cache.skinrect, Width(), Height(), false);
    } else {
        TspSkinCustomControl::PaintSkinned(bitmap);
    }
    DrawSkinCaption(*bitmap.Canvas());
}

void TspSkinPanel::PaintDefault(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefault(bitmap);
    TCanvas& c = *bitmap.Canvas();
    TRect r = bitmap.BoundsRect();
    DrawBevelCutFrame(c, r, m_borderStyle);
    if (m_captionMode) DrawDefaultCaption(c);
}

// --- caption clicks and rolling ---

void TspSkinPanel::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    if (button == mbLeft && m_captionMode && (m_checkedMode || m_rollUpMode) &&
        CaptionArea().Contains({x, y})) {
        if (m_checkedMode) SetChecked(!m_checked);
        if (!*alive) return;
        if (m_rollUpMode) SetRollUpState(!m_rollUpState);
        if (!*alive) return;
    }
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

int TspSkinPanel::RolledHeight(int fullHeight) {
    LookUpSkinRecord();
    if (!m_looks.valid) return m_defaultCaptionHeight + 1;
    int w = Width(), h = fullHeight;
    AdjustToSkinSize(w, h);
    return std::max(0, fullHeight - m_cache.NewClRect.Height());
}

void TspSkinPanel::Roll(bool up) {
    if (up && m_realHeight == -1) {
        m_realHeight = Height();
        DisableAlign();
        m_hiddenByRollUp.clear();
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            if (!child->Visible()) continue;
            m_hiddenByRollUp.push_back(child);
            child->SetVisible(false);
        }
        SetHeight(RolledHeight(m_realHeight));
    } else if (!up && m_realHeight != -1) {
        int full = m_realHeight;
        m_realHeight = -1;
        SetHeight(full);
        // Only the children that the roll-up hid come back.
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* child = Controls(i);
            if (std::find(m_hiddenByRollUp.begin(), m_hiddenByRollUp.end(), child) !=
                m_hiddenByRollUp.end())
                child->SetVisible(true);
        }
        m_hiddenByRollUp.clear();
        EnableAlign();
    }
    Invalidate();
}

void TspSkinPanel::CMControlListChange(TCMControlChange& m) {
    TspSkinCustomControl::CMControlListChange(m);
    // A child that leaves while the panel is rolled up is not shown again by it.
    if (!m.Inserting)
        m_hiddenByRollUp.erase(
            std::remove(m_hiddenByRollUp.begin(), m_hiddenByRollUp.end(), m.Control),
            m_hiddenByRollUp.end());
}

void TspSkinPanel::CMTextChanged(TWMNoParams& m) {
    TspSkinCustomControl::CMTextChanged(m);
    if (m_captionMode) Invalidate();
}

void TspSkinPanel::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Panel;
    info.States &= ~asFocusable;
}
