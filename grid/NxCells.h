#pragma once
// The grid's cell store: one list of typed cells per column (column-major), one TRow record
// per row. Cells do not know their own position: every lookup through TCells::Cell records
// the column and row it was asked for, and a cell that needs its position (a row number,
// the change notification, the painted colours) reads those coordinates back. Look a cell
// up immediately before using it.
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "grid/NxCompactText.h"
#include "grid/NxTypes.h"
#include "platform/Guid.h"
#include "rtl/Strings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TCells;
class TCellList;
class THintTranslator;

// Row record. Rows of a flat grid are level 0, expanded, shown and visible.
struct TRow {
    TRow* Parent = nullptr;
    int ChildCount = 0;
    int Level = 0;
    int Height = 16;
    bool Expanded = true;
    bool Selected = false;
    bool Shown = true;
    bool Visible = true;
};

// Base of every cell class. The value readers and writers convert as each class defines;
// writers store first, then notify the store (which repaints the one cell).
class TCell {
public:
    virtual ~TCell() { ReleaseExtra(); }

    // Colours the grid paints this cell with, at the store's last looked-up position.
    virtual TColor PaintedBackground() const;
    virtual TColor PaintedTextColor() const;

    virtual bool BoolValue() const = 0;
    virtual double DateValue() const = 0;
    virtual double FloatValue() const = 0;
    virtual int IntValue() const = 0;
    virtual WideString TextValue() const = 0;

    virtual void NotifyChanged();
    virtual void SetBoolValue(bool value);
    virtual void SetDateValue(double value);
    virtual void SetFloatValue(double value);
    virtual void SetIntValue(int value);
    virtual void SetTextValue(const WideString& value);
    virtual void Clear();

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    const WideString& Hint() const;
    void SetHint(const WideString& value);
    // A free slot for an object attached to the cell (object-kind columns); not owned.
    void* ObjectReference() const { return (m_extra & ExtraTag) ? Extra()->Object : nullptr; }
    void SetObjectReference(void* object);

    TFontStyles FontStyle() const { return TFontStyles::FromBits(m_fontStyle); }
    void SetFontStyle(TFontStyles style) { m_fontStyle = uint8_t(style.Bits()); }
    // Bit 0: the painter skips the content. Bit 1: the cell is still being made.
    uint8_t State() const { return m_state; }
    void SetState(uint8_t state) { m_state = state; }
    bool ContentHidden() const { return (m_state & StateHidden) != 0; }

    // The store that made this cell.
    TCells* Owner() const;

    // Takes `source`'s colour and hint, silently: for cells being made as copies. `hints`
    // gives the hint's shared copy in this cell's store.
    void CopyLookFrom(const TCell& source, THintTranslator& hints);
    // Back to a new cell's look and state, still initialising, for reuse as a copy; the value
    // and hint are the copy's to set.
    void Renew(TFontStyles style, TColor color) {
        SetInitialLook(style, color);
        m_state = StateInitializing;
        if (m_extra & ExtraTag) SetObjectReference(nullptr);
    }
    // The template's look for a new cell, silently.
    void SetInitialLook(TFontStyles style, TColor color) {
        m_fontStyle = uint8_t(style.Bits());
        m_color = color;
    }
    // Whether destroying the cell frees anything; a cell that holds nothing on the heap may
    // simply be dropped with its memory.
    bool HoldsHeap() const { return (m_extra & ExtraTag) != 0; }

    // Text as a view when the cell keeps text, else the text written into `scratch`.
    virtual std::u16string_view TextView(WideString& scratch) const;
    // Heap bytes owned beyond the object itself (memory reports).
    virtual size_t HeapBytes() const;

