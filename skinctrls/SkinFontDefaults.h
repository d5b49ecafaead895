#pragma once
// What a skinned control takes where its skin record does not decide: DefaultFont (the font
// without a record, or with UseSkinFont off) and DefaultWidth / DefaultHeight (the size
// without a record). Both kinds of skinned control hold these four the same way; what a
// change does to the control is its own business, told through the hooks below.
#include "gfx/Font.h"

class TControl;

class TspSkinFontDefaults {
public:
    TspSkinFontDefaults(const TspSkinFontDefaults&) = delete;
    TspSkinFontDefaults& operator=(const TspSkinFontDefaults&) = delete;

    // "Arial", height 14, in the colour the control asked for.
    TFont* DefaultFont() { return &m_defaultFont; }
    const TFont* DefaultFont() const { return &m_defaultFont; }
    void SetDefaultFont(const TFont& font) { m_defaultFont.Assign(font); }
    bool UseSkinFont() const { return m_useSkinFont; }
    void SetUseSkinFont(bool value);
    // Size taken while there is no record; only values above 0 act.
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value);
    int DefaultHeight() const { return m_defaultHeight; }
    void SetDefaultHeight(int value);

protected:
    // `control` is the control that holds these (it is sized by them).
    TspSkinFontDefaults(TControl& control, TColor fontColor);
    virtual ~TspSkinFontDefaults();

    // The control takes DefaultWidth and DefaultHeight where they are set.
    void TakeDefaultSize();

    // True while the control is drawn from a skin record (the default size does not act).
    virtual bool HasSkinRecord() const = 0;
    // DefaultFont changed, by SetDefaultFont or in place.
    virtual void AfterDefaultFontChange() = 0;
    // UseSkinFont changed.
    virtual void AfterUseSkinFontChange() = 0;

private:
    TControl& m_control;
    TFont m_defaultFont;
    bool m_useSkinFont = true;
    int m_defaultWidth = 0;
    int m_defaultHeight = 0;
};
