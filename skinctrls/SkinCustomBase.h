#pragma once
// What the two bases of sliced skinned controls share, written once over TspSkinControl
// (windowed) and TspGraphicSkinControl (windowless): the cache of the sliced record, fitting
// the control's size to the record's picture (at a change of bounds and of skin), painting
// the picture by its slice mode, the built-in look, the font rule (UseSkinFont /
// DefaultFont) and the size used without a record (DefaultWidth / DefaultHeight).
#include "gfx/Font.h"
#include "skin/SkinIni.h"
#include "skinctrls/SkinFontDefaults.h"
#include "skinctrls/SkinRecordCache.h"
#include "ui/Controls.h"

#include <string>

template <class Base> class TspSkinCustomBase : public Base, public TspSkinFontDefaults {
public:
    explicit TspSkinCustomBase(TComponent* owner);

    TspSliceMode SliceMode() const { return m_cache.SliceMode; }
    const TspSkinRecordCache& RecordCache() const { return m_cache; }

    void LookUpSkinRecord() override;
    void ApplySkinChange() override;
    // Replaces a requested size by the one the record allows and resizes the slicing points
    // and the client rect for it.
    virtual void AdjustToSkinSize(int& width, int& height);
    void SetBounds(int left, int top, int width, int height) override;

protected:
    // Without a record a new DefaultFont repaints; UseSkinFont repaints either way.
    bool HasSkinRecord() const override { return this->SkinIndex() != -1; }
    void AfterDefaultFontChange() override;
    void AfterUseSkinFontChange() override { this->Invalidate(); }
    virtual void DefaultFontChanged() {}
    // The window's shape; only windowed controls have one.
    virtual void FitRegion() {}
    // `font` after the rule: the record's face, height and style with UseSkinFont and a
    // record, else a copy of DefaultFont; the character set from the store's string table
    // when it has one. The colour is the caller's business.
    void ChooseSkinFont(TFont& font, const std::string& fontname, int fontheight,
                        TspSkinFontStyles fontstyle) const;

    // Fills the client area with clBtnFace.
    void PaintDefault(TBitmap& bitmap) override;
    // The normal picture fitted by the slice mode.
    void PaintSkinned(TBitmap& bitmap) override;
    void DrawControlImage(TBitmap& bitmap) override;
    bool PaintDirect() override;

    // Panels and group boxes paint from border strips and leave the four-corner fit out of
    // PaintSkinned (windowed only; set by them).
    bool m_containerPainting = false;
    TspSkinRecordCache m_cache;
};
