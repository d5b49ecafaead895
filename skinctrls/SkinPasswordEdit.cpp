#include "skinctrls/SkinPasswordEdit.h"

#include <algorithm>

#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"
#include "ui/Forms.h"

TspSkinPasswordEdit::TspSkinPasswordEdit(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 121;
    m_height = 21;
    m_color = clWindow;
    m_tabStop = true;
    m_cursor = crIBeam;
    SetSkinDataName("edit");
    m_controlStyle |= csDoubleClicks;
    m_controlStyle &= ~csClickEvents;
}

TspSkinPasswordEdit::~TspSkinPasswordEdit() {
    HideTextCaret();
}

// --- properties ---

void TspSkinPasswordEdit::SetPasswordKind(TspPasswordKind value) {
    if (value == m_passwordKind) return;
    m_passwordKind = value;
    Invalidate();
}

void TspSkinPasswordEdit::SetDefaultColor(TColor value) {
    m_defaultColor = value;
    Invalidate();
}

void TspSkinPasswordEdit::SetTextAlignment(TAlignment value) {
    if (value == m_textAlignment) return;
    m_textAlignment = value;
    Invalidate();
}

void TspSkinPasswordEdit::SetHideSelection(bool value) {
    if (value == m_hideSelection) return;
    m_hideSelection = value;
    Invalidate();
}

void TspSkinPasswordEdit::SetCharCase(TEditCharCase value) {
    m_model.SetCharCase(value);
    if (value != ecNormal) StoreText(m_model.Text());
}

void TspSkinPasswordEdit::SelectAll() {
    m_model.SelectAll();
    CaretMoved();
}

// --- the text ---

bool TspSkinPasswordEdit::AcceptText(const AnsiString&) {
    return true;
}

void TspSkinPasswordEdit::SetTextValue(const AnsiString& text) {
    // The framework's text property: the text is the control's own; the selection goes.
    StoreText(text);
    m_model.ClearSelection();
    Invalidate();
}

void TspSkinPasswordEdit::StoreText(const AnsiString& text, const TspPasswordText::Edit* edit) {
    if (!AcceptText(text)) return;
    bool changed = m_model.SetText(text);
    // An edit puts its caret in place before anyone hears of the change.
    if (edit) m_model.Commit(*edit);
    Invalidate();
    if (changed) Change();
}

void TspSkinPasswordEdit::Change() {
    std::shared_ptr<bool> alive = m_alive;
    Perform(CM_CHANGED);
    if (!*alive) return;
    if (m_enabled && HandleAllocated()) CaretMoved();
    if (OnChange) OnChange(this);
}

void TspSkinPasswordEdit::InsertText(const AnsiString& text) {
    if (m_readOnly) return;
    TspPasswordText::Edit e = m_model.Insert(m_model.Converted(text), m_maxLength);
    if (!e.changed) {
        // Too long for MaxLength: only the selection goes.
        m_model.ClearSelection();
        CaretMoved();
        return;
    }
    std::shared_ptr<bool> alive = m_alive;
    StoreText(e.text, &e);
    if (*alive) CaretMoved();
}

void TspSkinPasswordEdit::PasteFromClipboard() {
    if (m_readOnly) return;
    AnsiString text = Clipboard()->AsText();
    // One line of printable characters, as typing would give.
    size_t br = text.find_first_of("\r\n");
    if (br != AnsiString::npos) text.resize(br);
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return static_cast<unsigned char>(c) < 32; }),
               text.end());
    InsertText(text);
}

// --- geometry ---

TRect TspSkinPasswordEdit::TextRect() const {
    if (!m_looks.valid) return Rect(2, 2, Width() - 2, Height() - 2);
    TRect r = m_cache.NewClRect;
    if (!UseSkinFont()) r.Bottom += Height() - m_cache.SkinHeight();
    return r;
}

int TspSkinPasswordEdit::SymbolWidth() const {
    return std::max(1, TextRect().Height() / 2 + 3);
}

TspPasswordGeometry TspSkinPasswordEdit::Geometry() const {
    TspPasswordGeometry g;
    g.textRect = TextRect();
    g.symbolWidth = SymbolWidth();
    g.alignment = m_textAlignment;
    return g;
}

TRect TspSkinPasswordEdit::SelectionRect() const {
    return m_model.SelectionRect(Geometry());
}

void TspSkinPasswordEdit::CaretMoved() {
    m_model.KeepCaretVisible(Geometry());
    if (m_hasCaret) SetCaretPos(m_model.CaretX(Geometry(), m_model.Caret()), TextRect().Top);
    Invalidate();
}

void TspSkinPasswordEdit::ShowTextCaret() {
    if (m_hasCaret || !HandleAllocated()) return;
    int h = m_looks.valid ? TextRect().Height() : Height() - 4;
    CreateCaret(this, 1, std::max(1, h));
    m_hasCaret = true;
    SetCaretPos(m_model.CaretX(Geometry(), m_model.Caret()), TextRect().Top);
    ShowCaret(this);
}

