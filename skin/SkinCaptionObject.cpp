// The caption object: the window's title in the skin's font and colours, shortened to its
// text rectangle, over an optional background, plate and caption animation.
#include "gfx/DrawText.h"
#include "skin/EffectBitmap.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"
#include "skin/SkinFrame.h"
#include "skin/SkinFrameObjects.h"
#include "skin/SkinSlicing.h"
#include "skin/SkinText.h"

#include <algorithm>

TspSkinCaptionObject::TspSkinCaptionObject(TspSkinFrame* frame, TspSkinData* store,
                                           const TspDataSkinCaption& r)
    : TspActiveSkinObject(frame, store, r), TspSkinCaptionLooks(r) {
    m_isCaption = true;
    Active = frame->WindowActive();
    MorphFactor = Active ? 1 : 0;
}

void TspSkinCaptionObject::WindowActivationChanged(bool active) {
    if (active == Active) return;
    Active = active;
    LookChanged();
    // The caption animation runs on activation (and on deactivation when the skin asks).
    if (!animateskinrect.IsEmpty() && framecount > 0 && ActivePicture &&
        (active || inactiveanimation) && m_store && m_store->EnableSkinEffects()) {
        AnimationFrame = 1;
        AnimationElapsed = 0;
        m_frame->StartAnimation();
    }
}

bool TspSkinCaptionObject::AnimationTick(bool& changed) {
    changed = false;
    if (AnimationFrame == 0) return false;
    AnimationElapsed += 25;
    if (AnimationElapsed < std::max(25, animateinterval)) return true;
    AnimationElapsed = 0;
    ++AnimationFrame;
    changed = true;
    if (AnimationFrame > framecount) {
        AnimationFrame = 0;
        return false;
    }
    return true;
}

TRect TspSkinCaptionObject::TextRectOnWindow() const {
    TRect r = textrect;
    r.Right += ObjectRect.Width() - skinrect.Width();
    if (!framerect.IsEmpty()) {
        r.Left += frametextrect.Left;
        r.Top += frametextrect.Top;
        r.Right += frametextrect.Right - framerect.Width();
    }
    return OffsetRect(r, ObjectRect.Left, ObjectRect.Top);
}

void TspSkinCaptionObject::SetCaptionFont(TCanvas& canvas, bool active) const {
    TFont* font = canvas.Font();
    font->SetName(fontname);
    font->SetHeight(fontheight);
    font->SetStyle(SkinFontStyles(fontstyle));
    font->SetColor(active ? activefontcolor : fontcolor);
}

AnsiString TspSkinCaptionObject::DrawnText(TCanvas& canvas) const {
    const TRect r = TextRectOnWindow();
    if (Text.empty() || r.IsEmpty()) return AnsiString();
    TCanvasStateGuard state(canvas);
    SetCaptionFont(canvas, m_frame->WindowActive());
    WideString wide = AnsiToWide(Text);
    EllipsizeText(canvas, wide, r.Width());
    return WideToAnsi(wide);
}

