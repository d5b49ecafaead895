#pragma once
// TspSkinLabel: a caption on a skin picture (the "label" record), with a frame of the
// framework's kinds when the skin has no record; it can widen itself to its caption.
#include "skinctrls/SkinCustomControl.h"
#include "ui/ExtCtrls.h"

class TspSkinLabel : public TspSkinCustomControl {
public:
    explicit TspSkinLabel(TComponent* owner);

    bool UseSkinSize() const { return m_useSkinSize; }
    void SetUseSkinSize(bool value);
    bool UseSkinFontColor() const { return m_useSkinFontColor; }
    void SetUseSkinFontColor(bool value);
    TBevelCut BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBevelCut value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    bool AutoSize() const { return m_autoSize; }
    // Turning it on fits the width to the caption at once.
    void SetAutoSize(bool value);

    // The width the caption lacks (negative: the room it leaves).
    virtual int ExtraTextWidth();
    // Where the caption goes at the current size.
    TRect TextRect();

    void LookUpSkinRecord() override;
    // Whether a screen reader announces a change of the caption (a count, a status).
    bool AnnouncesChanges() const { return m_announcesChanges; }
    void SetAnnouncesChanges(bool value) { m_announcesChanges = value; }
    void DescribeAccessible(TAccessibleInfo& info) const override;
    void AdjustToSkinSize(int& width, int& height) override;
    void UpdateRegion() override;

protected:
    void FitWidthToCaption();
    // The font for the caption, its colour included.
    void CaptionFont(TFont& font) const;
    void DrawCaption(TCanvas& canvas, const TRect& textRect);
    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    void CMTextChanged(TWMNoParams& m) override;

    bool m_useSkinSize = true;
    bool m_announcesChanges = false;
    bool m_useSkinFontColor = true;
    TBevelCut m_borderStyle = bvFrame;
    TAlignment m_alignment = taLeftJustify;
    bool m_autoSize = false;
    bool m_fitting = false;

    struct Looks {
        bool valid = false;
        std::string fontname = "Arial";
        int fontheight = 14;
        TspSkinFontStyles fontstyle = 0;
        TColor fontcolor = 0;
    } m_looks;
};
