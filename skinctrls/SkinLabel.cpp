#include "skinctrls/SkinLabel.h"

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"
#include "skinctrls/SkinBuiltInLook.h"

TspSkinLabel::TspSkinLabel(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 75;
    m_height = 21;
    SetSkinDataName("label");
}

void TspSkinLabel::SetUseSkinSize(bool value) {
    if (value == m_useSkinSize) return;
    m_useSkinSize = value;
    ApplySkinChange();
}

void TspSkinLabel::SetUseSkinFontColor(bool value) {
    m_useSkinFontColor = value;
    Invalidate();
}

void TspSkinLabel::SetBorderStyle(TBevelCut value) {
    m_borderStyle = value;
    if (!m_looks.valid) {
        Invalidate();
        Realign();
    }
}

void TspSkinLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment) return;
    m_alignment = value;
    Invalidate();
}

void TspSkinLabel::SetAutoSize(bool value) {
    m_autoSize = value;
    if (value) FitWidthToCaption();
}

void TspSkinLabel::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinLabelControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced || !m_cache.Picture) return;
    m_looks.valid = true;
    m_looks.fontname = r->fontname;
    m_looks.fontheight = r->fontheight;
    m_looks.fontstyle = r->fontstyle;
    m_looks.fontcolor = TColor(r->fontcolor);
    // A picture of one fixed size cannot follow its caption.
    if (SliceMode() == smFixed) m_autoSize = false;
    if (!m_useSkinSize) m_cache.MaskPicture = nullptr;
}

void TspSkinLabel::CaptionFont(TFont& font) const {
    // The record's face with UseSkinFont, else DefaultFont; the record's colour either way.
    ChooseSkinFont(font, m_looks.fontname, m_looks.fontheight, m_looks.fontstyle);
    if (m_looks.valid) font.SetColor(m_looks.fontcolor);
    if (!m_useSkinFontColor) font.SetColor(DefaultFont()->Color());
}

int TspSkinLabel::ExtraTextWidth() {
    TBitmap scratch(1, 1);
    TCanvas& c = *scratch.Canvas();
    TFont font;
    CaptionFont(font);
    c.SetFont(font);
    int tw = c.TextWidth(Caption());
    if (!m_looks.valid) return tw + 4 - Width();
    if (SliceMode() == smFixed) return 0;
    return tw - m_cache.NewClRect.Width();
}

void TspSkinLabel::FitWidthToCaption() {
    if (!m_autoSize || m_fitting) return;
    if (Align() == alTop || Align() == alBottom || Align() == alClient) return;
    LookUpSkinRecord();
    int w = Width(), h = Height();
    if (m_looks.valid) AdjustToSkinSize(w, h);
    int extra = ExtraTextWidth();
    if (extra == 0) return;
    m_fitting = true;
    SetWidth(std::max(0, Width() + extra));
    m_fitting = false;
}

void TspSkinLabel::AdjustToSkinSize(int& width, int& height) {
    if (m_useSkinSize || SliceMode() == smFourCorner) {
        TspSkinCustomControl::AdjustToSkinSize(width, height);
    } else if (m_looks.valid) {
        // The height is free; only the right-top point and the client rect follow the width.
        int dx = width - m_cache.SkinWidth();
        m_cache.NewLTPoint = m_cache.lefttoppoint;
        m_cache.NewRTPoint = {m_cache.righttoppoint.X + dx, m_cache.righttoppoint.Y};
        m_cache.NewClRect = m_cache.clientrect;
        m_cache.NewClRect.Right += dx;
    }
    if (m_autoSize && !m_fitting && m_looks.valid) {
        int extra = ExtraTextWidth();
        if (extra > 0) width += extra;
    }
}

void TspSkinLabel::UpdateRegion() {
    if (m_useSkinSize) TspSkinCustomControl::UpdateRegion();
}

TRect TspSkinLabel::TextRect() {
    LookUpSkinRecord();
    if (!m_looks.valid) return InflateRect(ClientRect(), -2, -2);
    int w = Width(), h = Height();
    AdjustToSkinSize(w, h);
    TRect r = m_cache.NewClRect;
    if (!m_useSkinSize && SliceMode() != smFourCorner) r.Bottom += Height() - m_cache.SkinHeight();
    return r;
}

void TspSkinLabel::DrawCaption(TCanvas& c, const TRect& textRect) {
    TFont font;
    CaptionFont(font);
    c.SetFont(font);
    AnsiString caption = Caption();
    int tw = c.TextWidth(caption), th = c.TextHeight(caption.empty() ? AnsiString(" ") : caption);
    int x = textRect.Left;
    if (m_alignment == taRightJustify)
        x = textRect.Right - tw;
    else if (m_alignment == taCenter)
        x = textRect.Left + (textRect.Width() - tw) / 2;
    int y = textRect.Top + textRect.Height() / 2 - th / 2;
    TCanvasStateGuard state(c);
    c.IntersectClipRect(textRect);
    c.Brush()->SetStyle(bsClear);
    c.TextOut(x, y, caption);
    c.Brush()->SetStyle(bsSolid);
}

void TspSkinLabel::PaintSkinned(TBitmap& bitmap) {
    if (!m_looks.valid) {
        PaintDefault(bitmap);
        return;
    }
    if (m_useSkinSize || SliceMode() == smFourCorner) {
        TspSkinCustomControl::PaintSkinned(bitmap);
    } else {
        DrawClientRectSliced(bitmap, m_cache.Picture, m_cache.skinrect, m_cache.clientrect, Width(),
                             Height(), true);
    }
    DrawCaption(*bitmap.Canvas(), TextRect());
}

void TspSkinLabel::PaintDefault(TBitmap& bitmap) {
    TspSkinCustomControl::PaintDefault(bitmap);
    TCanvas& c = *bitmap.Canvas();
    TRect r = bitmap.BoundsRect();
    DrawBevelCutFrame(c, r, m_borderStyle);
    DrawCaption(c, InflateRect(r, -2, -2));
}

void TspSkinLabel::CMTextChanged(TWMNoParams& m) {
    TspSkinCustomControl::CMTextChanged(m);
    FitWidthToCaption();
    Invalidate();
}

void TspSkinLabel::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::Label;
    info.States &= ~asFocusable;
    info.Live = m_announcesChanges;
}
