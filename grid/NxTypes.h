#pragma once
// Enumerations and option sets shared by the grid's cells, columns, painters and control.
#include <cstdint>
#include <initializer_list>

// A small set of enumeration values (at most 32), used for every option set of the grid.
template <class E> class TNxSet {
public:
    constexpr TNxSet() = default;
    constexpr TNxSet(std::initializer_list<E> items) {
        for (E e : items) m_bits |= Bit(e);
    }
    constexpr bool Contains(E e) const { return (m_bits & Bit(e)) != 0; }
    constexpr TNxSet& Include(E e) {
        m_bits |= Bit(e);
        return *this;
    }
    constexpr TNxSet& Exclude(E e) {
        m_bits &= ~Bit(e);
        return *this;
    }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr uint32_t Bits() const { return m_bits; }
    static constexpr TNxSet FromBits(uint32_t bits) {
        TNxSet s;
        s.m_bits = bits;
        return s;
    }
    constexpr TNxSet operator+(E e) const { return FromBits(m_bits | Bit(e)); }
    constexpr TNxSet operator-(E e) const { return FromBits(m_bits & ~Bit(e)); }
    constexpr TNxSet operator+(TNxSet o) const { return FromBits(m_bits | o.m_bits); }
    constexpr TNxSet operator-(TNxSet o) const { return FromBits(m_bits & ~o.m_bits); }
    constexpr TNxSet operator*(TNxSet o) const { return FromBits(m_bits & o.m_bits); }
    constexpr bool operator==(const TNxSet&) const = default;

private:
    static constexpr uint32_t Bit(E e) { return uint32_t(1) << unsigned(e); }
    uint32_t m_bits = 0;
};

// Columns.
enum TColumnOption {
    coAutoSize,
    coCanClick,
    coCanInput,
    coCanSort,
    coDisableMoving,
    coDontHighlight,
    coEditing,
    coEditorAutoSelect,
    coFixedSize,
    coImageForIcon,
    coPublicUsing,
    coFullResort,
    coSearchColumn,
    coShowTextFitHint,
    coTextForCaption
};
using TColumnOptions = TNxSet<TColumnOption>;

enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stCustom, stNumeric, stDate, stIP };
enum TSortKind { skAscending, skDescending };
enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
enum TFormulaKind { fkNone, fkAverage, fkCount, fkDistinct, fkMaximum, fkMinimum, fkSum, fkCustom };
enum THeaderOrientation { hoHorizontal, hoVertical };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
enum TWrapKind { wkNone, wkEllipsis, wkPathEllipsis, wkWordWrap };
enum TFormatMaskKind { mkText, mkFloat };
enum TSlideCaptionLocation { clLeft, clTop };

enum TNxNumberEditOption {
    eoAllowAll,
    eoAllowFloat,
    eoAllowSigns,
    eoDisablePaste,
    eoDisableTyping
};
using TNxNumberEditOptions = TNxSet<TNxNumberEditOption>;

// Grid.
enum TGridLinesStyle {
    lsNormal,
    lsActiveHorzOnly,
    lsActiveRows,
    lsFramed,
    lsHorizontalOnly,
    lsVerticalOnly
};
enum THeaderStyle {
    hsAuto,
    hsFlatBorders,
    hsOffice2007,
    hsOffice2010,
    hsOldStyle,
    hsOutlook,
    hsVista
};
enum TGridStyle { gsReport, gsSlides };
enum TSortedStyle { soDefault, soDarker, soWhite };
enum TSelectionMoveDirection { mdNone, mdUp, mdDown, mdLeft, mdRight };
enum TInputEnterMode { imAllways, imEditing };
enum THomeEndBehaviour { hebTopBottom, hebLeftRight };

enum TGridOption {
    goCanHideColumn,
    goDisableColumnMoving,
    goDisableKeys,
    goEscClearEdit,
    goFooter,
    goGrid,
    goHeader,
    goIndicator,
    goInput,
    goLockFixedCols,
    goMultiSelect,
    goRowResizing,
    goRowMoving,
    goSecondClickEdit,
    goSelectFullRow,
    goUseDefaultValues,
    goInplaceEditEvents
};
using TGridOptions = TNxSet<TGridOption>;

enum TAppearanceOption {
    ao3DGridLines,
    aoAlphaBlendedSelection,
    aoBoldTextSelection,
    aoDontFillCells,
    aoHideFocus,
    aoHideSelection,
    aoHighlightSlideCells,
    aoHintMarks,
    aoIndicateSelectedCell,
    aoIndicateSortedColumn
};
using TAppearanceOptions = TNxSet<TAppearanceOption>;

// Flags handed to the cell colouring and drawing events (an empty cell below the rows has
// the value 2, csEmpty alone).
enum TCellState { csSelected, csEmpty, csFocused, csBoldText };
using TCellStates = TNxSet<TCellState>;

// Parts of the grid's client area, as the hit test answers.
enum TGridArea { gaNone = 0, gaBody = 1, gaFooter = 2, gaHeader = 3, gaIndicator = 4, gaInput = 5 };

// What the column set change notification reports (also OnDataChange's change kind).
enum TDataChangeKind {
    dkColumnChanged = 0,
    dkRowAdded = 1,
    dkColumnInserted = 2,
    dkRowInserted = 3,
    dkColumnDeleted = 4,
    dkRowDeleted = 5
};

// The value kinds that select a column's cell class.
enum TNxValueKind {
    vkRowNumber = 0,
    vkBoolean = 1,
    vkDateTime = 3,
    vkFloat = 4,
    vkObject = 5,
    vkGuid = 6,
    vkInteger = 7,
    vkString = 8,
    vkVirtual = 11
};
