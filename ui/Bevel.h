#pragma once
#include "ui/GraphicControl.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// Lines and boxes with a 3-D look, drawn on the parent.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    void DescribeAccessible(TAccessibleInfo& info) const override;
    TBevelShape Shape() const { return m_shape; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return m_style; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;
    // The two colours of the 3-D look: light and dark (the system's by default).
    virtual TColor LightColor() const { return clBtnHighlight; }
    virtual TColor DarkColor() const { return clBtnShadow; }
    // The rectangle's left and top edges in one colour, right and bottom in the other.
    static void DrawBox(TCanvas& canvas, int l, int t, int r, int b, TColor topLeft,
                        TColor bottomRight);
    TBevelShape m_shape = bsBox;
    TBevelStyle m_style = bsLowered;
};
