// A column read from stored data: placing it by its stored Position, or applying it to the
// grid's column of the same name.
#include "grid/NxColumns.h"

void TNxCustomColumn::Loaded() {
    TComponent::Loaded();
    if (m_columns) m_columns->ColumnLoaded(this);
}

namespace {

void TakePart(TColumnPart& to, const TColumnPart& from) {
    to.SetCaption(from.Caption());
    to.SetColor(from.Color());
    to.SetDisplayMode(from.DisplayMode());
    to.SetGlyph(*from.Glyph());
    to.SetHint(from.Hint());
    to.SetAlignment(from.Alignment());
}

} // namespace

void TNxCustomColumn::TakeStoredValues(const TNxCustomColumn& from) {
    SetAlignment(from.m_alignment);
    SetBiDiMode(from.m_biDiMode);
    SetColor(from.m_color);
    SetCursor(from.m_cursor);
    m_defaultValue = from.m_defaultValue;
    SetDrawingOptions(from.m_drawingOptions);
    m_enabled = from.m_enabled;
    SetParentFont(from.m_parentFont);
    if (!from.m_parentFont) SetFont(from.m_font);
    SetParentCellColor(from.m_parentCellColor);
    SetInputCaption(from.m_inputCaption);
    m_inputValue = from.m_inputValue;
    m_minWidth = from.m_minWidth;
    SetOptions(from.m_options);
    SetPadding(from.m_padding);
    SetSlideBounds(from.m_slideBounds);
    m_slideCaption = from.m_slideCaption;
    SetSlideCaptionLocation(from.m_slideCaptionLocation);
    m_styleClass = from.m_styleClass;
    SetVerticalAlignment(from.m_verticalAlignment);
    SetWrapKind(from.m_wrapKind);

    TakePart(m_header, from.m_header);
    m_header.SetHideArrow(from.m_header.HideArrow());
    m_header.SetMultiLine(from.m_header.MultiLine());
    m_header.SetOrientation(from.m_header.Orientation());
    TakePart(m_footer, from.m_footer);
    m_footer.SetFormulaKind(from.m_footer.FormulaKind());
    m_footer.SetFormatMask(from.m_footer.FormatMask());
    m_footer.SetFormatMaskKind(from.m_footer.FormatMaskKind());
    m_footer.SetTextAfter(from.m_footer.TextAfter());
    m_footer.SetTextBefore(from.m_footer.TextBefore());

    SetWidth(from.m_width);
    m_defaultWidth = from.m_defaultWidth;
    SetVisible(from.m_visible);
    SetSortType(from.m_sortType);
    SetSortKind(from.m_sortKind);
    SetSorted(from.m_sorted);
    if (from.m_position >= 0) SetPosition(from.m_position);
}