void TspSkinPasswordEdit::HideTextCaret() {
    if (!m_hasCaret) return;
    m_hasCaret = false;
    DestroyCaret();
}

// --- the record ---

void TspSkinPasswordEdit::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinEditControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced || !m_cache.Picture) return;
    m_looks.valid = true;
    m_looks.skinrect = r->skinrect;
    m_looks.activeskinrect = r->activeskinrect.IsEmpty() ? r->skinrect : r->activeskinrect;
    m_looks.leftWidth = r->lefttoppoint.X;
    m_looks.rightWidth = r->skinrect.Width() - r->righttoppoint.X;
    m_looks.fontcolor = TColor(r->fontcolor);
    m_looks.activefontcolor = TColor(r->activefontcolor);
    m_looks.disabledfontcolor = TColor(r->disabledfontcolor);
}

// --- painting ---

void TspSkinPasswordEdit::DrawSymbol(const TRect& cell, bool selected, TCanvas& c) {
    TColor color;
    if (m_enabled && selected)
        color = clHighlightText;
    else if (m_enabled && !m_looks.valid)
        color = DefaultFont()->Color();
    else if (m_enabled)
        color = m_hovered || Focused() ? m_looks.activefontcolor : m_looks.fontcolor;
    else
        color = m_looks.valid ? m_looks.disabledfontcolor : clGrayText;
    // A near-square: the cell less 2 on each side and its height beyond its width.
    int inset = (cell.Height() - cell.Width()) / 2 + 2;
    TRect s = Rect(cell.Left + 2, cell.Top + inset, cell.Right - 2, cell.Bottom - inset);
    if (s.IsEmpty()) return;
    c.Pen()->SetColor(color);
    c.Pen()->SetStyle(psSolid);
    c.Brush()->SetColor(color);
    c.Brush()->SetStyle(bsSolid);
    switch (m_passwordKind) {
    case pkRoundRect:
        c.RoundRect(s.Left, s.Top, s.Right, s.Bottom, s.Width() / 2, s.Height());
        break;
    case pkRect:
        c.FillRect(s);
        break;
    case pkTriangle: {
        int w = s.Width() % 2 == 0 ? s.Width() - 1 : s.Width();
        int left = cell.Left + (cell.Width() - w) / 2;
        int top = cell.Top + (cell.Height() - w) / 2;
        c.Polygon({{left + w / 2, top}, {left + w - 1, top + w - 1}, {left, top + w - 1}});
        break;
    }
    }
}

void TspSkinPasswordEdit::PaintSymbols(TBitmap& bitmap) {
    TCanvas& c = *bitmap.Canvas();
    TspPasswordGeometry g = Geometry();
    TRect text = g.textRect;
    bool showSelection = Focused() || !m_hideSelection;
    TRect sel = showSelection ? m_model.SelectionRect(g) : TRect{};
    if (!sel.IsEmpty()) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clHighlight);
        c.FillRect(sel);
    }
    TCanvasStateGuard state(c);
    c.IntersectClipRect(text);
    int w = g.symbolWidth;
    // Only whole cells, from the first visible character until one would pass the edge.
    for (int k = 0; m_model.FirstVisible() - 1 + k < m_model.Length(); ++k) {
        TRect cell = m_model.Cell(g, k);
        if (cell.Right > text.Right) break;
        DrawSymbol(cell, false, c);
    }
    if (!sel.IsEmpty())
        for (int x = sel.Left; x + w <= sel.Right; x += w)
            DrawSymbol(Rect(x, text.Top, x + w, text.Bottom), true, c);
}

void TspSkinPasswordEdit::PaintSkinned(TBitmap& bitmap) {
    if (!m_looks.valid) {
        PaintDefault(bitmap);
        return;
    }
    TRect source = m_hovered || Focused() ? m_looks.activeskinrect : m_looks.skinrect;
    TBitmap row;
    DrawHorizontalSliced(row, m_cache.Picture, source, m_looks.leftWidth, m_looks.rightWidth,
                         Width(), m_cache.stretcheffect);
    bitmap.SetSize(Width(), Height());
    if (row.Height() == Height())
        bitmap.Canvas()->Draw(0, 0, row);
    else
        bitmap.Canvas()->StretchDraw(bitmap.BoundsRect(), row);
    PaintSymbols(bitmap);
}

void TspSkinPasswordEdit::PaintDefault(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    TCanvas& c = *bitmap.Canvas();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(m_defaultColor);
    c.FillRect(bitmap.BoundsRect());
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(bitmap.BoundsRect());
    c.Brush()->SetColor(clBtnFace);
    c.FrameRect(InflateRect(bitmap.BoundsRect(), -1, -1));
    PaintSymbols(bitmap);
}

// --- keys ---

