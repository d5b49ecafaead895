#pragma once
// A top item of the form's main menu as a frame object: its caption in the caption row (or
// in the skin's main menu area), drawn from the skin's "mainmenuitem" record when there is
// one (normal, active under the mouse, down while its popup is open, the disabled font
// colour), otherwise as plain text in the caption's font on a plate of the menu's selection
// colour while it is hovered, lit or open. A press opens its popup.
#include "skin/SkinFrameObjects.h"

class TspSkinMainMenuItem : public TspActiveSkinObject, public TspSkinMainMenuItemLooks {
public:
    // `record` may be null: the plain look.
    TspSkinMainMenuItem(TspSkinFrame* frame, TspSkinData* store,
                        const TspDataSkinMainMenuItem* record, int menuIndex,
                        const AnsiString& caption, bool enabled);

    void DrawObject(TCanvas& canvas, bool drawNormal) override;
    void ObjectMouseDown(int x, int y, TMouseButton button) override;
    void ObjectMouseEnter() override;
    void ObjectMouseLeave() override;

    // Width and height it wants: the caption's text and the record's offsets.
    TSize PreferredSize();
    // Down: its popup is open. Lit: the keyboard's menu mode is on it.
    void SetDown(bool down);
    void SetLit(bool lit);
    bool Down() const { return m_down; }
    bool Lit() const { return m_lit; }

    const int MenuIndex; // the top item of the form's menu it shows
    const AnsiString Caption;
    const bool FromRecord;

private:
    // The record's looks, sliced to the object's width.
    void DrawRecordLook(TCanvas& canvas);
    // The plain look: the plate of the menu's selection and the caption's font.
    void DrawPlainLook(TCanvas& canvas);
    void SetFont(TCanvas& canvas) const;
    TColor TextColor() const;
    // Hovered, lit or open: the active look, reached through the cross-fade when morphing.
    void HighlightChanged();
    bool Highlighted() const { return Active; }

    bool m_down = false;
    bool m_lit = false;
    TspEffectBmp m_normal, m_active;
    AnsiString m_measuredFor;
    TSize m_size{0, 0};
};
