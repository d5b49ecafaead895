#pragma once
#include "ui/CustomControl.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The single-line edit window: caret, selection by mouse and Shift+keys, word moves,
// clipboard keys, one level of undo, margins, MaxLength, ReadOnly, PasswordChar and OnChange.
class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* owner);
    ~TCustomEdit() override;

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    char PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char value);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return m_textAlignment; }
    void SetAlignment(TAlignment value);
    bool Modified() const { return m_modified; }
    void SetModified(bool value) { m_modified = value; }

    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    AnsiString SelText() const;
    void SetSelText(const AnsiString& text); // replaces the selection, as typing would
    void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const { return m_canUndo; }
    void Undo();
    void ClearUndo() { m_canUndo = false; }
    int LeftMargin() const { return m_leftMargin; }
    int RightMargin() const { return m_rightMargin; }
    // The character index at a client x (nearest boundary).
    int CharIndexAt(int x) const;
    // The client x of the boundary before character index i.
    int CharX(int index) const;

    TNotifyEvent OnChange;

    // Text, or password text with one '*' a character; editable unless read-only.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    AnsiString GetText() const override { return m_value; }
    void Paint() override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void EraseBackground(TCanvas& canvas) override;
    virtual void Change();
    void DefaultHandler(TMessage& m) override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    void WMChar(TWMChar& m) override;
    void WMSetText(TWMSetText& m) override;
    void WMGetTextLength(TWMNoParams& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMSize(TWMSize& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void WMUndo(TWMNoParams& m) override; // and EM_UNDO
    void WMCut(TWMNoParams& m) override;
    void WMCopy(TWMNoParams& m) override;
    void WMPaste(TWMNoParams& m) override;
    void WMClear(TWMNoParams& m) override;
    void EMGetSel(TWMNoParams& m);
    void EMSetSel(TEMSetSel& m);
    void EMSetMargins(TEMSetMargins& m);
    void EMGetMargins(TWMNoParams& m);
    void EMLimitText(TEMLimitText& m);
    void EMSetReadOnly(TEMSetReadOnly& m);
    void EMSetPasswordChar(TEMSetPasswordChar& m);
    void EMCanUndo(TWMNoParams& m);
    void EMUndo(TWMNoParams& m);
    void EMEmptyUndoBuffer(TWMNoParams& m);
    void EMScrollCaret(TWMNoParams& m);
    void MetricsChanged();
    // The text as shown (password characters in place of the letters).
    AnsiString DisplayText() const;
    int TextTop() const;
    int TextHeight() const;
    void MoveCaret(int index, bool extend);
    void ReplaceSelection(const AnsiString& text, bool byUser);
    void SetValue(const AnsiString& text, bool byUser);
    void ScrollToCaret();
    void UpdateCaret();
    void TypeChar(char ch);
    int WordLeft(int from) const;
    int WordRight(int from) const;

    AnsiString m_value;
    int m_anchor = 0;
    int m_caret = 0;
    int m_scrollX = 0;
    int m_maxLength = 0;
    bool m_readOnly = false;
    char m_passwordChar = 0;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    TEditCharCase m_charCase = ecNormal;
    TBorderStyle m_borderStyle = bsSingle;
    TAlignment m_textAlignment = taLeftJustify;
    bool m_modified = false;
    int m_leftMargin = 1;
    int m_rightMargin = 1;
    bool m_canUndo = false;
    AnsiString m_undoText;
    int m_undoAnchor = 0;
    int m_undoCaret = 0;
    int m_typingEnd = -1; // caret after the last typed character while typing goes on there
    bool m_selecting = false;
    bool m_hasCaret = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};
