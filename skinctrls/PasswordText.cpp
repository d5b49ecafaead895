#include "skinctrls/PasswordText.h"

#include <algorithm>

AnsiString TspPasswordText::Converted(const AnsiString& value) const {
    if (value.empty()) return value;
    if (m_charCase == ecUpperCase) return AnsiUpperCase(value);
    if (m_charCase == ecLowerCase) return AnsiLowerCase(value);
    return value;
}

bool TspPasswordText::SetText(const AnsiString& value) {
    AnsiString converted = Converted(value);
    if (converted == m_text) return false;
    m_text = std::move(converted);
    // A shorter text set by the program must not leave the caret or the selection beyond
    // its end.
    Clamp();
    return true;
}

void TspPasswordText::Clamp() {
    int n = Length();
    m_caret = std::clamp(m_caret, 0, n);
    int a = std::clamp(m_selStart, 0, n);
    int b = std::clamp(m_selStart + m_selLength, 0, n);
    m_selStart = a;
    m_selLength = b - a;
    m_firstVisible = std::clamp(m_firstVisible, 1, std::max(1, n));
}

int TspPasswordText::NormalizedSelStart() const {
    if (m_selLength > 0) return m_selStart;
    if (m_selLength < 0) return m_selStart + m_selLength;
    return m_caret;
}

AnsiString TspPasswordText::SelectedText() const {
    return m_text.substr(size_t(NormalizedSelStart()), size_t(SelCount()));
}

int TspPasswordText::Anchor() const {
    if (m_selLength == 0) return m_caret;
    // The caret sits on one end of the selection; the other end stays put while it moves.
    return m_caret == m_selStart ? m_selStart + m_selLength : m_selStart;
}

void TspPasswordText::SelectAll() {
    m_caret = Length();
    m_selStart = 0;
    m_selLength = Length();
}

void TspPasswordText::MoveCaret(int index, bool extend) {
    index = std::clamp(index, 0, Length());
    if (extend) {
        int anchor = Anchor();
        m_selStart = index;
        m_selLength = anchor - index;
    } else {
        m_selLength = 0;
    }
    m_caret = index;
}

void TspPasswordText::SetSelection(int start, int length) {
    int n = Length();
    start = std::clamp(start, 0, n);
    int end = std::clamp(start + length, 0, n);
    m_selStart = start;
    m_selLength = end - start;
}

void TspPasswordText::SelectWordAtCaret() {
    int n = Length();
    int start = std::min(m_caret, n);
    while (start > 0 && m_text[size_t(start - 1)] != ' ') --start;
    int end = std::min(m_caret, n);
    while (end < n && m_text[size_t(end)] != ' ') ++end;
    while (end < n && m_text[size_t(end)] == ' ') ++end;
    m_selStart = start;
    m_selLength = end - start;
    m_caret = end;
}

int TspPasswordText::WordLeft() const {
    int i = std::min(m_caret, Length());
    while (i > 0 && m_text[size_t(i - 1)] == ' ') --i;
    while (i > 0 && m_text[size_t(i - 1)] != ' ') --i;
    return i;
}

int TspPasswordText::WordRight() const {
    // Scanning from the caret: the next word starts at the first non-space that follows a
    // run of spaces which itself follows a non-space met on the way; without one the caret
    // goes to the end.
    int n = Length();
    bool word = false, gap = false;
    for (int j = std::min(m_caret, n); j < n; ++j) {
        bool space = m_text[size_t(j)] == ' ';
        if (!space && gap) return j;
        if (!space) word = true;
        if (space && word) gap = true;
    }
    return n;
}

TspPasswordText::Edit TspPasswordText::Delete(bool forward) const {
    Edit e;
    e.text = m_text;
    e.caret = m_caret;
    if (SelCount() > 0) {
        int start = NormalizedSelStart();
        e.text.erase(size_t(start), size_t(SelCount()));
        e.caret = start;
        e.changed = true;
    } else if (forward) {
        if (m_caret < Length()) {
            e.text.erase(size_t(m_caret), 1);
            e.changed = true;
        }
    } else if (m_caret > 0) {
        e.text.erase(size_t(m_caret - 1), 1);
        e.caret = m_caret - 1;
        e.changed = true;
    }
    return e;
}

TspPasswordText::Edit TspPasswordText::Insert(const AnsiString& insert, int maxLength) const {
    Edit e;
    e.caret = m_caret;
    int start = NormalizedSelStart();
    AnsiString result = m_text;
    result.replace(size_t(start), size_t(SelCount()), insert);
    if (maxLength > 0 && int(result.size()) > maxLength) return e;
    e.text = std::move(result);
    e.caret = start + int(insert.size());
    e.changed = true;
    return e;
}

void TspPasswordText::Commit(const Edit& edit) {
    m_caret = std::clamp(edit.caret, 0, Length());
    m_selStart = m_caret;
    m_selLength = 0;
}

void TspPasswordText::SetFirstVisible(int value) {
    m_firstVisible = std::clamp(value, 1, std::max(1, Length()));
}

int TspPasswordText::Offset(const TspPasswordGeometry& g) const {
    long long used = (long long)Length() * g.symbolWidth;
    int width = g.textRect.Width();
    if (used >= width) return 0;
    int free = width - int(used);
    if (g.alignment == taRightJustify) return free;
    if (g.alignment == taCenter) return free / 2;
    return 0;
}

int TspPasswordText::CaretX(const TspPasswordGeometry& g, int index) const {
    int x = g.textRect.Left + Offset(g);
    index = std::min(index, Length());
    if (index > 0) x += (index - m_firstVisible + 1) * g.symbolWidth;
    return x;
}

int TspPasswordText::IndexAt(const TspPasswordGeometry& g, int x) const {
    int w = std::max(1, g.symbolWidth);
    long long i = (long long)m_firstVisible - 1 + (x - g.textRect.Left - Offset(g)) / w;
    return int(std::clamp<long long>(i, 0, Length()));
}

void TspPasswordText::KeepCaretVisible(const TspPasswordGeometry& g) {
    int w = std::max(1, g.symbolWidth);
    if (m_firstVisible < m_caret + 1) {
        // Step forward while the caret's cell ends beyond the right edge (in one go: the
        // text may be a megabyte long).
        int fits = std::max(0, g.textRect.Width()) / w;
        int wanted = m_caret + 1 - fits;
        if (wanted > m_firstVisible) m_firstVisible = std::min(wanted, std::max(Length(), 1));
    } else {
        m_firstVisible = std::max(m_caret, 1);
    }
}

TRect TspPasswordText::SelectionRect(const TspPasswordGeometry& g) const {
    if (SelCount() == 0) return {};
    int start = NormalizedSelStart();
    TRect r{CaretX(g, start), g.textRect.Top, CaretX(g, start + SelCount()), g.textRect.Bottom};
    r.Left = std::max(r.Left, g.textRect.Left);
    r.Right = std::min(r.Right, g.textRect.Right);
    if (r.Right <= r.Left) return {};
    return r;
}

TRect TspPasswordText::Cell(const TspPasswordGeometry& g, int k) const {
    int x = g.textRect.Left + Offset(g) + k * g.symbolWidth;
    return {x, g.textRect.Top, x + g.symbolWidth, g.textRect.Bottom};
}
