// TCustomEdit: the single-line edit window.
#include "ui/Edit.h"

#include <algorithm>
#include <cctype>

#include "gfx/DrawText.h"
#include "ui/Forms.h"
#include "ui/StdCtrls.h"

namespace {
bool IsWordChar(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u >= 0xC0 || c == '_';
}
} // namespace

TCustomEdit::TCustomEdit(TComponent* owner) : TCustomControl(owner) {
    m_width = 121;
    m_height = 21;
    m_color = clWindow;
    m_tabStop = true;
    m_cursor = crIBeam;
    m_exStyle |= WS_EX_CLIENTEDGE;
    m_controlStyle |= csDoubleClicks;
    m_controlStyle &= ~csClickEvents;
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::SetMaxLength(int value) {
    m_maxLength = std::max(0, value);
}

void TCustomEdit::SetReadOnly(bool value) {
    if (value == m_readOnly) return;
    m_readOnly = value;
    Invalidate();
}

void TCustomEdit::SetPasswordChar(char value) {
    if (value == m_passwordChar) return;
    m_passwordChar = value;
    Invalidate();
    UpdateCaret();
}

void TCustomEdit::SetHideSelection(bool value) {
    if (value == m_hideSelection) return;
    m_hideSelection = value;
    Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    m_charCase = value;
    if (value == ecUpperCase)
        SetValue(AnsiUpperCase(m_value), false);
    else if (value == ecLowerCase)
        SetValue(AnsiLowerCase(m_value), false);
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    DWORD ex = m_exStyle;
    if (value == bsNone)
        ex &= ~WS_EX_CLIENTEDGE;
    else
        ex |= WS_EX_CLIENTEDGE;
    SetExStyle(ex);
}

void TCustomEdit::SetAlignment(TAlignment value) {
    if (value == m_textAlignment) return;
    m_textAlignment = value;
    m_scrollX = 0;
    Invalidate();
    UpdateCaret();
}

int TCustomEdit::SelStart() const {
    return std::min(m_anchor, m_caret);
}
int TCustomEdit::SelLength() const {
    return std::abs(m_caret - m_anchor);
}

void TCustomEdit::SetSelStart(int value) {
    int n = int(m_value.size());
    value = std::clamp(value, 0, n);
    m_anchor = m_caret = value;
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::SetSelLength(int value) {
    int n = int(m_value.size());
    int start = SelStart();
    m_anchor = start;
    m_caret = std::clamp(start + value, 0, n);
    ScrollToCaret();
    Invalidate();
}

AnsiString TCustomEdit::SelText() const {
    return m_value.substr(size_t(SelStart()), size_t(SelLength()));
}

void TCustomEdit::SetSelText(const AnsiString& text) {
    ReplaceSelection(text, false);
}

void TCustomEdit::SelectAll() {
    m_anchor = 0;
    m_caret = int(m_value.size());
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::ClearSelection() {
    if (!m_readOnly && SelLength() > 0) ReplaceSelection("", true);
}

void TCustomEdit::CopyToClipboard() {
    // A password never leaves the field.
    if (SelLength() > 0 && !m_passwordChar) Clipboard()->SetAsText(SelText());
}

void TCustomEdit::CutToClipboard() {
    if (m_readOnly || m_passwordChar || SelLength() == 0) return;
    CopyToClipboard();
    ReplaceSelection("", true);
}

void TCustomEdit::PasteFromClipboard() {
    if (m_readOnly) return;
    AnsiString text = Clipboard()->AsText();
    // One line only: the paste stops at the first line break.
    size_t br = text.find_first_of("\r\n");
    if (br != AnsiString::npos) text.resize(br);
    ReplaceSelection(text, true);
}

void TCustomEdit::Undo() {
    if (!m_canUndo || m_readOnly) return;
    m_typingEnd = -1;
    AnsiString text = m_undoText;
    int anchor = m_undoAnchor, caret = m_undoCaret;
    m_undoText = m_value;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
    m_value = text;
    m_anchor = std::min(anchor, int(m_value.size()));
    m_caret = std::min(caret, int(m_value.size()));
    m_modified = true;
    ScrollToCaret();
    Invalidate();
    Change();
}

// Replaces the selection; typing, deleting and pasting come here and can be undone.
void TCustomEdit::ReplaceSelection(const AnsiString& insert, bool byUser) {
    AnsiString text = insert;
    if (m_charCase == ecUpperCase)
        text = AnsiUpperCase(text);
    else if (m_charCase == ecLowerCase)
        text = AnsiLowerCase(text);
    int start = SelStart(), len = SelLength();
    if (m_maxLength > 0) {
        int room = m_maxLength - (int(m_value.size()) - len);
        if (room < int(text.size())) text.resize(size_t(std::max(0, room)));
    }
    if (len == 0 && text.empty()) return;
    m_typingEnd = -1;
    m_undoText = m_value;
    m_undoAnchor = m_anchor;
    m_undoCaret = m_caret;
    m_canUndo = true;
    m_value.replace(size_t(start), size_t(len), text);
    m_anchor = m_caret = start + int(text.size());
    if (byUser) m_modified = true;
    ScrollToCaret();
    Invalidate();
    Change();
}

void TCustomEdit::SetValue(const AnsiString& text, bool byUser) {
    AnsiString t = text;
    if (m_charCase == ecUpperCase)
        t = AnsiUpperCase(t);
    else if (m_charCase == ecLowerCase)
        t = AnsiLowerCase(t);
    if (t == m_value) return;
    m_value = t;
    m_anchor = m_caret = 0;
    m_scrollX = 0;
    m_canUndo = false;
    if (byUser) m_modified = true;
    ScrollToCaret();
    Invalidate();
    Change();
}

void TCustomEdit::Change() {
    Perform(CM_CHANGED);
    if (OnChange) OnChange(this);
}

AnsiString TCustomEdit::DisplayText() const {
    if (m_passwordChar) return AnsiString(m_value.size(), m_passwordChar);
    return m_value;
}

int TCustomEdit::TextHeight() const {
    TCanvas c;
    c.SetFont(m_font);
    return c.TextHeight("Wg");
}

int TCustomEdit::TextTop() const {
    int free = ClientHeight() - TextHeight();
    return free >= 2 ? 1 : 0;
}

int TCustomEdit::CharX(int index) const {
    TCanvas c;
    c.SetFont(m_font);
    AnsiString shown = DisplayText();
    index = std::clamp(index, 0, int(shown.size()));
    int base = m_leftMargin;
    if (m_textAlignment != taLeftJustify) {
        int width = c.TextWidth(shown);
        int room = ClientWidth() - m_leftMargin - m_rightMargin;
        if (width < room)
            base += m_textAlignment == taRightJustify ? room - width : (room - width) / 2;
    }
    return base - m_scrollX + c.TextWidth(shown.substr(0, size_t(index)));
}

int TCustomEdit::CharIndexAt(int x) const {
    int n = int(m_value.size());
    int best = 0, bestDist = 1 << 30;
    for (int i = 0; i <= n; ++i) {
        int d = std::abs(CharX(i) - x);
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

void TCustomEdit::ScrollToCaret() {
    int left = m_leftMargin, right = ClientWidth() - m_rightMargin;
    if (right <= left) {
        UpdateCaret();
        return;
    }
    int x = CharX(m_caret);
    if (x < left)
        m_scrollX -= left - x + (right - left) / 4;
    else if (x > right - 1)
        m_scrollX += x - (right - 1) + (right - left) / 4;
    m_scrollX = std::max(0, m_scrollX);
    // Never scroll past the end of the text.
    int full = CharX(int(m_value.size())) + m_scrollX - m_leftMargin;
    m_scrollX = std::min(m_scrollX, std::max(0, full - (right - left) + 1));
    if (CharX(m_caret) < left) m_scrollX = std::max(0, m_scrollX - (left - CharX(m_caret)));
    UpdateCaret();
}

void TCustomEdit::UpdateCaret() {
    if (!m_hasCaret) return;
    SetCaretPos(CharX(m_caret), TextTop());
}

void TCustomEdit::MoveCaret(int index, bool extend) {
    m_caret = std::clamp(index, 0, int(m_value.size()));
    if (!extend) m_anchor = m_caret;
    m_typingEnd = -1; // typing somewhere else starts a new change
    ScrollToCaret();
    Invalidate();
}

int TCustomEdit::WordLeft(int from) const {
    int i = from;
    while (i > 0 && !IsWordChar(m_value[size_t(i - 1)])) --i;
    while (i > 0 && IsWordChar(m_value[size_t(i - 1)])) --i;
    return i;
}

int TCustomEdit::WordRight(int from) const {
    int n = int(m_value.size());
    int i = from;
    while (i < n && IsWordChar(m_value[size_t(i)])) ++i;
    while (i < n && !IsWordChar(m_value[size_t(i)])) ++i;
    return i;
}

void TCustomEdit::KeyDown(WORD& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    if (key == 0) return;
    bool ext = (shift & ssShift) != 0, ctrl = (shift & ssCtrl) != 0;
    switch (key) {
    case VK_LEFT:
        if (!ext && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart(), false);
        else
            MoveCaret(ctrl ? WordLeft(m_caret) : m_caret - 1, ext);
        break;
    case VK_RIGHT:
        if (!ext && SelLength() > 0 && !ctrl)
            MoveCaret(SelStart() + SelLength(), false);
        else
            MoveCaret(ctrl ? WordRight(m_caret) : m_caret + 1, ext);
        break;
    case VK_HOME:
        MoveCaret(0, ext);
        break;
    case VK_END:
        MoveCaret(int(m_value.size()), ext);
        break;
    case VK_DELETE:
        if (m_readOnly) break;
        if (ext) {
            CutToClipboard();
        } else if (SelLength() > 0) {
            ReplaceSelection("", true);
        } else if (m_caret < int(m_value.size())) {
            m_anchor = ctrl ? WordRight(m_caret) : m_caret + 1;
            ReplaceSelection("", true);
        }
        break;
    case VK_INSERT:
        if (ctrl)
            CopyToClipboard();
        else if (ext)
            PasteFromClipboard();
        break;
    default:
        return;
    }
}

void TCustomEdit::TypeChar(char ch) {
    unsigned char u = static_cast<unsigned char>(ch);
    switch (u) {
    case 1:
        SelectAll();
        return; // Ctrl+A
    case 3:
        CopyToClipboard();
        return; // Ctrl+C
    case 22:
        PasteFromClipboard();
        return; // Ctrl+V
    case 24:
        CutToClipboard();
        return; // Ctrl+X
    case 26:
        Undo();
        return; // Ctrl+Z
    case 8:     // Backspace
        if (m_readOnly) return;
        if (SelLength() == 0) {
            if (m_caret == 0) return;
            m_anchor = m_caret - 1;
        }
        ReplaceSelection("", true);
        return;
    default:
        break;
    }
    if (u < 32 || m_readOnly) return;
    // Characters typed one after another are undone together, as one change.
    bool goesOn = m_canUndo && m_typingEnd == m_caret && SelLength() == 0;
    AnsiString undoText = m_undoText;
    int undoAnchor = m_undoAnchor, undoCaret = m_undoCaret;
    ReplaceSelection(AnsiString(1, ch), true);
    if (goesOn) {
        m_undoText = undoText;
        m_undoAnchor = undoAnchor;
        m_undoCaret = undoCaret;
    }
    m_typingEnd = m_caret;
}

void TCustomEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        m_controlState |= csLButtonDown;
        if (!Focused() && CanFocus()) SetFocus();
        m_controlState &= ~csLButtonDown;
        if (!(shift & ssDouble)) {
            MoveCaret(CharIndexAt(x), (shift & ssShift) != 0);
            m_selecting = true;
            SetCapture(this);
        }
    }
    TCustomControl::MouseDown(button, shift, x, y);
}

void TCustomEdit::MouseMove(TShiftState shift, int x, int y) {
    if (m_selecting) MoveCaret(CharIndexAt(x), true);
    TCustomControl::MouseMove(shift, x, y);
}

void TCustomEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && m_selecting) {
        m_selecting = false;
        if (GetCapture() == this) ReleaseCapture();
    }
    TCustomControl::MouseUp(button, shift, x, y);
}

void TCustomEdit::DblClick() {
    // Select the word under the caret.
    int n = int(m_value.size());
    int i = std::min(m_caret, n);
    int start = i, end = i;
    while (start > 0 && IsWordChar(m_value[size_t(start - 1)])) --start;
    while (end < n && IsWordChar(m_value[size_t(end)])) ++end;
    while (end < n && m_value[size_t(end)] == ' ') ++end;
    m_anchor = start;
    m_caret = end;
    ScrollToCaret();
    Invalidate();
    TCustomControl::DblClick();
}

void TCustomEdit::DoEnter() {
    if (m_autoSelect && !(m_controlState & csLButtonDown)) SelectAll();
    TCustomControl::DoEnter();
}

void TCustomEdit::DoExit() {
    TCustomControl::DoExit();
}

void TCustomEdit::EraseBackground(TCanvas& canvas) {
    // Disabled and read-only fields show the face colour, as the platform's edit does.
    canvas.Brush()->SetColor(m_enabled && !m_readOnly ? m_color : clBtnFace);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.FillRect(ClientRect());
}

void TCustomEdit::Paint() {
    TCanvas& c = *Canvas();
    c.SetFont(m_font);
    TRect area = ClientRect();
    area.Left += m_leftMargin;
    area.Right -= m_rightMargin;
    if (area.IsEmpty()) return;
    c.IntersectClipRect(area);
    AnsiString shown = DisplayText();
    int top = TextTop();
    TColor color = m_enabled ? m_font.Color() : clGrayText;
    c.Brush()->SetStyle(bsClear);
    c.Font()->SetColor(color);
    c.TextOut(CharX(0), top, shown);
    bool showSel = SelLength() > 0 && (Focused() || !m_hideSelection);
    if (showSel) {
        int s = SelStart(), e = s + SelLength();
        TRect sel = Rect(CharX(s), top, CharX(e), top + TextHeight());
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clHighlight);
        c.FillRect(sel);
        c.Brush()->SetStyle(bsClear);
        c.Font()->SetColor(clHighlightText);
        c.TextOut(sel.Left, top, shown.substr(size_t(s), size_t(e - s)));
    }
    c.Brush()->SetStyle(bsSolid);
}

