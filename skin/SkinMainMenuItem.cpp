#include "skin/SkinMainMenuItem.h"

#include "gfx/DrawText.h"
#include "skin/SkinData.h"
#include "skin/SkinFonts.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMainMenuItems.h"
#include "skin/SkinSlicing.h"
#include "ui/MainMenu.h"

#include <algorithm>

namespace {
// Room left and right of the caption in the plain look.
constexpr int PlainOffset = 6;

// The menu's selection: the middle of the popup items' active look when the skin has one,
// else the skin's highlight colours.
struct Selection {
    TColor plate;
    TColor text;
};

Selection MenuSelection(TspSkinData* store) {
    const TspSkinColors colors = store ? store->SkinColors() : TspSkinColors();
    Selection s{colors.chighlight, colors.chighlighttext};
    if (!store) return s;
    const int index = store->FindObjectRecord("menuitem");
    auto* item =
        index >= 0 ? dynamic_cast<const TspDataSkinMenuItem*>(store->ObjectRecord(index)) : nullptr;
    if (!item || item->activeskinrect.IsEmpty()) return s;
    const TBitmap* picture = store->ActivePicture(item->activepictureindex);
    const TRect& r = item->activeskinrect;
    if (!picture || picture->Empty() || r.Right > picture->Width() || r.Bottom > picture->Height())
        return s;
    s.plate = picture->PixelColor(r.Left + r.Width() / 2, r.Top + r.Height() / 2) & 0xFFFFFF;
    s.text = item->activefontcolor;
    return s;
}
} // namespace

TspSkinMainMenuItem::TspSkinMainMenuItem(TspSkinFrame* frame, TspSkinData* store,
                                         const TspDataSkinMainMenuItem* record, int menuIndex,
                                         const AnsiString& caption, bool enabled)
    : TspActiveSkinObject(frame), MenuIndex(menuIndex), Caption(caption),
      FromRecord(record != nullptr) {
    m_store = store;
    IDName = "mainmenuitem" + std::to_string(menuIndex);
    Enabled = enabled;
    if (!record) return;
    Hint = record->hint;
    skinrect = record->skinrect;
    activeskinrect = record->activeskinrect;
    skinrectinapicture = record->skinrectinapicture;
    morphing = record->morphing;
    morphkind = record->morphkind;
    cursorindex = record->cursorindex;
    if (store) {
        Picture = store->SkinPicture();
        if (Picture && Picture->Empty()) Picture = nullptr;
        ActivePicture = store->ActivePicture(record->activepictureindex);
        if (ActivePicture && ActivePicture->Empty()) ActivePicture = nullptr;
    }
    static_cast<TspSkinMainMenuItemLooks&>(*this) = *record;
}

void TspSkinMainMenuItem::SetFont(TCanvas& canvas) const {
    TspSkinCaptionObject* title = m_frame->TitleCaption();
    if (!FromRecord && title) {
        title->SetCaptionFont(canvas, m_frame->WindowActive());
        return;
    }
    if (!FromRecord) {
        canvas.SetFont(m_frame->WindowActive() ? *m_frame->DefCaptionFont()
                                               : *m_frame->DefInActiveCaptionFont());
        return;
    }
    TFont* font = canvas.Font();
    font->SetName(fontname);
    font->SetHeight(fontheight);
    font->SetStyle(SkinFontStyles(fontstyle));
}

TSize TspSkinMainMenuItem::PreferredSize() {
    if (m_measuredFor != Caption || m_size.cx == 0) {
        TBitmap scratch(1, 1);
        TCanvas* c = scratch.Canvas();
        SetFont(*c);
        const AnsiString text = MenuCaptionText(Caption);
        const int textWidth = c->TextWidth(text), textHeight = c->TextHeight("Wg");
        if (FromRecord) {
            m_size.cx = itemleftoffset + textWidth + itemrightoffset;
            m_size.cy = skinrect.Height();
        } else {
            m_size.cx = PlainOffset + textWidth + PlainOffset;
            m_size.cy = textHeight + 2;
        }
        m_measuredFor = Caption;
    }
    return m_size;
}

void TspSkinMainMenuItem::SetDown(bool down) {
    if (down == m_down) return;
    m_down = down;
    HighlightChanged();
}

void TspSkinMainMenuItem::SetLit(bool lit) {
    if (lit == m_lit) return;
    m_lit = lit;
    HighlightChanged();
}

