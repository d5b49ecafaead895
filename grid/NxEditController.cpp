#include "grid/NxEditController.h"

#include "grid/NxColumnClasses.h"
#include "grid/NxCustomGrid.h"
#include "grid/NxEditors.h"

TNxEditController::TNxEditController(TNxCustomGrid& grid) : m_grid(grid) {}

TNxEditController::~TNxEditController() = default;

void TNxEditController::Release() {
    End();
    m_editor = nullptr;
    m_ownEditor.reset();
}

void TNxEditController::Begin(int column, int row, const WideString& initialText) {
    TNxCustomGrid& g = m_grid;
    if (IsEdited(column, row)) return;
    if (!g.Columns()->ValidIndex(column) || row < 0 || row >= g.RowCount() || g.ReadOnly()) return;
    TNxCustomColumn* c = g.Columns()->Item(column);
    if (!c->Options().Contains(coEditing)) return;
    if (!c->HasOwnEditor() && !c->InplaceEdit()) return;
    bool accept = true;
    if (g.OnBeforeEdit) g.OnBeforeEdit(&g, column, row, accept);
    if (!accept) return;
    End();
    g.HideGridHint();
    TNxInplaceEdit* editor = c->InplaceEdit();
    if (!editor) {
        // The grid's own editor, remade when the column kind needs the other one.
        const bool spin = c->ValueKind() == vkFloat;
        if (!m_ownEditor || (dynamic_cast<TNxSpinEdit*>(m_ownEditor.get()) != nullptr) != spin)
            m_ownEditor.reset(spin ? new TNxSpinEdit(nullptr) : new TNxInplaceEdit(nullptr));
        editor = m_ownEditor.get();
    }
    m_editor = editor;
    if (auto* spin = dynamic_cast<TNxSpinEdit*>(editor)) {
        if (auto* number = dynamic_cast<TNxNumberColumn*>(c)) {
            spin->Increment = number->Increment();
            spin->Min = number->Min();
            spin->Max = number->Max();
            spin->Precision = number->Precision();
        }
    }
    if (auto* text = dynamic_cast<TNxTextColumn*>(c)) editor->SetMaxLength(text->MaxLength());
    editor->AcceptChar = [c](char16_t ch) { return c->AcceptsChar(ch); };
    editor->OnFinish = [this](TNxInplaceEdit*, bool accepted) { Finish(accepted); };
    m_column = column;
    m_row = row;
    const TRect r = g.CellBounds(column, row);
    const int marginLeft = g.LineMarginLeft();
    editor->SetParent(&g);
    editor->SetBounds(r.Left + marginLeft, r.Top, r.Width() - marginLeft - g.LineMarginRight(),
                      r.Height());
    editor->SetColor(g.PaintedBackground(column, row));
    editor->SetFont(c->Font());
    editor->SetEditText(initialText);
    if (c->Options().Contains(coEditorAutoSelect))
        editor->SelectAll();
    else
        editor->CaretToEnd();
    editor->Show();
    if (g.Focused() || g.CanFocus()) editor->SetFocus();
}

void TNxEditController::Finish(bool accept) {
    if (!Editing()) return;
    TNxCustomGrid& g = m_grid;
    if (accept && m_editor && m_row < g.RowCount() && g.Columns()->ValidIndex(m_column)) {
        // A text the cell cannot take raises the conversion error; the edit stays open.
        g.SetCellText(m_column, m_row, m_editor->EditText());
    }
    End();
    if (g.CanFocus()) g.SetFocus();
}

void TNxEditController::End() {
    if (m_column < 0) return;
    const int column = m_column;
    const int row = m_row;
    m_column = -1;
    m_row = -1;
    if (m_editor) m_editor->Hide();
    m_grid.RedrawCell(column, row);
}