// --- message handlers ---

void TCustomEdit::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
}

void TCustomEdit::WMChar(TWMChar& m) {
    TCustomControl::WMChar(m); // OnKeyPress may change or eat the character
    if (m.Result == 0 && m.CharCode != 0) TypeChar(m.CharCode);
}

void TCustomEdit::WMSetText(TWMSetText& m) {
    const char* text = m.Text;
    SetValue(text ? text : "", false);
    m_text = m_value;
    m.Result = 1;
}

void TCustomEdit::WMGetTextLength(TWMNoParams& m) {
    m.Result = LRESULT(m_value.size());
}

void TCustomEdit::WMSetFocus(TWMFocus& m) {
    CreateCaret(this, 1, TextHeight());
    m_hasCaret = true;
    UpdateCaret();
    ShowCaret(this);
    Invalidate();
    TCustomControl::WMSetFocus(m);
}

void TCustomEdit::WMKillFocus(TWMFocus& m) {
    if (m_hasCaret) {
        m_hasCaret = false;
        DestroyCaret();
    }
    m_selecting = false;
    Invalidate();
    TCustomControl::WMKillFocus(m);
}

// A new size or font: the caret takes the new text height, the text scrolls to show it.
void TCustomEdit::MetricsChanged() {
    if (m_hasCaret) CreateCaret(this, 1, TextHeight()), ShowCaret(this);
    ScrollToCaret();
}