    static constexpr uint8_t StateHidden = 1;
    static constexpr uint8_t StateInitializing = 2;

protected:
    // Cells are made, moved and exchanged only inside the store's column lists.
    TCell() = default;
    TCell(TCell&& other) noexcept
        : m_extra(other.m_extra), m_color(other.m_color), m_fontStyle(other.m_fontStyle),
          m_state(other.m_state) {
        other.m_extra = 0;
    }
    TCell& operator=(TCell&& other) noexcept {
        if (this != &other) {
            ReleaseExtra();
            m_extra = other.m_extra;
            other.m_extra = 0;
            m_color = other.m_color;
            m_fontStyle = other.m_fontStyle;
            m_state = other.m_state;
        }
        return *this;
    }

    int Row() const;
    int Column() const;

private:
    struct TExtra {
        const WideString* Hint = nullptr; // interned by the store
        void* Object = nullptr;
    };
    // Most cells have neither a hint nor an object; many have just a hint. So this is 0, or
    // the store's shared copy of the hint (an even address), or a TExtra with ExtraTag set
    // when an object is attached.
    static constexpr uintptr_t ExtraTag = 1;
    TExtra* Extra() const { return reinterpret_cast<TExtra*>(m_extra & ~ExtraTag); }
    const WideString* SharedHint() const {
        return (m_extra & ExtraTag) ? Extra()->Hint : reinterpret_cast<const WideString*>(m_extra);
    }
    void SetSharedHint(const WideString* hint) {
        if (m_extra & ExtraTag)
            Extra()->Hint = hint;
        else
            m_extra = reinterpret_cast<uintptr_t>(hint);
    }
    void ReleaseExtra() {
        if (m_extra & ExtraTag) delete Extra();
        m_extra = 0;
    }

    uintptr_t m_extra = 0;
    TColor m_color = clWindow;
    uint8_t m_fontStyle = 0;
    uint8_t m_state = StateInitializing;
};

// What a new cell of a column takes from the column.
struct TCellTemplate {
    int ValueKind = vkString;
    TFontStyles FontStyle;
    TColor Color = clWindow;
};

class TCells {
public:
    static constexpr int MaxColumns = 1025;

    TCells();
    ~TCells();
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    int ColumnCount() const { return int(m_columns.size()); }
    int RowCount() const { return int(m_rows.size()); }
    int VisibleRowCount() const { return m_visibleRowCount; }

    // The cell at (column, row); records the position as the last access. Indexes outside
    // the lists raise EListError "List index out of bounds (%d)".
    TCell* Cell(int column, int row);
    TRow* Row(int row) const;
    int IndexOfRow(const TRow* row) const;
    int LastColumn() const { return m_lastColumn; }
    int LastRow() const { return m_lastRow; }

    // Rows. New cells take their column's template (TemplateOf).
    void AppendRows(int count);
    void InsertRow(int index);
    void DeleteRow(int index); // the row alone; children are the caller's business
    void MoveRow(int from, int to);
    void ExchangeRows(int a, int b);
    // Reorders rows: new row i is old row order[i] (a permutation of 0..RowCount-1).
    void PermuteRows(const std::vector<int>& order);
    void ClearRows();
    void SetRowVisible(int row, bool visible);

    // Columns, by index.
    void AddColumn(const TCellTemplate& tpl);
    void InsertColumn(int index, const TCellTemplate& tpl);
    void DeleteColumn(int index);
    void MoveColumn(int from, int to);
    void ClearAll();

    int DefaultRowHeight() const { return m_defaultRowHeight; }
    void SetDefaultRowHeight(int height) { m_defaultRowHeight = height; }

    // True from a sort until a cell or row changes.
    bool Sorted() const { return m_sorted; }
    int LastSortColumn() const { return m_lastSortColumn; }
    bool LastSortDescending() const { return m_lastSortDescending; }
    // Sorts the rows by the cells of `column`, compared as `sortType` says (values read through
    // the cells' accessors, so a text read as a number raises, before any row moves). When
    // nothing changed since the last sort of the same column and only the direction differs,
    // the rows are reversed instead (unless `fullResort`).
    void SortRows(int column, TSortType sortType, bool descending, bool fullResort);

    // Called by a cell's NotifyChanged: the change callback at the last position, then the
    // sorted flag is cleared.
    void CellChanged();

