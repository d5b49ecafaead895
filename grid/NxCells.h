#pragma once
// The grid's cell store: the cells of each column kept together (column-major) as arrays of
// values, colours and style bits, and one TRow record per row. Rows stay where they were made:
// a row's cells live in a slot, and the store maps row indexes to slots, so that sorting,
// inserting, deleting and moving rows only rearrange that map.
//
// A TCell is a view of one cell, handed out by TCells::Cell. Cells do not know their own
// position: every lookup records the column and row it was asked for, and a cell that needs
// its position (a row number, the change notification, the painted colours) reads those
// coordinates back. Each column has two views that lookups hand out in turn, so two cells of
// one column can be used side by side (a comparison does); look a cell up immediately before
// using it.
#include "gfx/Color.h"
#include "gfx/Font.h"
#include "grid/NxCellStorage.h"
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
class TCellColumn;
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

// What a new cell of a column takes from the column.
struct TCellTemplate {
    int ValueKind = vkString;
    TFontStyles FontStyle;
    TColor Color = clWindow;
};

// A view of one cell. The value readers and writers convert as each class defines; writers
// store first, then notify the store (which repaints the one cell).
class TCell {
public:
    virtual ~TCell() = default;
    TCell(const TCell&) = delete;
    TCell& operator=(const TCell&) = delete;

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
    // Takes `source`'s value, then notifies: between cells of one class the value itself,
    // a long text shared rather than copied; otherwise through the source's text.
    virtual void AssignValue(const TCell& source);

    TColor Color() const;
    void SetColor(TColor value);
    const WideString& Hint() const;
    void SetHint(const WideString& value);
    // Takes `source`'s hint, then notifies; within one store the text is shared, not copied.
    void AssignHint(const TCell& source);
    // A free slot for an object attached to the cell (object-kind columns); not owned.
    void* ObjectReference() const;
    void SetObjectReference(void* object);

    TFontStyles FontStyle() const;
    void SetFontStyle(TFontStyles style);
    // Bit 0: the painter skips the content. Bit 1: the cell is still being made (changes to
    // it are nobody's news yet).
    uint8_t State() const;
    void SetState(uint8_t state);
    bool ContentHidden() const { return (State() & StateHidden) != 0; }

    // The store that made this cell.
    TCells* Owner() const;

    // Text as a view when the cell keeps text, else the text written into `scratch`.
    virtual std::u16string_view TextView(WideString& scratch) const;

    static constexpr uint8_t StateHidden = 1;
    static constexpr uint8_t StateInitializing = 2;

protected:
    TCell() = default;
    int Row() const;
    int Column() const;
    // The value this view shows, of the cell class's Value type (null when it keeps none).
    void* ValueAddress() const { return m_value; }

private:
    friend class TCellColumn;
    TCellColumn* m_column = nullptr;
    int m_slot = 0;
    void* m_value = nullptr;
};

// One column's cells: the look of every slot (colour, font style and state bits, and a hint
// or an attached object where a cell has one) here, the values in the cell class's column
// (TCellColumnOf). Every slot the store has made exists in every column, in use by a row or
// waiting for one with the look and value of a new cell.
class TCellColumn {
public:
    explicit TCellColumn(TCells* owner) : m_owner(owner) {}
    virtual ~TCellColumn();
    TCellColumn(const TCellColumn&) = delete;
    TCellColumn& operator=(const TCellColumn&) = delete;

    TCells* Owner() const { return m_owner; }
    int SlotCount() const { return m_slots; }

    // A view of the cell in `slot`; the column's two views take turns.
    virtual TCell* View(int slot) = 0;
    // Makes slots first .. first + count - 1 (first at most SlotCount()) new cells with the
    // template's look.
    virtual void MakeSlots(int first, int count, const TCellTemplate& tpl) = 0;
    // Frees what the cell in `slot` holds and leaves it a new cell of no look.
    virtual void ReleaseSlot(int slot) = 0;
    // Makes the cells in `slots` copies of `source`'s cells of the rows `rows` (`source` is
    // column `sourceColumn` of its store): the value, colour and hint; the rest as in a new
    // cell from the template. A virtual column copies no value; a column of another class
    // takes the source's text, or stays empty when it cannot read it.
    virtual void CopyRows(TCellColumn& source, int sourceColumn, const std::vector<int>& rows,
                          const std::vector<int>& slots, const TCellTemplate& tpl,
                          THintTranslator& hints) = 0;
    // All slots go.
    virtual void Clear() = 0;
    // Bytes held for the cells' values (arrays and heap).
    virtual size_t ValueBytes() const = 0;
    size_t MemoryBytes() const;

    TColor Color(int slot) const { return m_colors[slot]; }
    void SetColor(int slot, TColor color) { m_colors[slot] = color; }
    uint8_t Flags(int slot) const { return m_flags[slot]; }
    void SetFlags(int slot, uint8_t flags) { m_flags[slot] = flags; }
    const WideString* SharedHint(int slot) const;
    void SetSharedHint(int slot, const WideString* hint);
    void* ObjectReference(int slot) const;
    void SetObjectReference(int slot, void* object);

    // Style bits 0..3, state bits 4..5.
    static uint8_t MakeFlags(TFontStyles style, uint8_t state) {
        return uint8_t((style.Bits() & 0x0F) | (state << 4));
    }

protected:
    // Grows the look arrays to hold the slots and gives them the template's look.
    void MakeLooks(int first, int count, const TCellTemplate& tpl);
    void ReleaseLook(int slot);
    void ClearLook();
    void CopyLook(const TCellColumn& source, int sourceSlot, int slot, const TCellTemplate& tpl,
                  THintTranslator& hints);
    void Bind(TCell& view, int slot, void* value) {
        view.m_column = this;
        view.m_slot = slot;
        view.m_value = value;
    }
    TCellChunkPool& Pool() const;

