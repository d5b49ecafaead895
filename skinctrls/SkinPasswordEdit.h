#pragma once
// TspSkinPasswordEdit: a field for a secret, drawn entirely by itself. It keeps the text in
// the control (never as window text), shows one symbol per character, and has its own caret,
// selection, scrolling and keys; the password can be pasted in but never copied or cut out.
#include "skinctrls/PasswordText.h"
#include "skinctrls/SkinCustomControl.h"

enum TspPasswordKind { pkRoundRect, pkRect, pkTriangle };

class TspSkinPasswordEdit : public TspSkinCustomControl {
public:
    explicit TspSkinPasswordEdit(TComponent* owner);
    ~TspSkinPasswordEdit() override;

    TspPasswordKind PasswordKind() const { return m_passwordKind; }
    void SetPasswordKind(TspPasswordKind value);
    TColor DefaultColor() const { return m_defaultColor; }
    void SetDefaultColor(TColor value);
    TAlignment TextAlignment() const { return m_textAlignment; }
    void SetTextAlignment(TAlignment value);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    TEditCharCase CharCase() const { return m_model.CharCase(); }
    // Upper or lower case converts the current text at once.
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    int MaxLength() const { return m_maxLength; }
    // Limits typing and pasting only; a text set by the program is kept whole.
    void SetMaxLength(int value) { m_maxLength = value < 0 ? 0 : value; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    TNotifyEvent OnChange;

    // The caret, the selection (start in reading order and count) and the first visible
    // character (1-based).
    int CaretIndex() const { return m_model.Caret(); }
    int SelStart() const { return m_model.NormalizedSelStart(); }
    int SelLength() const { return m_model.SelCount(); }
    void SelectAll();
    int FirstVisible() const { return m_model.FirstVisible(); }
    bool Hovered() const { return m_hovered; }

    // The rectangle the symbols go in, one cell per character.
    virtual TRect TextRect() const;
    virtual int SymbolWidth() const;
    virtual TRect SelectionRect() const;
    // Whether a text may be stored (always, here; a subclass may refuse).
    virtual bool AcceptText(const AnsiString& text);

    void LookUpSkinRecord() override;
    // Password text: one '*' a character is all that is told; it can be set, never read.
    void DescribeAccessible(TAccessibleInfo& info) const override;

protected:
    AnsiString GetText() const override { return m_model.Text(); }
    void SetTextValue(const AnsiString& text) override;
    // Stores a text (CharCase converted) with the caret of the edit that made it; on a
    // change runs the change notification.
    void StoreText(const AnsiString& text, const TspPasswordText::Edit* edit = nullptr);
    // After a change of the text: the framework's change processing, the caret, OnChange.
    virtual void Change();
    virtual void DrawSymbol(const TRect& cell, bool selected, TCanvas& canvas);
    virtual void ShowTextCaret();
    virtual void HideTextCaret();
    TspPasswordGeometry Geometry() const;
    // Scrolls to the caret, places the system caret and repaints.
    void CaretMoved();
    void InsertText(const AnsiString& text);
    void PasteFromClipboard();

    void PaintSkinned(TBitmap& bitmap) override;
    void PaintDefault(TBitmap& bitmap) override;
    // Selection and symbols over a painted background.
    void PaintSymbols(TBitmap& bitmap);

    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(char& key) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void DblClick() override;
    void WMGetDlgCode(TWMGetDlgCode& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMSize(TWMSize& m) override;
    void CMMouseEnter(TCMMouseEnterLeave& m) override;
    void CMMouseLeave(TCMMouseEnterLeave& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMCursorChanged(TWMNoParams& m) override;

    TspPasswordText m_model;
    TspPasswordKind m_passwordKind = pkRoundRect;
    TColor m_defaultColor = clWindow;
    TAlignment m_textAlignment = taLeftJustify;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    int m_maxLength = 0;
    bool m_readOnly = false;
    bool m_hovered = false;
    bool m_mouseSelecting = false;
    bool m_hasCaret = false;

    struct Looks {
        bool valid = false;
        TRect skinrect, activeskinrect;
        int leftWidth = 0, rightWidth = 0;
        TColor fontcolor = 0, activefontcolor = 0, disabledfontcolor = 0;
    } m_looks;
};
