#pragma once
// The text model of the password box: the secret itself, the caret, the selection (a start
// and a signed length), the first visible character and the rules that move and change
// them. The box draws one symbol cell per character, so every position is a whole number
// of cells; nothing here knows about windows or painting.
#include "gfx/Types.h"
#include "rtl/Strings.h"
#include "ui/Controls.h"
#include "ui/StdCtrls.h"

// Where the symbols go: the text rectangle, the width of one cell and how the cells are
// placed while they all fit.
struct TspPasswordGeometry {
    TRect textRect;
    int symbolWidth = 1;
    TAlignment alignment = taLeftJustify;
};

class TspPasswordText {
public:
    const AnsiString& Text() const { return m_text; }
    int Length() const { return int(m_text.size()); }
    // Converts by CharCase and stores; true when the stored text changed. The caret and the
    // selection are kept inside the new text.
    bool SetText(const AnsiString& value);
    TEditCharCase CharCase() const { return m_charCase; }
    // Stores the case; the caller converts the current text through SetText.
    void SetCharCase(TEditCharCase value) { m_charCase = value; }
    AnsiString Converted(const AnsiString& value) const;

    int Caret() const { return m_caret; }
    int SelStart() const { return m_selStart; }
    int SelLength() const { return m_selLength; }
    // Start of the selection in reading order, and how many characters it holds.
    int NormalizedSelStart() const;
    int SelCount() const { return m_selLength < 0 ? -m_selLength : m_selLength; }
    AnsiString SelectedText() const;
    // The selection's other end, the one the caret does not sit on.
    int Anchor() const;

    void ClearSelection() { m_selLength = 0; }
    void SelectAll();
    // Places the caret; with extend the selection grows from its other end to the new caret.
    void MoveCaret(int index, bool extend);
    void SetSelection(int start, int length);
    // Double click: from the start of the word at the caret to the start of the next word.
    void SelectWordAtCaret();

    // Word moves: the index Ctrl+Left and Ctrl+Right go to.
    int WordLeft() const;
    int WordRight() const;

    // Editing. Each returns the text it would leave and moves caret and selection as the
    // edit requires; the caller stores the text through its own setter (change events) and
    // calls Commit when it did.
    struct Edit {
        bool changed = false;
        AnsiString text;
        int caret = 0;
    };
    // Deletes the selection, or the character after (forward) or before the caret.
    Edit Delete(bool forward) const;
    // Replaces the selection with `insert`; refused (changed false) when maxLength > 0 and
    // the result would be longer.
    Edit Insert(const AnsiString& insert, int maxLength) const;
    // Puts the caret of an edit in place after its text was stored; the selection is cleared.
    void Commit(const Edit& edit);

    // --- geometry ---
    int FirstVisible() const { return m_firstVisible; } // 1-based
    void SetFirstVisible(int value);
    // Free space added to the left edge while all cells fit.
    int Offset(const TspPasswordGeometry& g) const;
    int CaretX(const TspPasswordGeometry& g, int index) const;
    // The index under a mouse x (integer cell division, limited to the text).
    int IndexAt(const TspPasswordGeometry& g, int x) const;
    // Scrolls so that the caret's cell lies inside the text rectangle.
    void KeepCaretVisible(const TspPasswordGeometry& g);
    // From the caret x of the selection's start to that of its end, clipped to the text
    // rectangle; empty when nothing is selected.
    TRect SelectionRect(const TspPasswordGeometry& g) const;
    // Cell k (0-based from the first visible character).
    TRect Cell(const TspPasswordGeometry& g, int k) const;

private:
    void Clamp();

    AnsiString m_text;
    TEditCharCase m_charCase = ecNormal;
    int m_caret = 0;
    int m_selStart = 0;
    int m_selLength = 0;
    int m_firstVisible = 1;
};
