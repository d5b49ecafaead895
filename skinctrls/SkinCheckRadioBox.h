#pragma once
// TspSkinCheckRadioBox: the skinned check box and radio box in one class. The flat look
// draws the check image and the caption over whatever lies beneath; the framed look puts
// them on the record's whole picture and fades it to the active picture under the mouse.
#include "gfx/ImageList.h"
#include "skinctrls/SkinCustomControl.h"

enum TspCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TspSkinCheckRadioBox : public TspSkinCustomControl {
public:
    explicit TspSkinCheckRadioBox(TComponent* owner);

    bool AllowGrayed() const { return m_allowGrayed; }
    void SetAllowGrayed(bool value);
    TspCheckBoxState State() const { return m_state; }
    // Stores, keeps Checked in step, repaints and fires OnClick; siblings are not touched.
    void SetState(TspCheckBoxState value);
    bool Checked() const { return m_checked; }
    // Checks or unchecks (a grayed box stays grayed when unchecked), unchecks the checked
    // siblings of the group, and fires OnClick for a check box or a radio box now checked.
    void SetChecked(bool value);
    bool Radio() const { return m_radio; }
    void SetRadio(bool value);
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int value) { m_groupIndex = value; }
    bool Flat() const { return m_flat; }
    void SetFlat(bool value);
    TImageList* Images() const { return m_images; }
    void SetImages(TImageList* images);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);

    // What the user's click does: a check box flips, an unchecked radio box checks.
    void Toggle();
    // A check box or radio button with the action "click" (Toggle).
    void DescribeAccessible(TAccessibleInfo& info) const override;

    void LookUpSkinRecord() override;
    void ApplySkinChange() override;
    void AdjustToSkinSize(int& width, int& height) override;
    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

    // Where the framed look puts the check image and the caption at the current size.
    TRect CheckImageRect() const { return m_checkImageRect; }
    TRect TextRect() const { return m_textRect; }

protected:
    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    bool RecordMorphing() const override;
    TspMorphKind RecordMorphKind() const override { return m_looks.morphkind; }
    bool MorphTarget() const override;
    bool HasLooks() const override { return m_looks.valid; }
    bool ClickToFocus() const override { return m_canFocused; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyUp(WORD& key, TShiftState shift) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMDialogChar(TWMChar& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;

    // The check image of the state table (and whether it is shown lightened).
    TRect ChooseImage(bool& lightened) const;
    // The flat look, with and without a record.
    void PaintFlat(TBitmap& bitmap);
    // The framed look with a record, from `source` (the normal or the active picture).
    void PaintFramed(TBitmap& bitmap, const TRect& source, bool active);
    // The built-in box, its mark and its outline, at the left of a `height`-high control.
    void DrawBuiltInBox(TCanvas& canvas, int height);
    // Image and caption from `captionLeft`, vertically centred; the focus rectangle.
    void DrawCaption(TCanvas& canvas, int captionLeft, TColor focusBrush);
    void PlaceFramedParts();

    bool m_allowGrayed = false;
    TspCheckBoxState m_state = cbUnchecked;
    bool m_checked = false;
    bool m_radio = false;
    int m_groupIndex = 0;
    bool m_flat = true;
    TImageList* m_images = nullptr;
    int m_imageIndex = 0;
    TRect m_checkImageRect;
    TRect m_textRect;

    struct Looks {
        bool valid = false;
        std::string fontname = "Arial";
        int fontheight = 14;
        TspSkinFontStyles fontstyle = 0;
        TColor fontcolor = 0, activefontcolor = 0, framefontcolor = 0, unenabledfontcolor = 0;
        TRect activeskinrect;
        bool morphing = false;
        TspMorphKind morphkind = mkDefault;
        TRect checkimagearea, textarea;
        TRect checkimagerect, uncheckimagerect, activecheckimagerect, activeuncheckimagerect,
            unenabledcheckimagerect, unenableduncheckimagerect;
    } m_looks;
};
