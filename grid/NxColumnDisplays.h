#pragma once
// Cell painters: each column owns one, filled by the grid before every cell it draws.
#include "gfx/Color.h"
#include "gfx/Types.h"
#include "grid/NxColumns.h"

class TCanvas;

class TColumnDisplay {
public:
    explicit TColumnDisplay(TNxCustomColumn* column) : m_column(column) {}
    virtual ~TColumnDisplay() = default;

    // Filled by the grid before each cell.
    TCanvas* Canvas = nullptr;
    TRect ClientRect;
    TCellValues Values;
    bool Selected = false;
    bool Focused = false;
    bool RightToLeft = false;
    TColor HighlightedTextColor = clHighlightText;
    int Level = 0;
    bool Expanded = true;
    int ChildCount = 0;
    bool FirstVisibleRow = false;

    TNxCustomColumn* Column() const { return m_column; }
    // ClientRect narrowed by 2 pixels at the left and at the right.
    TRect ContentRect() const;
    // Text flags of this column; ellipses only when drawing.
    unsigned TextFlags(bool drawing) const;
    void DrawTextRect(const WideString& text, TRect rect);
    // A small red triangle in the top-right corner of ClientRect.
    void DrawHintMark();
    virtual int Query() const { return 0; }
    // Width the content needs for the current values (without insets).
    virtual int ContentWidth();
    // Size of a text with this column's flags, in the canvas font.
    TSize MeasureText(const WideString& text);
    virtual void Paint() = 0;

protected:
    TNxCustomColumn* m_column;
};

class TTextColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    int ContentWidth() override;
    void Paint() override;
};

class TNumberColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    int ContentWidth() override;
    void Paint() override;
};

class TImageColumnDisplay : public TColumnDisplay {
public:
    using TColumnDisplay::TColumnDisplay;
    int ContentWidth() override;
    void Paint() override;
};
