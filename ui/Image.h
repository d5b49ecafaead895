#pragma once
#include "gfx/Bitmap.h"
#include "ui/GraphicControl.h"

// A picture; with Stretch it fills the control, otherwise it is drawn at the top-left corner
// (or centred with Center).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
    void DescribeAccessible(TAccessibleInfo& info) const override;
    TBitmap* Picture() { return &m_picture; }
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

protected:
    void Paint() override;
    TBitmap m_picture;
    bool m_stretch = false;
    bool m_center = false;
    bool m_transparent = false;
};