// The caption's own background: the normal or active look sliced to the object's width,
// cross-faded, dimmed for an inactive frame, or the current animation frame.
void TspSkinCaptionObject::DrawBackground(TCanvas& canvas, bool drawNormal) {
    if (ObjectRect.IsEmpty()) return;
    if (m_frame->SupportNCArea() && activeskinrect.IsEmpty() && AnimationFrame == 0) return;
    const TspSkinFormInfo& info = m_store->FormInfo();
    const int leftWidth = std::max(0, info.lefttoppoint.X - skinrect.Left);
    const int rightWidth = std::max(
        0, skinrect.Right - (info.righttoppoint.X > 0 ? info.righttoppoint.X : skinrect.Right));
    const int width = ObjectRect.Width();
    auto sliced = [&](const TBitmap* picture, const TRect& source, TBitmap& out) {
        DrawHorizontalSliced(out, picture, source, std::min(leftWidth, source.Width()),
                             std::min(rightWidth, source.Width()), width, stretcheffect);
    };
    TBitmap normal, active;
    if (AnimationFrame > 0 && ActivePicture) {
        // Frames side by side, or stacked when the strip is taller than the caption.
        TRect frameRect = animateskinrect;
        const int n = std::max(1, framecount);
        if (animateskinrect.Height() > skinrect.Height()) {
            const int h = animateskinrect.Height() / n;
            frameRect.Top += h * (AnimationFrame - 1);
            frameRect.Bottom = frameRect.Top + h;
        } else {
            const int w = animateskinrect.Width() / n;
            frameRect.Left += w * (AnimationFrame - 1);
            frameRect.Right = frameRect.Left + w;
        }
        sliced(ActivePicture, frameRect, normal);
        canvas.Draw(ObjectRect.Left, ObjectRect.Top, normal);
        return;
    }
    const TBitmap* normalPicture = NormalPicture();
    if (!normalPicture) return;
    sliced(normalPicture, skinrect, normal);
    TspEffectBmp look(normal);
    const bool resting = Active ? MorphFactor >= 1 : MorphFactor <= 0;
    if (ActivePicture && !activeskinrect.IsEmpty()) {
        sliced(ActivePicture, activeskinrect, active);
        if (MorphAllowed() && !resting)
            look.Morph(morphkind, TspEffectBmp(active), MorphFactor);
        else if (Active)
            look.Assign(active);
    }
    if (!m_frame->WindowActive() && info.autorenderinginactiveimage)
        ApplyInactiveEffect(look, info.inactiveeffect);
    (void)drawNormal;
    look.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TspSkinCaptionObject::DrawPlate(TCanvas& canvas, int x, int y, int textWidth, bool active) {
    const TRect& source = active && !activeframerect.IsEmpty() ? activeframerect : framerect;
    if (!ActivePicture || source.IsEmpty()) return;
    const int gap = m_store->FormInfo().buttonsoffset;
    int width, left;
    if (fullframe) {
        width = ObjectRect.Width() - 2 * gap;
        left = ObjectRect.Left + gap;
    } else {
        width = framerect.Width() + textWidth - frametextrect.Width();
        left = x - frametextrect.Left;
    }
    if (width <= 0) return;
    TBitmap plate;
    DrawHorizontalSliced(plate, ActivePicture, source, frameleftoffset, framerightoffset, width,
                         false);
    canvas.Draw(left, y - frametextrect.Top, plate);
}

void TspSkinCaptionObject::DrawObject(TCanvas& canvas, bool drawNormal) {
    const bool active = m_frame->WindowActive();
    if (m_store) DrawBackground(canvas, drawNormal);
    const TRect r = TextRectOnWindow();
    if (Text.empty() || r.IsEmpty()) return;
    TCanvasStateGuard state(canvas);
    SetCaptionFont(canvas, active);
    WideString text = AnsiToWide(Text);
    EllipsizeText(canvas, text, r.Width());
    const int tw = SkinTextWidth(canvas, text), th = SkinTextHeight(canvas, text);
    const int y = r.Top + r.Height() / 2 - th / 2;
    int x = r.Left + r.Width() / 2 - tw / 2;
    if (alignment == TspSkinAlignment::LeftJustify)
        x = r.Left;
    else if (alignment == TspSkinAlignment::RightJustify)
        x = r.Right - tw;
    if (!framerect.IsEmpty()) DrawPlate(canvas, x, y, tw, active);
    canvas.Brush()->SetStyle(bsClear);
    canvas.IntersectClipRect(ObjectRect);
    auto drawAt = [&](int px, int py, TColor color) {
        canvas.Font()->SetColor(color);
        TRect box = Rect(px, py, px + tw, py + th);
        DrawSkinText(canvas, text, box, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    };
    if (light) drawAt(x - 1, y - 1, active ? activelightcolor : lightcolor);
    if (shadow) drawAt(x + 1, y + 1, active ? activeshadowcolor : shadowcolor);
    drawAt(x, y, active ? activefontcolor : fontcolor);
}
