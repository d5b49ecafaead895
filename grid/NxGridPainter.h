#pragma once
// Paints the grid's client area: the body rows cell by cell (background, grid lines,
// content through the column's cell painter, hint marks, the focus rectangle), the empty
// cells below the last row, the headers through the header painter, the strip right of the
// last column, the caption of an empty grid and the marks of a column drag. Also answers
// which colours a cell is painted with.
#include "gfx/Color.h"
#include "gfx/Types.h"

class TCanvas;
class TCell;
class TNxCustomGrid;
class TNxCustomColumn;

class TNxGridPainter {
public:
    explicit TNxGridPainter(TNxCustomGrid& grid) : m_grid(grid) {}
    TNxGridPainter(const TNxGridPainter&) = delete;
    TNxGridPainter& operator=(const TNxGridPainter&) = delete;

    // The whole client area, within the canvas's clip.
    void Paint(TCanvas& canvas);

    // Whether (col, row) shows the selection colours now.
    bool CellIsSelected(const TNxCustomColumn* column, int col, int row) const;
    // The cell's own colour (or its column's), darkened for a sorted column when asked, or
    // the selection colour.
    TColor CellBackground(const TNxCustomColumn* column, const TCell* cell, bool selected) const;
    TColor TextColor(const TNxCustomColumn* column, int col, int row) const;

private:
    void PaintRows(TCanvas& canvas);
    void PaintCell(TCanvas& canvas, TNxCustomColumn* column, int col, int row, const TRect& r);
    void PaintEmptyCell(TCanvas& canvas, TNxCustomColumn* column, int col, int row, const TRect& r);
    void PaintGridLines(TCanvas& canvas, TNxCustomColumn* column, const TRect& r, bool inStore,
                        bool lastRow, TColor lineColor);
    void PaintHeaders(TCanvas& canvas);
    void PaintRightStrip(TCanvas& canvas);
    void PaintFocusRect(TCanvas& canvas);
    void PaintCaption(TCanvas& canvas);
    void PaintDropMarks(TCanvas& canvas);
    TRect FocusRect() const;
    TRect CellClipRect(const TNxCustomColumn* column, const TRect& r) const;

    TNxCustomGrid& m_grid;
};
