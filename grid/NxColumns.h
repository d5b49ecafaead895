#pragma once
// Columns of the grid: the column base TNxCustomColumn with its header and footer parts, and
// the collection TNxColumns that keeps creation order (the index every cell operation uses)
// apart from display order (Position), lays columns out horizontally and tells the grid about
// every change through TNxColumnsHost.
#include "gfx/Bitmap.h"
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "grid/NxTypes.h"
#include "rtl/Component.h"
#include "rtl/Strings.h"
#include "ui/Controls.h"

#include <functional>
#include <memory>
#include <vector>

class TCanvas;
class TNxColumns;
class TNxCustomColumn;
class TColumnDisplay;
class TNxInplaceEdit;

// What a column tells its grid (TNxColumnsHost::ColumnChanged).
enum TColumnChange {
    ccRepaint,   // repaint the column's cells and header
    ccHeader,    // repaint the header only
    ccWidth,     // value = new width - old width
    ccPosition,  // value = old position (the new one is the column's Position)
    ccVisible,   // value = 1 when shown
    ccSorted,    // value = 1 when sorted
    ccSortAgain, // sort type or kind changed on the sorted column
    ccFont,      // the cells' font changed
    ccOptions,   // options changed
    ccLayout     // display places or widths of several columns changed (column is null)
};

// The grid side of the column collection.
class TNxColumnsHost {
public:
    virtual ~TNxColumnsHost() = default;
    virtual void ColumnChanged(TNxCustomColumn* column, TColumnChange change, int value) = 0;
    // A column was added (dkColumnChanged, index -1: appended), inserted or deleted
    // (dkColumnDeleted with index -1: all of them).
    virtual void ColumnsChanged(TDataChangeKind kind, int index) = 0;
    virtual const TFont& GridFont() const = 0;
    // Client width available to auto-sized columns, and whether the indicator column shows.
    virtual int ColumnsClientWidth() const = 0;
    virtual bool IndicatorShown() const = 0;
    // A canvas for measuring text (the grid's own).
    virtual TCanvas* MeasureCanvas() = 0;
};

// Header and footer of a column.
class TColumnPart : public TPersistent {
public:
    explicit TColumnPart(TNxCustomColumn* column) : m_column(column) {}
    const WideString& Caption() const { return m_caption; }
    void SetCaption(const WideString& value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TDisplayMode DisplayMode() const { return m_displayMode; }
    void SetDisplayMode(TDisplayMode value);
    // When a picture is loaded its bottom-left pixel becomes the transparent colour.
    TBitmap* Glyph() { return &m_glyph; }
    const TBitmap* Glyph() const { return &m_glyph; }
    void SetGlyph(const TBitmap& glyph);
    const WideString& Hint() const { return m_hint; }
    void SetHint(const WideString& value) { m_hint = value; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TNxCustomColumn* Column() const { return m_column; }

protected:
    virtual void Changed(bool wholeColumn);

    TNxCustomColumn* m_column;
    WideString m_caption;
    TColor m_color = clBtnFace;
    TDisplayMode m_displayMode = dmTextOnly;
    TBitmap m_glyph;
    WideString m_hint;
    TAlignment m_alignment = taLeftJustify;
};

class TColumnHeader : public TColumnPart {
public:
    explicit TColumnHeader(TNxCustomColumn* column) : TColumnPart(column) {}
    bool HideArrow() const { return m_hideArrow; }
    void SetHideArrow(bool value);
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool value);
    THeaderOrientation Orientation() const { return m_orientation; }
    void SetOrientation(THeaderOrientation value);

private:
    bool m_hideArrow = true;
    bool m_multiLine = false;
    THeaderOrientation m_orientation = hoHorizontal;
};

class TColumnFooter : public TColumnPart {
public:
    explicit TColumnFooter(TNxCustomColumn* column);
    TFormulaKind FormulaKind() const { return m_formulaKind; }
    void SetFormulaKind(TFormulaKind value);
    const std::string& FormatMask() const { return m_formatMask; }
    void SetFormatMask(const std::string& value);
    TFormatMaskKind FormatMaskKind() const { return m_formatMaskKind; }
    void SetFormatMaskKind(TFormatMaskKind value);
    const WideString& TextAfter() const { return m_textAfter; }
    void SetTextAfter(const WideString& value);
    const WideString& TextBefore() const { return m_textBefore; }
    void SetTextBefore(const WideString& value);

private:
    TFormulaKind m_formulaKind = fkNone;
    std::string m_formatMask;
    TFormatMaskKind m_formatMaskKind = mkText;
    WideString m_textAfter;
    WideString m_textBefore;
};

// Capability bits of a column kind.
constexpr int ckHasEditor = 2;
constexpr int ckCannotSort = 4;
constexpr int ckFitOnBorderDblClick = 8;

// The values of one cell as the painter and the display text see them.
struct TCellValues {
    bool Bool = false;
    double Date = 0;
    double Float = 0;
    int Int = 0;
    WideString Text;
    void* Object = nullptr;
};

class TNxCustomColumn : public TComponent {
public:
    explicit TNxCustomColumn(TComponent* owner);
    ~TNxCustomColumn() override;