    TCells* m_owner;
    int m_slots = 0;

private:
    struct TExtra {
        const WideString* Hint = nullptr; // interned by the store
        void* Object = nullptr;
    };
    // Most cells have neither a hint nor an object; many have just a hint. So an extra is 0,
    // or the store's shared copy of the hint (an even address), or a TExtra with ExtraTag set
    // when an object is attached. The array exists once a cell of the column has one.
    static constexpr uintptr_t ExtraTag = 1;
    static TExtra* ExtraOf(uintptr_t extra) { return reinterpret_cast<TExtra*>(extra & ~ExtraTag); }
    uintptr_t Extra(int slot) const { return m_extras.Allocated() ? m_extras[slot] : 0; }
    void SetExtra(int slot, uintptr_t extra);

    TSlotArray<TColor> m_colors;
    TSlotArray<uint8_t> m_flags;
    TSlotArray<uintptr_t> m_extras;
};

class TCells {
public:
    static constexpr int MaxColumns = 1025;

    TCells();
    ~TCells();
    TCells(const TCells&) = delete;
    TCells& operator=(const TCells&) = delete;

    int ColumnCount() const { return int(m_columns.size()); }
    int RowCount() const { return int(m_order.size()); }
    int VisibleRowCount() const { return m_visibleRowCount; }

    // The cell at (column, row); records the position as the last access. Indexes outside
    // the store raise EListError "List index out of bounds (%d)".
    TCell* Cell(int column, int row);
    // The same for indexes the caller has checked.
    TCell* CellAt(int column, int row) {
        m_lastColumn = column;
        m_lastRow = row;
        return m_columns[size_t(column)]->View(m_order[size_t(row)]);
    }
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

    // Called by a cell's NotifyChanged: the change callback at the last position (unless
    // muted), then the sorted flag is cleared.
    void CellChanged();
    // Set by the grid while its refresh is suspended, when a change is news to nobody but the
    // sort: a list loaded inside an update makes no call per cell.
    void MuteChangeCallback(bool muted) { m_changeCallbackMuted = muted; }

    // Installed by the grid.
    std::function<void(TCells*, int column, int row)> OnCellChange;
    std::function<void(TCells*, TCell*, TCell*, int& result)> OnCompare;
    std::function<TColor(int column, int row)> OnPaintedBackground;
    std::function<TColor(int column, int row)> OnPaintedTextColor;
    std::function<TCellTemplate(int column)> TemplateOf;
    // Virtual cells: text supplied and accepted per (column, row).
    std::function<WideString(int column, int row)> OnVirtualGetText;
    std::function<void(int column, int row, const WideString&)> OnVirtualSetText;

    // Bytes held by the store for its rows and cells (arrays, records and heap texts).
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
    // AppendRowsFrom would. `source` must be another store (else EListError). Should memory
    // run out half-way, the store is left empty.
    void ReplaceRowsFrom(TCells& source, const std::vector<int>& rows);

    // Column templates are read once and kept until a column changes.
    void InvalidateTemplates() { m_templatesValid = false; }

    // The slot that holds a row's cells.
    int SlotOf(int row) const { return m_order[size_t(row)]; }
    TCellChunkPool& Pool() { return m_pool; }

private:
    std::unique_ptr<TCellColumn> MakeColumn(int valueKind);
    // A slot for a new row, its record renewed: a freed one made new again, or a spare.
    int NewSlot(const std::vector<TCellTemplate>& tpl);
    // Spare slots are made ahead, up to the end of the arrays' chunk, so that a new row at the
    // end costs no work per column; they follow template changes.
    void MakeSpares(const std::vector<TCellTemplate>& tpl);
    void FreeSlot(int slot);
    void CheckCopySource(const TCells& source, const std::vector<int>& rows) const;
    const std::vector<TCellTemplate>& Templates();

    // The pool goes last: every array below takes its chunks from it.
    TCellChunkPool m_pool;
    std::vector<std::unique_ptr<TCellColumn>> m_columns;
    std::vector<int> m_order;  // row index -> slot
    TSlotArray<TRow> m_rows;   // by slot
    int m_slots = 0;           // slots made: in use, freed, or spare
    int m_fresh = 0;           // slots from here to m_slots are spares, never used
    int m_spareGeneration = 0; // the templates' generation the spares were made with
    std::vector<int> m_freeSlots;
    int m_visibleRowCount = 0;
    int m_defaultRowHeight = 16;
    int m_lastColumn = 0;
    int m_lastRow = 0;
    bool m_changeCallbackMuted = false;
    bool m_sorted = false;
    int m_lastSortColumn = -1;
    bool m_lastSortDescending = false;
    std::vector<TCellTemplate> m_templates;
    bool m_templatesValid = false;
    int m_templateGeneration = 0;
    std::unordered_set<WideString> m_hints;
    const WideString* m_lastHint = nullptr; // neighbouring rows often share a hint
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

// ---- TCell's look, from its column ----------------------------------------------------------

inline TColor TCell::Color() const {
    return m_column->Color(m_slot);
}
inline TFontStyles TCell::FontStyle() const {
    return TFontStyles::FromBits(m_column->Flags(m_slot) & 0x0F);
}
inline uint8_t TCell::State() const {
    return uint8_t(m_column->Flags(m_slot) >> 4);
}
inline TCells* TCell::Owner() const {
    return m_column->Owner();
}