    // Installed by the grid.
    std::function<void(TCells*, int column, int row)> OnCellChange;
    std::function<void(TCells*, TCell*, TCell*, int& result)> OnCompare;
    std::function<TColor(int column, int row)> OnPaintedBackground;
    std::function<TColor(int column, int row)> OnPaintedTextColor;
    std::function<TCellTemplate(int column)> TemplateOf;
    // Virtual cells: text supplied and accepted per (column, row).
    std::function<WideString(int column, int row)> OnVirtualGetText;
    std::function<void(int column, int row, const WideString&)> OnVirtualSetText;

    // Bytes held by the store for its rows and cells (objects, lists and heap texts).
    size_t MemoryBytes() const;

    // One shared copy of each hint text: hints repeat (a league per row) and copying them
    // cell by cell would allocate for every row. Kept until the rows are cleared.
    const WideString* InternHint(const WideString& hint);

    // Appends copies of `source`'s rows (indexes in `rows`, any order, repeats allowed): each
    // cell's value, colour and hint; everything else, row state included, is that of a new
    // row. Both stores must have the same number of columns (else EListError, nothing
    // added). A column of another cell class takes the source cell's text, or stays empty
    // when it cannot read it; a virtual column copies no value. No cell change is notified.
    void AppendRowsFrom(TCells& source, const std::vector<int>& rows);
    // Makes the store's rows exactly copies of `source`'s rows, as ClearRows followed by
    // AppendRowsFrom would, but reusing the cells already there. `source` must be another
    // store (else EListError). Should memory run out half-way, the store is left empty.
    void ReplaceRowsFrom(TCells& source, const std::vector<int>& rows);

    // Column templates are read once and kept until a column changes.
    void InvalidateTemplates() { m_templatesValid = false; }

    // Chunks of cell memory (CellChunkBytes, aligned to their size), carved from larger slabs
    // and kept for reuse when rows go.
    void* AllocChunk();
    void FreeChunk(void* chunk);

private:
    std::unique_ptr<TCellList> MakeList(int valueKind);
    TRow* NewRow();
    void RenewRow(TRow& row) const;
    void CheckCopySource(const TCells& source, const std::vector<int>& rows) const;
    const std::vector<TCellTemplate>& Templates();

    std::vector<std::unique_ptr<TCellList>> m_columns;
    std::vector<TRow*> m_rows;
    int m_visibleRowCount = 0;
    int m_defaultRowHeight = 16;
    int m_lastColumn = 0;
    int m_lastRow = 0;
    bool m_sorted = false;
    int m_lastSortColumn = -1;
    bool m_lastSortDescending = false;
    std::vector<TCellTemplate> m_templates;
    bool m_templatesValid = false;
    struct TSlab {
        void* Memory;
        size_t MappedBytes; // 0: from the heap
    };
    std::vector<TSlab> m_slabs;
    std::vector<void*> m_freeChunks;
    std::unordered_set<WideString> m_hints;
    // Row records come from blocks kept for the store's life; freed ones wait for reuse.
    std::vector<std::unique_ptr<TRow[]>> m_rowBlocks;
    std::vector<TRow*> m_freeRows;
    size_t m_pooledRows = 0;
};

// Maps the shared hints of one store to those of another, looking each one up only once.
class THintTranslator {
public:
    explicit THintTranslator(TCells& target) : m_target(target) {}
    const WideString* Translate(const WideString* hint);

private:
    TCells& m_target;
    // Neighbouring rows often share a hint (a league's matches come together).
    const WideString* m_lastFrom = nullptr;
    const WideString* m_lastTo = nullptr;
    std::unordered_map<const WideString*, const WideString*> m_known;
};

inline void TCell::CopyLookFrom(const TCell& source, THintTranslator& hints) {
    m_color = source.m_color;
    const WideString* hint = source.SharedHint();
    SetSharedHint(hint ? hints.Translate(hint) : nullptr);
}

// The cell classes, one per value kind.
#include "grid/NxCellClasses.h"
