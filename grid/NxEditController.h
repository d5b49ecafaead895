#pragma once
// In-place editing of one cell at a time: decides whether a cell may be edited, shows the
// editor over it (the column's own InplaceEdit, or the grid's own editor of the kind the
// column needs), and writes the text back into the cell when the edit is accepted.
#include "rtl/Strings.h"

#include <memory>

class TNxCustomGrid;
class TNxInplaceEdit;

class TNxEditController {
public:
    explicit TNxEditController(TNxCustomGrid& grid);
    ~TNxEditController();
    TNxEditController(const TNxEditController&) = delete;
    TNxEditController& operator=(const TNxEditController&) = delete;

    // Starts an edit of (column, row) with `initialText` unless the cell is being edited
    // already, the column does not allow it, the grid is read-only, no editor is at hand, the
    // cell is outside the grid, or OnBeforeEdit refuses.
    void Begin(int column, int row, const WideString& initialText);
    // Hides the editor without writing its text back.
    void End();
    // Frees the grid's own editor (before the grid's window goes).
    void Release();

    bool Editing() const { return m_column >= 0; }
    int Column() const { return m_column; }
    int Row() const { return m_row; }
    // The editor in use, or the one used last; null before the first edit.
    TNxInplaceEdit* Editor() const { return m_editor; }
    bool IsEdited(int column, int row) const { return column == m_column && row == m_row; }

private:
    // Enter (accept) or Escape: writes the text back when accepted, then ends the edit.
    void Finish(bool accept);

    TNxCustomGrid& m_grid;
    int m_column = -1;
    int m_row = -1;
    TNxInplaceEdit* m_editor = nullptr; // the grid's own or a column's
    std::unique_ptr<TNxInplaceEdit> m_ownEditor;
};
