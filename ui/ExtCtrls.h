#pragma once
// Extra controls: bevel, panel, image and timer.
#include <memory>

#include "gfx/Bitmap.h"
#include "ui/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };
// Edges of panels. bvFrame is a one-pixel frame in the shadow colour.
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace, bvFrame };

// Lines and boxes with a 3-D look, drawn on the parent.
class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
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

protected:
    void Paint() override;
    void AlignControls(TControl* control, TRect& rect) override;
    void CMTextChanged(TMessage& m) override;
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

// A picture; with Stretch it fills the control, otherwise it is drawn at the top-left corner
// (or centred with Center).
class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* owner);
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

// OnTimer every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned value);
    TNotifyEvent OnTimer;

private:
    void Update();
    bool m_enabled = true;
    unsigned m_interval = 1000;
    std::unique_ptr<TWinControl> m_window;
};
