#pragma once
// Header painters. The grid keeps one painter per header style and draws every column header,
// footer, input cell and indicator cell through the one HeaderStyle selects. The flat painter
// fills each header with its column's header colour and draws a right and a bottom border.
#include "gfx/Color.h"
#include "gfx/Types.h"
#include "grid/NxTypes.h"

class TCanvas;
class TNxCustomGrid;
class TNxCustomColumn;

// Painter capability bits.
constexpr int pcHotTracking = 1;
constexpr int pcPressedLook = 2;
constexpr int pcNoSortArrow = 4;

class TStyleDisplay {
public:
    explicit TStyleDisplay(TNxCustomGrid* grid) : m_grid(grid) {}
    virtual ~TStyleDisplay() = default;

    TCanvas* Canvas = nullptr;
    bool DrawBackground = true;
    bool DrawSortArrow = true;
    bool Themed = false;
    bool RightToLeft = false;

    // Extra width a header needs beside its caption.
    virtual int ExtraWidth(TDisplayMode mode) const;
    virtual int Capabilities() const { return 0; }
    virtual void AdjustCaptionRect(TRect&) {}
    // The sort arrow in an 8 x 7 box at (x, y).
    virtual void PaintSortArrow(int x, int y, TSortKind kind);
    virtual void DrawFooterContent(TNxCustomColumn* column, const TRect& r);
    virtual void DrawHeaderContent(TNxCustomColumn* column, const TRect& r, bool pressed);
    virtual void DrawInputOutsideBackground(const TRect& r);
    virtual void DrawIndicatorAreaBackground(const TRect& r);
    virtual void DrawFooter(TNxCustomColumn* column, const TRect& r);
    // Background (when DrawBackground) and content of a column header.
    void DrawHeader(TNxCustomColumn* column, const TRect& r, bool pressed = false);
    virtual void DrawHeaderBackground(TNxCustomColumn* column, const TRect& r, bool pressed);
    virtual void DrawIndicator(const TRect& r, bool current);
    virtual void DrawIndicatorMarks(const TRect& r, bool current);
    virtual void DrawInput(TNxCustomColumn* column, const TRect& r);
    // The header strip right of the last column.
    virtual void DrawHeaderOutside(const TRect& r);
    // The colour of the one-pixel frame a bordered grid gets in this style; clNone keeps the
    // platform's border.
    virtual TColor BorderFrameColor() const { return clNone; }

    // Where the caption starts and how wide it is, as the content draws it.
    struct TCaptionLayout {
        int TextX = 0;
        int CaptionWidth = 0;
        int GlyphX = 0;
        int GlyphY = 0;
        bool HasGlyph = false;
    };
    TCaptionLayout LayoutCaption(TNxCustomColumn* column, const TRect& r) const;
    // The sort arrow's box origin for a sorted column, and whether it is drawn.
    bool SortArrowPos(TNxCustomColumn* column, const TRect& r, TPoint& at) const;

protected:
    void FrameRaised(const TRect& r);
    TNxCustomGrid* m_grid;
};

class TFlatStyleDisplay : public TStyleDisplay {
public:
    using TStyleDisplay::TStyleDisplay;
    void DrawInputOutsideBackground(const TRect& r) override;
    void DrawIndicatorAreaBackground(const TRect& r) override;
    void DrawHeaderBackground(TNxCustomColumn* column, const TRect& r, bool pressed) override;
    void DrawIndicator(const TRect& r, bool current) override;
    // Fills the header in its column's header colour with a right and a bottom border.
    void DrawColumnHeaderBackground(TNxCustomColumn* column, const TRect& r);
};

// The remaining styles share one raised, button-like look and press in when clicked.
class TDefaultStyleDisplay : public TStyleDisplay {
public:
    using TStyleDisplay::TStyleDisplay;
    int Capabilities() const override { return pcHotTracking | pcPressedLook; }
    void DrawHeaderBackground(TNxCustomColumn* column, const TRect& r, bool pressed) override;
    void DrawHeaderOutside(const TRect& r) override;
};

// The two office styles frame a bordered grid in their own palette's colour.
class TOffice2007StyleDisplay : public TDefaultStyleDisplay {
public:
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
    static constexpr TColor BorderColor = 0xCF9365; // RGB(101, 147, 207)
    TColor BorderFrameColor() const override { return BorderColor; }
};
class TOffice2010StyleDisplay : public TDefaultStyleDisplay {
public:
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
    static constexpr TColor BorderColor = 0xC2AEA0; // RGB(160, 174, 194)
    TColor BorderFrameColor() const override { return BorderColor; }
};
class TOldStyleDisplay : public TDefaultStyleDisplay {
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
};
class TOutlookStyleDisplay : public TDefaultStyleDisplay {
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
};
class TVistaStyleDisplay : public TDefaultStyleDisplay {
    using TDefaultStyleDisplay::TDefaultStyleDisplay;
};