    // Puts the column into a grid's collection (nullptr takes it out).
    void SetColumns(TNxColumns* columns);
    TNxColumns* Columns() const { return m_columns; }
    // Index in the collection (creation order), -1 outside one.
    int Index() const;

    // Published properties.
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    int BiDiMode() const { return m_biDiMode; }
    void SetBiDiMode(int value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Cursor() const { return m_cursor; }
    void SetCursor(int value);
    const WideString& DefaultValue() const { return m_defaultValue; }
    void SetDefaultValue(const WideString& value) { m_defaultValue = value; }
    int DefaultWidth() const { return m_defaultWidth; }
    void SetDefaultWidth(int value) { m_defaultWidth = value; }
    TDrawingOptions DrawingOptions() const { return m_drawingOptions; }
    void SetDrawingOptions(TDrawingOptions value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    TFont* Font() { return &m_font; }
    const TFont* Font() const { return &m_font; }
    void SetFont(const TFont& font) { m_font.Assign(font); }
    TColumnFooter* Footer() { return &m_footer; }
    const TColumnFooter* Footer() const { return &m_footer; }
    TColumnHeader* Header() { return &m_header; }
    const TColumnHeader* Header() const { return &m_header; }
    TNxInplaceEdit* InplaceEdit() const { return m_inplaceEdit; }
    void SetInplaceEdit(TNxInplaceEdit* editor) { m_inplaceEdit = editor; }
    const WideString& InputCaption() const { return m_inputCaption; }
    void SetInputCaption(const WideString& value);
    const WideString& InputValue() const { return m_inputValue; }
    void SetInputValue(const WideString& value) { m_inputValue = value; }
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value) { m_minWidth = value; }
    TColumnOptions Options() const { return m_options; }
    void SetOptions(TColumnOptions value);
    int Padding() const { return m_padding; }
    void SetPadding(int value);
    bool ParentCellColor() const { return m_parentCellColor; }
    void SetParentCellColor(bool value);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);
    int Position() const { return m_position; }
    void SetPosition(int value);
    TRect SlideBounds() const { return m_slideBounds; }
    void SetSlideBounds(const TRect& value);
    const WideString& SlideCaption() const { return m_slideCaption; }
    void SetSlideCaption(const WideString& value) { m_slideCaption = value; }
    TSlideCaptionLocation SlideCaptionLocation() const { return m_slideCaptionLocation; }
    void SetSlideCaptionLocation(TSlideCaptionLocation value);
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool value);
    TSortKind SortKind() const { return m_sortKind; }
    void SetSortKind(TSortKind value);
    TSortType SortType() const { return m_sortType; }
    void SetSortType(TSortType value);
    const std::string& StyleClass() const { return m_styleClass; }
    void SetStyleClass(const std::string& value) { m_styleClass = value; }
    TVerticalAlignment VerticalAlignment() const { return m_verticalAlignment; }
    void SetVerticalAlignment(TVerticalAlignment value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    int Width() const { return m_width; }
    void SetWidth(int value);
    TWrapKind WrapKind() const { return m_wrapKind; }
    void SetWrapKind(TWrapKind value);

    // Unpublished state.
    int ValueKind() const { return m_valueKind; }
    int Left() const { return m_left; }
    int VisibleIndex() const { return m_visibleIndex; }
    TColumnDisplay* Display() const { return m_display.get(); }

    // Kind-specific behaviour.
    virtual int KindCapabilities() const { return 0; }
    virtual bool HasOwnEditor() const { return false; }
    // Editing capabilities: empty when disabled or without any editor, else built from
    // coCanInput and coEditing.
    TColumnOptions EditingCapabilities() const;
    // Text width of a text as this kind measures it (platform width + 6, at least 8).
    virtual int TextWidthOf(TCanvas& canvas, const WideString& text) const;
    virtual bool IsMultiLine() const { return false; }
    // The text the painter shows for a cell with these values.
    virtual WideString DisplayText(const TCellValues& values) const;
    // Whether a typed character may go into this column's editor.
    virtual bool AcceptsChar(char16_t c) const;

    // Text events of virtual cells: supply and accept the text of (column, row).
    std::function<void(TObject* sender, int row, WideString& text)> OnGetText;
    std::function<void(TObject* sender, int row, const WideString& text)> OnSetText;

    // Listeners hear about visibility changes (sender = the column).
    std::vector<TNotifyEvent> Listeners;

    // Layout state set by the collection.
    void SetLayout(int left, int visibleIndex) {
        m_left = left;
        m_visibleIndex = visibleIndex;
    }
    void GridFontChanged(const TFont& gridFont);

    // Takes the stored (published) values of `from`: a column read from stored data under the
    // name of one the grid already has is applied to that one.
    void TakeStoredValues(const TNxCustomColumn& from);

protected:
    // Read from stored data: the collection places it by its stored Position.
    void Loaded() override;
    void SetValueKind(int kind) { m_valueKind = kind; }
    void SetDisplay(std::unique_ptr<TColumnDisplay> display);
    // Repaint or other change notices to the grid (nothing outside a grid).
    void Changed(TColumnChange change, int value = 0);
    void FontChanged();

    TAlignment m_alignment = taLeftJustify;
    int m_biDiMode = 0;
    TColor m_color = clWindow;
    int m_cursor = 0;
    WideString m_defaultValue;
    int m_defaultWidth = 80;
    TDrawingOptions m_drawingOptions = doNormal;
    bool m_enabled = true;
    TFont m_font;
    TColumnFooter m_footer{this};
    TColumnHeader m_header{this};
    TNxInplaceEdit* m_inplaceEdit = nullptr;
    WideString m_inputCaption;
    WideString m_inputValue;
    int m_minWidth = 8;
    TColumnOptions m_options{coCanClick, coCanInput, coCanSort, coPublicUsing};
    int m_padding = 0;
    bool m_parentCellColor = false;
    bool m_parentFont = true;
    int m_position = -1;
    TRect m_slideBounds{8, 8, 88, 24};
    WideString m_slideCaption;
    TSlideCaptionLocation m_slideCaptionLocation = clTop;
    bool m_sorted = false;
    TSortKind m_sortKind = skAscending;
    TSortType m_sortType = stAlphabetic;
    std::string m_styleClass;
    TVerticalAlignment m_verticalAlignment = taVerticalCenter;
    bool m_visible = true;
    int m_width = 80;
    TWrapKind m_wrapKind = wkEllipsis;

private:
    friend class TNxColumns;
    friend class TColumnPart;
    TNxColumns* m_columns = nullptr;
    int m_valueKind = vkString;
    int m_left = 0;
    int m_visibleIndex = -1;
    std::unique_ptr<TColumnDisplay> m_display;
    bool m_fontFromParent = false; // a grid font change is not the user's
};

class TNxColumns {
public:
    explicit TNxColumns(TNxColumnsHost* host);
    ~TNxColumns(); // frees every column it holds
    TNxColumns(const TNxColumns&) = delete;
    TNxColumns& operator=(const TNxColumns&) = delete;