void TCustomEdit::WMSize(TWMSize& m) {
    TCustomControl::WMSize(m);
    MetricsChanged();
}

void TCustomEdit::CMFontChanged(TWMNoParams& m) {
    TCustomControl::CMFontChanged(m);
    MetricsChanged();
}

void TCustomEdit::CMEnabledChanged(TWMNoParams& m) {
    TCustomControl::CMEnabledChanged(m);
    Invalidate();
}

void TCustomEdit::WMUndo(TWMNoParams& m) {
    Undo();
    m.Result = 1;
}

void TCustomEdit::WMCut(TWMNoParams&) {
    CutToClipboard();
}

void TCustomEdit::WMCopy(TWMNoParams&) {
    CopyToClipboard();
}

void TCustomEdit::WMPaste(TWMNoParams&) {
    PasteFromClipboard();
}

void TCustomEdit::WMClear(TWMNoParams&) {
    ClearSelection();
}

void TCustomEdit::EMGetSel(TWMNoParams& m) {
    m.Result = MAKELPARAM(SelStart(), SelStart() + SelLength());
}

void TCustomEdit::EMSetSel(TEMSetSel& m) {
    int s = m.Start, e = m.End;
    int n = int(m_value.size());
    if (s < 0) {
        m_anchor = m_caret;
    } else {
        if (e < 0) e = n;
        m_anchor = std::clamp(s, 0, n);
        m_caret = std::clamp(e, 0, n);
    }
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::EMSetMargins(TEMSetMargins& m) {
    if (m.SetsLeft) m_leftMargin = m.Left;
    if (m.SetsRight) m_rightMargin = m.Right;
    ScrollToCaret();
    Invalidate();
}

void TCustomEdit::EMGetMargins(TWMNoParams& m) {
    m.Result = MAKELPARAM(m_leftMargin, m_rightMargin);
}

void TCustomEdit::EMLimitText(TEMLimitText& m) {
    SetMaxLength(m.Limit);
}

void TCustomEdit::EMSetReadOnly(TEMSetReadOnly& m) {
    m_readOnly = m.ReadOnly;
    m.Result = 1;
}

void TCustomEdit::EMSetPasswordChar(TEMSetPasswordChar& m) {
    SetPasswordChar(m.PasswordChar);
}

void TCustomEdit::EMCanUndo(TWMNoParams& m) {
    m.Result = m_canUndo ? 1 : 0;
}

void TCustomEdit::EMUndo(TWMNoParams& m) {
    WMUndo(m);
}

void TCustomEdit::EMEmptyUndoBuffer(TWMNoParams&) {
    m_canUndo = false;
}

void TCustomEdit::EMScrollCaret(TWMNoParams&) {
    ScrollToCaret();
}

// The edit window's own messages.
void TCustomEdit::DefaultHandler(TMessage& m) {
    static const TMessageTable<TCustomEdit> table = {
        {EM_GETSEL, &TCustomEdit::EMGetSel},
        {EM_SETSEL, &TCustomEdit::EMSetSel},
        {EM_SETMARGINS, &TCustomEdit::EMSetMargins},
        {EM_GETMARGINS, &TCustomEdit::EMGetMargins},
        {EM_LIMITTEXT, &TCustomEdit::EMLimitText},
        {EM_SETREADONLY, &TCustomEdit::EMSetReadOnly},
        {EM_SETPASSWORDCHAR, &TCustomEdit::EMSetPasswordChar},
        {EM_CANUNDO, &TCustomEdit::EMCanUndo},
        {EM_UNDO, &TCustomEdit::EMUndo},
        {EM_EMPTYUNDOBUFFER, &TCustomEdit::EMEmptyUndoBuffer},
        {EM_SCROLLCARET, &TCustomEdit::EMScrollCaret},
    };
    if (!table.Dispatch(*this, m)) TCustomControl::DefaultHandler(m);
}

void TCustomEdit::DescribeAccessible(TAccessibleInfo& info) const {
    TCustomControl::DescribeAccessible(info);
    info.Role = m_passwordChar ? TAccessibleRole::PasswordText : TAccessibleRole::Text;
    info.Name.clear(); // the text is the value, not the name: a label names the box
    info.States |= asSingleLine;
    if (m_enabled) info.States |= asFocusable;
    info.HasText = true;
    info.Text = m_passwordChar ? AnsiString(m_value.size(), '*') : m_value;
    info.CaretOffset = m_caret;
    if (!m_readOnly && m_enabled) {
        info.States |= asEditable;
        auto* self = const_cast<TCustomEdit*>(this);
        info.SetText = [self](const AnsiString& text) { self->SetValue(text, true); };
    }
}
