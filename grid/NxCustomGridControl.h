#pragma once
// The windowed base of the grid: the two standard window scroll bars with their own
// bookkeeping (range, page, position, changes, auto-hide), the header painters, the hint
// window the grid shows over cells and headers, the border and the grid's cursors.
#include "grid/NxTypes.h"
#include "ui/Controls.h"

#include <algorithm>
#include <array>
#include <memory>

class TStyleDisplay;
class THintWindow;

// Cursor numbers the grid registers with the screen.
constexpr TCursor crNxHorzSplit = 3000;
constexpr TCursor crNxColumnNoDrag = 3001;
constexpr TCursor crNxVertSplit = 3003;
constexpr TCursor crNxIndicatorSelect = 3006;

class TNxCustomGridControl;

// One of the window's own scroll bars (SB_HORZ or SB_VERT).
class TNxScrollBar {
public:
    TNxScrollBar(TNxCustomGridControl* owner, int bar) : m_owner(owner), m_bar(bar) {}

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    // Setting the maximum hides the bar (auto-hide) when the page is not smaller, and clamps
    // the position.
    void SetMax(int value);
    int PageSize() const { return m_pageSize; }
    void SetPageSize(int value); // at least 1
    int Position() const { return m_position; }
    void SetPosition(int value); // clamped to Min..Max
    int SmallChange() const { return m_smallChange; }
    void SetSmallChange(int value) { m_smallChange = value; }
    int LargeChange() const { return m_largeChange; }
    void SetLargeChange(int value) { m_largeChange = value; }
    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool value);
    bool Visible() const { return m_visible; }
    // There is something to scroll.
    bool HasRange() const { return m_max > 0 && m_pageSize < m_max; }
    // Largest position a scroll message may reach: Max - PageSize + 1.
    int MaxScrollPos() const { return std::max(0, m_max - m_pageSize + 1); }
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    // Passes range, page and position to the window.
    void Apply();

private:
    TNxCustomGridControl* m_owner;
    int m_bar;
    int m_min = 0;
    int m_max = 0;
    int m_pageSize = 1;
    int m_position = 0;
    int m_smallChange = 1;
    int m_largeChange = 1;
    bool m_autoHide = true;
    bool m_visible = false;
    int m_updateCount = 0;
};

// What the hint window shows.
enum TNxHintKind { hkNone, hkFooter, hkHeader, hkTextFit, hkCell };

class TNxCustomGridControl : public TCustomControl {
public:
    explicit TNxCustomGridControl(TComponent* owner);
    ~TNxCustomGridControl() override;

    TNxScrollBar* HorzScrollBar() { return &m_horzScrollBar; }
    const TNxScrollBar* HorzScrollBar() const { return &m_horzScrollBar; }
    TNxScrollBar* VertScrollBar() { return &m_vertScrollBar; }
    const TNxScrollBar* VertScrollBar() const { return &m_vertScrollBar; }

    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool EnableVisualStyles() const { return m_enableVisualStyles; }
    void SetEnableVisualStyles(bool value);
    THeaderStyle HeaderStyle() const { return m_headerStyle; }
    void SetHeaderStyle(THeaderStyle value);
    // The painter HeaderStyle selects; its themed flag and canvas are set before each use.
    TStyleDisplay* HeaderDisplay() const;
    // Whether the flat themed look applies (visual styles on; this platform's theme is on).
    bool Themed() const { return m_enableVisualStyles; }

    // Hints over the grid (client coordinates).
    void ShowGridHint(TNxHintKind kind, const WideString& text, TPoint clientPos, int maxWidth);
    void HideGridHint();
    TNxHintKind HintKind() const { return m_hintKind; }
    const WideString& HintText() const { return m_hintText; }
    THintWindow* GridHintWindow() const { return m_hintWindow; }

protected:
    void CreateHandle() override;
    void WMNCPaint(TWMNCPaint& m) override;

    TNxScrollBar m_horzScrollBar{this, SB_HORZ};
    TNxScrollBar m_vertScrollBar{this, SB_VERT};
    TBorderStyle m_borderStyle = bsSingle;
    bool m_enableVisualStyles = true;
    THeaderStyle m_headerStyle = hsAuto;
    std::array<std::unique_ptr<TStyleDisplay>, 7> m_headerDisplays;
    THintWindow* m_hintWindow = nullptr;
    TNxHintKind m_hintKind = hkNone;
    WideString m_hintText;

private:
    friend class TNxScrollBar;
    static void RegisterCursors();
};
