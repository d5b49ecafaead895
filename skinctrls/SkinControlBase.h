#pragma once
// What the windowed and the windowless skinned control bases share, written once over their
// framework class (TCustomControl or TGraphicControl): the skin properties, the record found
// by SkinDataName at every paint, painting every pixel into an off-screen bitmap that is put
// on the canvas in one operation, blending that image over what lies under the control, and
// the answers to a change of skin.
//
// Derived controls override PaintSkinned (a record was found) and PaintDefault (the built-in
// look), both drawing a bitmap of the control's size; LookUpSkinRecord to copy the fields of
// their record class; ApplySkinChange to react to a new skin.
#include "skin/SkinAware.h"
#include "skinctrls/SkinBinding.h"
#include "ui/Controls.h"

#include <cstdint>
#include <string>

class TspSkinData;
class TspDataSkinControl;

template <class Framework> class TspSkinControlBase : public Framework, public TspSkinAware {
public:
    explicit TspSkinControlBase(TComponent* owner);

    // Without a record: draw the built-in look (true) or nothing.
    bool DrawDefault() const { return m_skin.DrawDefault; }
    void SetDrawDefault(bool value);
    TspSkinData* SkinData() const override { return m_skin.SkinData; }
    // Applies the skin at once when the store holds one (and the control is not designed).
    virtual void SetSkinData(TspSkinData* value);
    const std::string& AreaName() const { return m_skin.AreaName; }
    void SetAreaName(const std::string& value) { m_skin.AreaName = value; }
    std::string SkinAreaName() const override { return m_skin.AreaName; }
    const std::string& SkinDataName() const { return m_skin.SkinDataName; }
    // Stores the name only; the next paint or skin change uses it.
    void SetSkinDataName(const std::string& value) { m_skin.SkinDataName = value; }
    bool AlphaBlend() const { return m_skin.AlphaBlend; }
    virtual void SetAlphaBlend(bool value);
    std::uint8_t AlphaBlendValue() const { return m_skin.AlphaBlendValue; }
    virtual void SetAlphaBlendValue(std::uint8_t value);
    bool UseSkinCursor() const { return m_skin.UseSkinCursor; }
    void SetUseSkinCursor(bool value) { m_skin.UseSkinCursor = value; }

    // The record index in the store (-1: none).
    int SkinIndex() const { return m_skin.SkinIndex; }
    // Finds the record by name; derived classes copy their record's fields after calling it.
    virtual void LookUpSkinRecord();
    void PrepareSkinChange() override;
    void ApplySkinChange() override;

    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    // Draw the control into `bitmap` (of the control's size; a fixed-size skin may resize it).
    virtual void PaintDefault(TBitmap& bitmap) { (void)bitmap; }
    virtual void PaintSkinned(TBitmap& bitmap) { (void)bitmap; }
    // Called after the lookup of every paint; true when it painted the control itself
    // without the full-size bitmap.
    virtual bool PaintDirect() { return false; }
    // The image of the control in its current state: PaintSkinned with a record, else
    // PaintDefault when DrawDefault is on.
    virtual void DrawControlImage(TBitmap& bitmap);
    // The record found (nullptr when none).
    TspDataSkinControl* SkinRecord() const { return m_skin.Record(); }
    // The cursor the skin asks for (with UseSkinCursor).
    void ApplySkinCursor();
    // True while the framework's paint message is being handled.
    bool PaintingFromPaintMessage() const { return m_paintingFromPaintMessage; }

    void Paint() override;
    void WMPaint(TWMPaint& m) override;

    TspSkinBinding m_skin;

private:
    bool m_paintingFromPaintMessage = false;
};