    int Count() const { return int(m_items.size()); }
    // By index (creation order); EListError outside.
    TNxCustomColumn* Item(int index) const;
    TNxCustomColumn* operator[](int index) const { return Item(index); }
    // By display place; EListError outside.
    TNxCustomColumn* PositionItem(int position) const;
    bool ValidIndex(int index) const { return index >= 0 && index < Count(); }
    int IndexOf(const TNxCustomColumn* column) const;

    // Appends a column (its Position becomes the new last place).
    void Add(TNxCustomColumn* column);
    // Puts a column at `index` of the creation order (clamped to 0 .. Count()); it takes the
    // last display place. The grid raises OnDataChange(dkColumnInserted, index).
    void Insert(int index, TNxCustomColumn* column);
    // A column has been read from stored data: it moves before the first column with a
    // greater Position, or, when another column has its name, is applied to that column and
    // leaves the collection.
    void ColumnLoaded(TNxCustomColumn* column);
    // A new column of class T, owned by `owner` (the grid's owner when null).
    template <class T> T* Add(TComponent* owner = nullptr) {
        T* column = new T(owner);
        Add(column);
        return column;
    }
    // Takes a column out (the column is not freed).
    void Remove(TNxCustomColumn* column);
    // Frees every column.
    void Clear();

    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int value);
    int FixedWidth() const { return m_fixedWidth; }
    // Sum of the widths of the visible columns.
    int TotalWidth() const { return m_totalWidth; }
    // Body left edge: 12 with the indicator, else 0.
    int BodyLeft() const;

    void Layout();
    // Auto-size after a change of `column` (nullptr: all columns), see TNxCustomColumn.
    void ApplyAutoSize(TNxCustomColumn* column, bool optionsChanged);

    TNxColumnsHost* Host() const { return m_host; }
    TComponent* DefaultOwner = nullptr;

    // Visible columns in display order.
    const std::vector<TNxCustomColumn*>& DisplayOrder() const { return m_positions; }
    TNxCustomColumn* LastVisible() const;

    // Moves a column to a display place (used by SetPosition).
    void MoveToPosition(TNxCustomColumn* column, int position);
    void ClearSortedExcept(TNxCustomColumn* column);
    void ClearSearchExcept(TNxCustomColumn* column);

private:
    TNxColumnsHost* m_host;
    std::vector<TNxCustomColumn*> m_items;
    std::vector<TNxCustomColumn*> m_positions;
    int m_fixedCols = 0;
    int m_fixedWidth = 0;
    int m_totalWidth = 0;
    bool m_clearing = false;
};
