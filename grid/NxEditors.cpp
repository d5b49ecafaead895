#include "grid/NxEditors.h"

#include "gfx/DrawText.h"
#include "rtl/NumberText.h"

#include <algorithm>
#include <cmath>

TNxInplaceEdit::TNxInplaceEdit(TComponent* owner) : TCustomControl(owner) {
    m_tabStop = true;
    m_visible = false;
    m_color = clWindow;
    m_parentColor = false;
    m_parentFont = false;
}

void TNxInplaceEdit::SetEditText(const WideString& text) {
    m_text = m_maxLength > 0 && int(text.size()) > m_maxLength ? text.substr(0, size_t(m_maxLength))
                                                               : text;
    m_caret = int(m_text.size());
    m_selectAll = false;
    Invalidate();
}

void TNxInplaceEdit::SelectAll() {
    m_selectAll = true;
    m_caret = int(m_text.size());
    Invalidate();
}

void TNxInplaceEdit::CaretToEnd() {
    m_selectAll = false;
    m_caret = int(m_text.size());
    Invalidate();
}

void TNxInplaceEdit::InsertChar(char16_t c) {
    if (AcceptChar && !AcceptChar(c)) return;
    if (m_selectAll) {
        m_text.clear();
        m_caret = 0;
        m_selectAll = false;
    }
    if (m_maxLength > 0 && int(m_text.size()) >= m_maxLength) return;
    m_text.insert(m_text.begin() + m_caret, c);
    ++m_caret;
    Invalidate();
}

void TNxInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    switch (key) {
    case VK_LEFT:
        m_caret = std::max(0, m_caret - 1);
        break;
    case VK_RIGHT:
        m_caret = std::min(int(m_text.size()), m_caret + 1);
        break;
    case VK_HOME:
        m_caret = 0;
        break;
    case VK_END:
        m_caret = int(m_text.size());
        break;
    case VK_BACK:
        if (m_selectAll) {
            m_text.clear();
            m_caret = 0;
        } else if (m_caret > 0) {
            m_text.erase(size_t(m_caret - 1), 1);
            --m_caret;
        }
        break;
    case VK_DELETE:
        if (m_selectAll) {
            m_text.clear();
            m_caret = 0;
        } else if (m_caret < int(m_text.size())) {
            m_text.erase(size_t(m_caret), 1);
        }
        break;
    case VK_RETURN:
        key = 0;
        if (OnFinish) OnFinish(this, true);
        return;
    case VK_ESCAPE:
        key = 0;
        if (OnFinish) OnFinish(this, false);
        return;
    default:
        return;
    }
    m_selectAll = false;
    key = 0;
    Invalidate();
}

void TNxInplaceEdit::WMChar(TWMChar& m) {
    // Characters arrive as code page bytes.
    const char16_t c = AnsiCharToWide(static_cast<unsigned char>(m.CharCode));
    if (c >= 32) InsertChar(c);
}

void TNxInplaceEdit::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}

void TNxInplaceEdit::Paint() {
    TCanvas& c = *Canvas();
    const TRect r = ClientRect();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    c.SetFont(*Font());
    const int textWidth = c.TextWidth(m_text);
    const int height = c.TextHeight(u"Wg");
    const int y = (r.Height() - height) / 2;
    if (m_selectAll && !m_text.empty()) {
        c.Brush()->SetColor(clHighlight);
        c.FillRect({2, y, 2 + textWidth, y + height});
        c.Font()->SetColor(clHighlightText);
    }
    c.Brush()->SetStyle(bsClear);
    c.TextOut(2, y, m_text);
    // The caret: a one-pixel bar after the character before it.
    const int caretX = 2 + c.TextWidth(m_text.substr(0, size_t(m_caret)));
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(clWindowText);
    c.FillRect({caretX, y, caretX + 1, y + height});
}

void TNxSpinEdit::Step(int count) {
    double value = 0;
    TryStrToFloat(std::u16string_view(m_text), value);
    value += count * Increment;
    if (Min != Max) value = std::clamp(value, Min, Max);
    SetEditText(FloatToWideStr(value));
}

void TNxSpinEdit::KeyDown(WORD& key, TShiftState shift) {
    if (key == VK_UP || key == VK_DOWN) {
        Step(key == VK_UP ? 1 : -1);
        key = 0;
        return;
    }
    TNxInplaceEdit::KeyDown(key, shift);
}