void TspSkinMainMenuItem::ObjectMouseEnter() {
    MouseIn = true;
    HighlightChanged();
}

void TspSkinMainMenuItem::ObjectMouseLeave() {
    MouseIn = false;
    HighlightChanged();
}

void TspSkinMainMenuItem::HighlightChanged() {
    const bool active = MouseIn || m_down || m_lit;
    const bool changed = active != Active;
    Active = active;
    // An open popup shows its item at once; hovering fades in when the skin morphs.
    if (MorphAllowed() && !activeskinrect.IsEmpty() && !m_down) {
        if (changed) m_frame->StartMorph();
        return;
    }
    MorphFactor = Active ? 1 : 0;
    Redraw();
}

void TspSkinMainMenuItem::ObjectMouseDown(int, int, TMouseButton button) {
    if (button != mbLeft || !Enabled) return;
    m_frame->MainMenuItems().ItemPressed(MenuIndex);
}

TColor TspSkinMainMenuItem::TextColor() const {
    if (FromRecord) {
        if (!Enabled) return unenabledfontcolor;
        if (m_down && !downrect.IsEmpty()) return downfontcolor;
        return Highlighted() ? activefontcolor : fontcolor;
    }
    if (!Enabled) return m_store ? m_store->SkinColors().cbtnshadow : clBtnShadow;
    if (Highlighted()) return MenuSelection(m_store).text;
    TspSkinCaptionObject* title = m_frame->TitleCaption();
    if (!title) return m_frame->WindowActive() ? clBtnText : clBtnShadow;
    return m_frame->WindowActive() ? title->activefontcolor : title->fontcolor;
}

void TspSkinMainMenuItem::DrawObject(TCanvas& canvas, bool) {
    if (ObjectRect.IsEmpty()) return;
    TCanvasStateGuard state(canvas);
    if (FromRecord && NormalPicture())
        DrawRecordLook(canvas);
    else
        DrawPlainLook(canvas);
    // The caption, its "&" letter underlined.
    TRect text =
        Rect(ObjectRect.Left + (FromRecord ? itemleftoffset : PlainOffset), ObjectRect.Top,
             ObjectRect.Right - (FromRecord ? itemrightoffset : PlainOffset), ObjectRect.Bottom);
    if (FromRecord && !textrect.IsEmpty()) {
        text = OffsetRect(textrect, ObjectRect.Left, ObjectRect.Top);
        text.Right += ObjectRect.Width() - skinrect.Width();
    }
    SetFont(canvas);
    canvas.Font()->SetColor(TextColor());
    canvas.Brush()->SetStyle(bsClear);
    DrawText(canvas, Caption, text, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
}

void TspSkinMainMenuItem::DrawRecordLook(TCanvas& canvas) {
    const int w = ObjectRect.Width();
    auto sliced = [&](const TBitmap* picture, const TRect& source, TspEffectBmp& out) {
        TBitmap b;
        DrawHorizontalSliced(b, picture, source, std::min(itemleftoffset, source.Width()),
                             std::min(itemrightoffset, source.Width()), w, stretcheffect);
        out.Assign(b);
    };
    const TBitmap* normalPicture = NormalPicture();
    const bool hasActive = ActivePicture && !activeskinrect.IsEmpty();
    if (!Enabled || !hasActive) {
        sliced(normalPicture, skinrect, m_normal);
        m_normal.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    if (m_down && !downrect.IsEmpty()) {
        sliced(ActivePicture, downrect, m_active);
        m_active.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const bool lit = Highlighted();
    const bool resting = lit ? MorphFactor >= 1 : MorphFactor <= 0;
    if (MorphAllowed() && !resting) {
        sliced(normalPicture, skinrect, m_normal);
        sliced(ActivePicture, activeskinrect, m_active);
        m_normal.Morph(morphkind, m_active, MorphFactor);
        m_normal.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    TspEffectBmp& look = lit ? m_active : m_normal;
    sliced(lit ? ActivePicture : normalPicture, lit ? activeskinrect : skinrect, look);
    look.DrawAt(canvas, ObjectRect.Left, ObjectRect.Top);
}

void TspSkinMainMenuItem::DrawPlainLook(TCanvas& canvas) {
    // The text alone lies on the caption row; a hovered, lit or open item sits on a plate.
    if (!Enabled || !Highlighted()) return;
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(MenuSelection(m_store).plate);
    canvas.FillRect(ObjectRect);
}
