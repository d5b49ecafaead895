#pragma once
#include "ui/CustomControl.h"

// Edges of panels. bvFrame is a one-pixel frame in the shadow colour.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace, bvFrame };

// A container with bevelled edges and a centred caption; aligned children are placed inside
// the edges.
class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    // The area in which aligned children are placed.
    virtual TRect PanelClientRect() const;
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    void Paint() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void CMTextChanged(TWMNoParams& m) override;
    TBevelCut m_bevelOuter = bvRaised;
    TBevelCut m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    TAlignment m_alignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
