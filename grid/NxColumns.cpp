#include "grid/NxColumns.h"

#include "gfx/Canvas.h"
#include "grid/NxColumnDisplays.h"
#include "rtl/Exceptions.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cmath>

// ---- parts --------------------------------------------------------------------------------

void TColumnPart::Changed(bool wholeColumn) {
    if (m_column) m_column->Changed(wholeColumn ? ccRepaint : ccHeader);
}

void TColumnPart::SetCaption(const WideString& value) {
    m_caption = value;
    Changed(false);
}

void TColumnPart::SetColor(TColor value) {
    m_color = value;
    Changed(false);
}

void TColumnPart::SetDisplayMode(TDisplayMode value) {
    m_displayMode = value;
    Changed(true);
}

void TColumnPart::SetGlyph(const TBitmap& glyph) {
    m_glyph.Assign(glyph);
    if (!m_glyph.Empty()) {
        m_glyph.SetTransparentColor(m_glyph.PixelColor(0, m_glyph.Height() - 1));
        m_glyph.SetTransparent(true);
    }
    Changed(true);
}

void TColumnPart::SetAlignment(TAlignment value) {
    m_alignment = value;
    Changed(false);
}

void TColumnHeader::SetHideArrow(bool value) {
    m_hideArrow = value;
    Changed(false);
}

void TColumnHeader::SetMultiLine(bool value) {
    m_multiLine = value;
    Changed(false);
}

void TColumnHeader::SetOrientation(THeaderOrientation value) {
    m_orientation = value;
    Changed(false);
}

TColumnFooter::TColumnFooter(TNxCustomColumn* column) : TColumnPart(column) {
    m_color = clWindow;
}

void TColumnFooter::SetFormulaKind(TFormulaKind value) {
    m_formulaKind = value;
    Changed(true);
}
void TColumnFooter::SetFormatMask(const std::string& value) {
    m_formatMask = value;
    Changed(true);
}
void TColumnFooter::SetFormatMaskKind(TFormatMaskKind value) {
    m_formatMaskKind = value;
    Changed(true);
}
void TColumnFooter::SetTextAfter(const WideString& value) {
    m_textAfter = value;
    Changed(true);
}
void TColumnFooter::SetTextBefore(const WideString& value) {
    m_textBefore = value;
    Changed(true);
}

// ---- TNxCustomColumn ----------------------------------------------------------------------

TNxCustomColumn::TNxCustomColumn(TComponent* owner) : TComponent(owner) {
    m_font.OnChange = [this](TObject*) { FontChanged(); };
    SetDisplay(std::make_unique<TTextColumnDisplay>(this));
}

TNxCustomColumn::~TNxCustomColumn() {
    if (m_columns) m_columns->Remove(this);
    m_font.OnChange = nullptr;
}

void TNxCustomColumn::SetColumns(TNxColumns* columns) {
    if (columns == m_columns) return;
    if (m_columns) m_columns->Remove(this);
    if (columns) columns->Add(this);
}

int TNxCustomColumn::Index() const {
    return m_columns ? m_columns->IndexOf(this) : -1;
}

void TNxCustomColumn::SetDisplay(std::unique_ptr<TColumnDisplay> display) {
    m_display = std::move(display);
}

void TNxCustomColumn::Changed(TColumnChange change, int value) {
    if (m_columns && m_columns->Host()) m_columns->Host()->ColumnChanged(this, change, value);
}

void TNxCustomColumn::FontChanged() {
    if (!m_fontFromParent) m_parentFont = false;
    Changed(ccFont);
}

void TNxCustomColumn::GridFontChanged(const TFont& gridFont) {
    if (!m_parentFont) return;
    m_fontFromParent = true;
    m_font.Assign(gridFont);
    m_fontFromParent = false;
}

