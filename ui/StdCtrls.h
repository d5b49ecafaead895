#pragma once
// Standard controls: labels, push buttons and the single-line edit window.
#include "ui/Controls.h"

// Whether a character (either case) is the accelerator of a caption: "&x" marks x, "&&" is a
// plain "&".
bool IsAccel(char key, const AnsiString& caption);

// A windowless text label. The text is drawn with the accelerator prefix ("&x" underlines x),
// word wrap, alignment and layout; AutoSize fits the bounds to the text.
class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* owner);

    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* control);

    // Fits the size to the text (when AutoSize), keeping the anchored edge for right and
    // centred alignment.
    virtual void AdjustBounds();
    // With AutoSize the position is taken and the size comes from the text (the width too,
    // unless the label wraps words).
    void SetBounds(int left, int top, int width, int height) override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void Paint() override;
    void CMTextChanged(TMessage& m) override;
    void CMFontChanged(TMessage& m) override;
    void CMDialogChar(TMessage& m) override;
    virtual AnsiString GetLabelText() const { return GetText(); }
    // Draws (or with DT_CALCRECT measures) the text in rect with the label's flags added.
    virtual void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags);
    unsigned TextFlags() const;

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_autoSize = true;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    bool m_transparent = false;
    TWinControl* m_focusControl = nullptr;
    bool m_adjusting = false;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

// A push button in the classic look. Default buttons take Enter, cancel buttons Escape;
// a non-zero ModalResult closes a modal form with that result.
class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return m_default; }
    void SetDefault(bool value);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool value) { m_cancel = value; }
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    void Click() override;

protected:
    void Paint() override;
    void CMDialogKey(TMessage& m) override;
    void CMDialogChar(TMessage& m) override;
    void CMFocusChanged(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WMGetDlgCode(TMessage& m) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyUp(WORD& key, TShiftState shift) override;

    bool m_default = false;
    bool m_cancel = false;
    bool m_active = false; // takes Enter now
    bool m_pressed = false;
    bool m_mouseDown = false;
    bool m_spaceDown = false;
    int m_modalResult = 0;
};

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
    void WMGetDlgCode(TMessage& m) override;
    void WMChar(TMessage& m) override;
    void WMSetText(TMessage& m) override;
    void WMGetTextLength(TMessage& m) override;
    void WMSetFocus(TMessage& m) override;
    void WMKillFocus(TMessage& m) override;
    void WMSize(TMessage& m) override;
    void CMFontChanged(TMessage& m) override;
    void CMEnabledChanged(TMessage& m) override;
    void WMUndo(TMessage& m) override; // and EM_UNDO
    void WMCut(TMessage& m) override;
    void WMCopy(TMessage& m) override;
    void WMPaste(TMessage& m) override;
    void WMClear(TMessage& m) override;
    void EMGetSel(TMessage& m);
    void EMSetSel(TMessage& m);
    void EMSetMargins(TMessage& m);
    void EMGetMargins(TMessage& m);
    void EMLimitText(TMessage& m);
    void EMSetReadOnly(TMessage& m);
    void EMSetPasswordChar(TMessage& m);
    void EMCanUndo(TMessage& m);
    void EMEmptyUndoBuffer(TMessage& m);
    void EMScrollCaret(TMessage& m);
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