void TspSkinPasswordEdit::WMGetDlgCode(TWMGetDlgCode& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TspSkinPasswordEdit::KeyDown(WORD& key, TShiftState shift) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::KeyDown(key, shift);
    if (!*alive || key == 0) return;
    bool ext = (shift & ssShift) != 0;
    bool ctrl = (shift & ssCtrl) != 0;
    switch (key) {
    case VK_BACK:
    case VK_DELETE: {
        if (m_readOnly) break;
        TspPasswordText::Edit e = m_model.Delete(key == VK_DELETE);
        if (!e.changed) break;
        StoreText(e.text, &e);
        if (!*alive) return;
        break;
    }
    case VK_END:
        m_model.MoveCaret(m_model.Length(), ext);
        break;
    case VK_HOME:
        m_model.MoveCaret(0, ext);
        break;
    case VK_LEFT:
        m_model.MoveCaret(ctrl ? m_model.WordLeft() : m_model.Caret() - 1, ext);
        break;
    case VK_RIGHT:
        m_model.MoveCaret(ctrl ? m_model.WordRight() : m_model.Caret() + 1, ext);
        break;
    case VK_INSERT:
        // Shift+Insert pastes; Ctrl+Insert would copy, which a password never allows.
        if (ext && !ctrl) PasteFromClipboard();
        break;
    case 'V':
        if (ctrl && !ext && !(shift & ssAlt)) PasteFromClipboard();
        break;
    default:
        return;
    }
    if (*alive) CaretMoved();
}

void TspSkinPasswordEdit::KeyPress(char& key) {
    std::shared_ptr<bool> alive = m_alive;
    TspSkinCustomControl::KeyPress(key);
    if (!*alive || static_cast<unsigned char>(key) < 32) return;
    InsertText(AnsiString(1, key));
}

// --- mouse ---

void TspSkinPasswordEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    if (button == mbLeft && !(shift & ssDouble)) {
        m_mouseSelecting = true;
        if (!Focused() && CanFocus()) SetFocus();
        if (!*alive) return;
        m_model.MoveCaret(m_model.IndexAt(Geometry(), x), false);
        CaretMoved();
    }
    TspSkinCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinPasswordEdit::MouseMove(TShiftState shift, int x, int y) {
    if (m_mouseSelecting) {
        int index = m_model.IndexAt(Geometry(), x);
        if (x > TextRect().Right) ++index;
        m_model.MoveCaret(index, true);
        CaretMoved();
    }
    TspSkinCustomControl::MouseMove(shift, x, y);
}

void TspSkinPasswordEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) m_mouseSelecting = false;
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinPasswordEdit::DblClick() {
    m_model.SelectWordAtCaret();
    CaretMoved();
    TspSkinCustomControl::DblClick();
}

// --- focus, hover, state ---

void TspSkinPasswordEdit::WMSetFocus(TWMFocus& m) {
    TspSkinCustomControl::WMSetFocus(m);
    m_model.MoveCaret(0, false);
    ShowTextCaret();
    if (m_autoSelect) m_model.SelectAll();
    CaretMoved();
}

void TspSkinPasswordEdit::WMKillFocus(TWMFocus& m) {
    TspSkinCustomControl::WMKillFocus(m);
    m_mouseSelecting = false;
    HideTextCaret();
    Invalidate();
}

void TspSkinPasswordEdit::WMSize(TWMSize& m) {
    TspSkinCustomControl::WMSize(m);
    if (m_hasCaret) {
        HideTextCaret();
        ShowTextCaret();
    }
    CaretMoved();
}

void TspSkinPasswordEdit::CMMouseEnter(TCMMouseEnterLeave& m) {
    TspSkinCustomControl::CMMouseEnter(m);
    m_hovered = true;
    if (!Focused()) Invalidate();
}

void TspSkinPasswordEdit::CMMouseLeave(TCMMouseEnterLeave& m) {
    TspSkinCustomControl::CMMouseLeave(m);
    m_hovered = false;
    if (!Focused()) Invalidate();
}

void TspSkinPasswordEdit::CMEnabledChanged(TWMNoParams& m) {
    TspSkinCustomControl::CMEnabledChanged(m);
    Invalidate();
}

void TspSkinPasswordEdit::CMCursorChanged(TWMNoParams& m) {
    // The default cursor of a text field is the I-beam.
    if (Cursor() == crDefault) SetCursor(crIBeam);
    TspSkinCustomControl::CMCursorChanged(m);
}

void TspSkinPasswordEdit::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::PasswordText;
    info.Name.clear();
    info.States |= asSingleLine;
    if (m_enabled) info.States |= asFocusable;
    info.HasText = true;
    info.Text = AnsiString(m_model.Text().size(), '*');
    info.CaretOffset = m_model.Caret();
    if (!m_readOnly && m_enabled) {
        info.States |= asEditable;
        auto* self = const_cast<TspSkinPasswordEdit*>(this);
        info.SetText = [self](const AnsiString& text) {
            if (self->AcceptText(text)) self->StoreText(text);
        };
    }
}