void TNxCustomColumn::SetAlignment(TAlignment value) {
    m_alignment = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetBiDiMode(int value) {
    m_biDiMode = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetColor(TColor value) {
    m_color = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetCursor(int value) {
    m_cursor = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetDrawingOptions(TDrawingOptions value) {
    m_drawingOptions = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetInputCaption(const WideString& value) {
    m_inputCaption = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetPadding(int value) {
    m_padding = std::max(0, value);
    Changed(ccRepaint);
}
void TNxCustomColumn::SetParentCellColor(bool value) {
    m_parentCellColor = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetSlideBounds(const TRect& value) {
    m_slideBounds = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetSlideCaptionLocation(TSlideCaptionLocation value) {
    m_slideCaptionLocation = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetVerticalAlignment(TVerticalAlignment value) {
    m_verticalAlignment = value;
    Changed(ccRepaint);
}
void TNxCustomColumn::SetWrapKind(TWrapKind value) {
    m_wrapKind = value;
    Changed(ccRepaint);
}

void TNxCustomColumn::SetParentFont(bool value) {
    m_parentFont = value;
    if (value && m_columns && m_columns->Host()) GridFontChanged(m_columns->Host()->GridFont());
}

void TNxCustomColumn::SetOptions(TColumnOptions value) {
    const bool wasAutoSize = m_options.Contains(coAutoSize);
    const bool newSearch = value.Contains(coSearchColumn) && !m_options.Contains(coSearchColumn);
    m_options = value;
    if (!m_columns) return;
    if (newSearch) m_columns->ClearSearchExcept(this);
    if (!(wasAutoSize && value.Contains(coAutoSize))) m_columns->ApplyAutoSize(this, true);
    Changed(ccOptions);
}

void TNxCustomColumn::SetPosition(int value) {
    if (!m_columns || Loading()) {
        m_position = value;
        return;
    }
    m_columns->MoveToPosition(this, value);
}

void TNxCustomColumn::SetSorted(bool value) {
    if (KindCapabilities() & ckCannotSort) return;
    if (value && m_columns) m_columns->ClearSortedExcept(this);
    m_sorted = value;
    Changed(ccSorted, value ? 1 : 0);
}

void TNxCustomColumn::SetSortKind(TSortKind value) {
    m_sortKind = value;
    if (m_sorted) Changed(ccSortAgain);
}

void TNxCustomColumn::SetSortType(TSortType value) {
    m_sortType = value;
    if (m_sorted) Changed(ccSortAgain);
}

void TNxCustomColumn::SetVisible(bool value) {
    if (value == m_visible) return;
    m_visible = value;
    for (auto& listener : Listeners)
        if (listener) listener(this);
    if (!m_columns) return;
    m_columns->Layout();
    Changed(ccVisible, value ? 1 : 0);
    m_columns->ApplyAutoSize(this, false);
}

void TNxCustomColumn::SetWidth(int value) {
    value = std::max(value, m_minWidth);
    const int old = m_width;
    m_width = value;
    m_defaultWidth = value;
    if (!m_columns || Loading()) return;
    m_columns->Layout();
    Changed(ccWidth, value - old);
    m_columns->ApplyAutoSize(this, false);
}

TColumnOptions TNxCustomColumn::EditingCapabilities() const {
    if (!m_enabled || (!HasOwnEditor() && !m_inplaceEdit)) return {};
    TColumnOptions result;
    if (m_options.Contains(coCanInput)) result.Include(coCanInput);
    if (m_options.Contains(coEditing)) result.Include(coEditing);
    return result;
}

int TNxCustomColumn::TextWidthOf(TCanvas& canvas, const WideString& text) const {
    return std::max(8, canvas.TextWidth(text) + 6);
}

WideString TNxCustomColumn::DisplayText(const TCellValues& values) const {
    return values.Text;
}

bool TNxCustomColumn::AcceptsChar(char16_t c) const {
    return c > 32;
}

// ---- TNxColumns ---------------------------------------------------------------------------

TNxColumns::TNxColumns(TNxColumnsHost* host) : m_host(host) {}

TNxColumns::~TNxColumns() {
    m_host = nullptr;
    Clear();
}

TNxCustomColumn* TNxColumns::Item(int index) const {
    CheckListIndex(index, Count());
    return m_items[size_t(index)];
}

TNxCustomColumn* TNxColumns::PositionItem(int position) const {
    CheckListIndex(position, int(m_positions.size()));
    return m_positions[size_t(position)];
}

int TNxColumns::IndexOf(const TNxCustomColumn* column) const {
    auto it = std::find(m_items.begin(), m_items.end(), column);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

int TNxColumns::BodyLeft() const {
    return m_host && m_host->IndicatorShown() ? 12 : 0;
}

void TNxColumns::Add(TNxCustomColumn* column) {
    if (!column || column->m_columns == this) return;
    if (column->m_columns) column->m_columns->Remove(column);
    if (!column->Owner() && DefaultOwner) DefaultOwner->InsertComponent(column);
    column->m_columns = this;
    m_items.push_back(column);
    m_positions.push_back(column);
    if (m_host) column->GridFontChanged(m_host->GridFont());
    Layout();
    ApplyAutoSize(column, true);
    if (m_host) m_host->ColumnsChanged(dkColumnChanged, -1);
}

void TNxColumns::Insert(int index, TNxCustomColumn* column) {
    if (!column || column->m_columns == this) return;
    if (column->m_columns) column->m_columns->Remove(column);
    if (!column->Owner() && DefaultOwner) DefaultOwner->InsertComponent(column);
    index = std::clamp(index, 0, Count());
    column->m_columns = this;
    m_items.insert(m_items.begin() + index, column);
    m_positions.push_back(column);
    if (m_host) column->GridFontChanged(m_host->GridFont());
    Layout();
    ApplyAutoSize(column, true);
    if (m_host) m_host->ColumnsChanged(dkColumnInserted, index);
}

void TNxColumns::ColumnLoaded(TNxCustomColumn* column) {
    if (IndexOf(column) < 0) return;
    if (!column->Name().empty())
        for (TNxCustomColumn* existing : m_items)
            if (existing != column && SameText(existing->Name(), column->Name())) {
                Remove(column);
                existing->TakeStoredValues(*column);
                if (m_host) m_host->ColumnsChanged(dkColumnChanged, IndexOf(existing));
                return;
            }
    const int stored = column->m_position;
    if (stored < 0) {
        Layout();
    } else {
        m_positions.erase(std::find(m_positions.begin(), m_positions.end(), column));
        auto before = std::find_if(m_positions.begin(), m_positions.end(),
                                   [&](TNxCustomColumn* c) { return c->m_position > stored; });
        m_positions.insert(before, column);
        Layout();
    }
    ApplyAutoSize(nullptr, false);
    if (m_host) m_host->ColumnChanged(nullptr, ccLayout, 0);
}

void TNxColumns::Remove(TNxCustomColumn* column) {
    const int index = IndexOf(column);
    if (index < 0) return;
    m_items.erase(m_items.begin() + index);
    m_positions.erase(std::find(m_positions.begin(), m_positions.end(), column));
    column->m_columns = nullptr;
    column->m_visibleIndex = -1;
    if (m_clearing) return;
    Layout();
    ApplyAutoSize(nullptr, false);
    if (m_host) m_host->ColumnsChanged(dkColumnDeleted, index);
}

void TNxColumns::Clear() {
    m_clearing = true;
    std::vector<TNxCustomColumn*> items = m_items;
    for (TNxCustomColumn* column : items) {
        Remove(column);
        delete column;
    }
    m_clearing = false;
    m_totalWidth = 0;
    m_fixedWidth = 0;
    if (m_host && !items.empty()) m_host->ColumnsChanged(dkColumnDeleted, -1);
}

void TNxColumns::SetFixedCols(int value) {
    m_fixedCols = std::max(0, value);
    Layout();
}

void TNxColumns::Layout() {
    m_fixedWidth = 0;
    for (size_t i = 0; i < m_positions.size() && int(i) < m_fixedCols; ++i)
        if (m_positions[i]->Visible()) m_fixedWidth += m_positions[i]->Width();
    int x = BodyLeft();
    int visibleIndex = 0;
    m_totalWidth = 0;
    for (size_t i = 0; i < m_positions.size(); ++i) {
        TNxCustomColumn* column = m_positions[i];
        // A column still being read keeps its stored Position until it is placed by it.
        if (!column->Loading()) column->m_position = int(i);
        if (column->Visible()) {
            column->SetLayout(x, visibleIndex++);
            x += column->Width();
            m_totalWidth += column->Width();
        } else {
            column->SetLayout(x, -1);
        }
    }
}

void TNxColumns::ApplyAutoSize(TNxCustomColumn* column, bool optionsChanged) {
    if (!m_host) return;
    if (column && column->Loading()) return;
    size_t start = 0;
    int b = 0;
    if (column) {
        auto it = std::find(m_positions.begin(), m_positions.end(), column);
        if (it == m_positions.end()) return;
        start = size_t(it - m_positions.begin());
        if (optionsChanged) {
            b = column->Left();
        } else {
            b = column->Visible() ? column->Left() + column->Width() : column->Left();
            ++start;
        }
        if (m_host->IndicatorShown()) b -= 12;
    }
    int available = m_host->ColumnsClientWidth();
    if (m_host->IndicatorShown()) available -= 12;
    int autoTotal = 0;
    int otherTotal = 0;
    for (size_t i = start; i < m_positions.size(); ++i) {
        TNxCustomColumn* c = m_positions[i];
        if (!c->Visible()) continue;
        (c->Options().Contains(coAutoSize) ? autoTotal : otherTotal) += c->Width();
    }
    if (autoTotal <= 0) return;
    const double free = double(available - b - otherTotal);
    bool changed = false;
    for (size_t i = start; i < m_positions.size(); ++i) {
        TNxCustomColumn* c = m_positions[i];
        if (!c->Visible() || !c->Options().Contains(coAutoSize)) continue;
        const int width =
            std::max(c->MinWidth(), int(Round(c->Width() / double(autoTotal) * free)));
        if (width != c->m_width) {
            c->m_width = width;
            changed = true;
        }
    }
    if (changed) {
        Layout();
        m_host->ColumnChanged(nullptr, ccWidth, 0);
    }
}

TNxCustomColumn* TNxColumns::LastVisible() const {
    for (auto it = m_positions.rbegin(); it != m_positions.rend(); ++it)
        if ((*it)->Visible()) return *it;
    return nullptr;
}

void TNxColumns::MoveToPosition(TNxCustomColumn* column, int position) {
    auto it = std::find(m_positions.begin(), m_positions.end(), column);
    if (it == m_positions.end()) return;
    const int old = int(it - m_positions.begin());
    position = std::clamp(position, 0, int(m_positions.size()) - 1);
    if (position == old) return;
    m_positions.erase(it);
    m_positions.insert(m_positions.begin() + position, column);
    Layout();
    if (m_host) m_host->ColumnChanged(column, ccPosition, old);
}

void TNxColumns::ClearSortedExcept(TNxCustomColumn* column) {
    for (TNxCustomColumn* c : m_items)
        if (c != column && c->Sorted()) c->SetSorted(false);
}

void TNxColumns::ClearSearchExcept(TNxCustomColumn* column) {
    for (TNxCustomColumn* c : m_items)
        if (c != column && c->m_options.Contains(coSearchColumn))
            c->m_options.Exclude(coSearchColumn);
}
