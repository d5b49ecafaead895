#include "skinctrls/SkinSpinEdit.h"

#include <cmath>

#include "skin/ParentImage.h"
#include "skin/SkinData.h"
#include "skin/SkinSlicing.h"
#include "skinctrls/SkinArrows.h"
#include "skinctrls/SkinBuiltInLook.h"
#include "skinctrls/SkinFontRule.h"
#include "skinctrls/SkinPictureParts.h"
#include "ui/Forms.h"

namespace {

// The repeat: the first step waits, then one step per interval; coming back onto the held
// button resumes sooner.
constexpr unsigned FirstDelay = 500;
constexpr unsigned RepeatInterval = 100;
constexpr unsigned ResumeDelay = 50;

int TextHeightOf(const TFont& font) {
    TBitmap scratch(1, 1);
    TCanvas c;
    c.SetSurface(&scratch);
    c.SetFont(font);
    return c.TextHeight("Wg");
}

// Sets a flag for the life of a scope, also when an exception leaves it.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag), m_saved(flag) { flag = true; }
    ~FlagScope() { m_flag = m_saved; }

private:
    bool& m_flag;
    bool m_saved;
};

} // namespace

// --- TspSkinNumEdit ---

TspSkinNumEdit::TspSkinNumEdit(TspSkinSpinEdit* box) : TspCustomEdit(box), m_box(box) {
    SetBorderStyle(bsNone);
    SetAutoSelect(false);
}

TspSkinData* TspSkinNumEdit::MenuSkinData() const {
    return m_box->SkinData();
}

void TspSkinNumEdit::SetTransparent(bool value) {
    m_transparent = value;
    Invalidate();
}

void TspSkinNumEdit::KeyPress(char& key) {
    if (key != 13 && key != 27 &&
        !SpinKeyAllowed(key, Text(), m_box->m_valueType, m_box->m_editorEnabled)) {
        key = 0;
        MessageBeep(0);
        return;
    }
    TspCustomEdit::KeyPress(key);
}

void TspSkinNumEdit::KeyDown(WORD& key, TShiftState shift) {
    std::shared_ptr<bool> alive = m_alive;
    if (key == VK_UP || key == VK_DOWN) {
        if (key == VK_UP)
            m_box->StepUp();
        else
            m_box->StepDown();
        if (!*alive) return;
        key = 0;
        return;
    }
    TspCustomEdit::KeyDown(key, shift);
}

bool TspSkinNumEdit::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    if (TspCustomEdit::DoMouseWheel(shift, wheelDelta, mousePos)) return true;
    // Turned away from the user the value goes down, toward the user it goes up.
    if (wheelDelta > 0)
        m_box->StepDown();
    else if (wheelDelta < 0)
        m_box->StepUp();
    return true;
}

void TspSkinNumEdit::EraseBackground(TCanvas& canvas) {
    if (!m_transparent) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(Color());
        canvas.FillRect(ClientRect());
        return;
    }
    // The box's picture shows through.
    CaptureParentImage(this, canvas);
}

void TspSkinNumEdit::CMMouseEnter(TCMMouseEnterLeave& m) {
    TspCustomEdit::CMMouseEnter(m);
    m_box->UpdateHover();
}

void TspSkinNumEdit::CMMouseLeave(TCMMouseEnterLeave& m) {
    TspCustomEdit::CMMouseLeave(m);
    m_box->UpdateHover();
}

// --- TspSkinSpinEdit ---

TspSkinSpinEdit::TspSkinSpinEdit(TComponent* owner) : TspSkinCustomControl(owner) {
    m_width = 120;
    m_height = 20;
    SetSkinDataName("spinedit");
    m_controlStyle &= ~csClickEvents;
    m_edit = new TspSkinNumEdit(this);
    m_edit->SetParent(this);
    m_edit->OnChange = [this](TObject*) { EditTextChanged(); };
    m_edit->OnKeyDown = [this](TObject*, WORD& key, TShiftState shift) { EditKeyDown(key, shift); };
    m_edit->OnKeyUp = [this](TObject*, WORD& key, TShiftState shift) { EditKeyUp(key, shift); };
    m_edit->OnKeyPress = [this](TObject*, char& key) { EditKeyPress(key); };
    m_edit->OnEnter = [this](TObject*) { EditEnter(); };
    m_edit->OnExit = [this](TObject*) { EditExit(); };
    m_text.assign(1, '0');
    ShowText("0");
    UpdateEditLook();
    Layout();
}

TspSkinSpinEdit::~TspSkinSpinEdit() {
    StopTimer();
}

// --- value ---

void TspSkinSpinEdit::SetValueType(TspValueType value) {
    if (value == m_valueType) return;
    m_valueType = value;
    if (value == vtInteger) {
        m_increment = std::nearbyint(m_increment);
        if (m_increment == 0) m_increment = 1;
    }
}

void TspSkinSpinEdit::SetMinValue(double value) {
    m_range.minValue = value;
    if (m_value < value) SetValue(value);
}

void TspSkinSpinEdit::SetMaxValue(double value) {
    m_range.maxValue = value;
    if (m_value > value) SetValue(value);
}

void TspSkinSpinEdit::SetValue(double value) {
    // Whatever the program passes, the box keeps a number.
    if (!std::isfinite(value)) value = m_range.Limited() ? m_range.minValue : 0;
    m_value = m_range.Limit(value);
    AnsiString text = FormatSpinValue(m_value, m_valueType, m_decimal);
    if (m_programmaticText) {
        // Set from within OnChange: only the text follows.
        ShowText(text);
        return;
    }
    {
        FlagScope programmatic(m_programmaticText);
        SetText(text);
        ShowText(text);
    }
    Change();
}

void TspSkinSpinEdit::Change() {
    FlagScope programmatic(m_programmaticText);
    NotifyAccessible(*this, TAccessibleChange::Value);
    if (OnChange) OnChange(this);
}

void TspSkinSpinEdit::ShowText(const AnsiString& text) {
    FlagScope programmatic(m_programmaticText);
    if (m_edit->Text() != text) {
        m_edit->SetText(text);
        m_edit->SetSelStart(int(text.size()));
    }
}

void TspSkinSpinEdit::EditTextChanged() {
    if (m_programmaticText) return;
    // The typed text becomes the box's text (not copied back), then it is read.
    FlagScope fromEdit(m_textFromEdit);
    m_text = m_edit->Text();
    ReadTypedText();
}

void TspSkinSpinEdit::CMTextChanged(TWMNoParams& m) {
    TspSkinCustomControl::CMTextChanged(m);
    if (m_programmaticText || m_textFromEdit) return;
    ShowText(m_text);
    ReadTypedText();
}

void TspSkinSpinEdit::ReadTypedText() {
    AnsiString text = m_edit->Text();
    if (!SpinTextPassesCheck(text, m_valueType)) return;
    // A text that passes the check but is no number raises the platform's conversion error;
    // value and text stay as they are.
    double typed = ConvertSpinText(text, m_valueType);
    double limited = m_range.Limit(typed);
    std::shared_ptr<bool> alive = m_alive;
    if (limited != m_value) {
        m_value = limited;
        Change();
        if (!*alive) return;
    }
    if (SpinTextNeedsRewrite(typed, limited, m_range))
        ShowText(FormatSpinValue(m_value, m_valueType, m_decimal));
}

// --- properties passed to the inner edit ---

void TspSkinSpinEdit::SetEditorEnabled(bool value) {
    m_editorEnabled = value;
    m_edit->SetReadOnly(!value);
}

void TspSkinSpinEdit::SetMaxLength(int value) {
    m_maxLength = std::max(0, value);
    m_edit->SetMaxLength(m_maxLength);
}

void TspSkinSpinEdit::SetDefaultColor(TColor value) {
    m_defaultColor = value;
    if (!m_looks.valid) UpdateEditLook();
}

void TspSkinSpinEdit::SetUseSkinSize(bool value) {
    if (value == m_useSkinSize) return;
    m_useSkinSize = value;
    ApplySkinChange();
}

// --- the record ---

void TspSkinSpinEdit::LookUpSkinRecord() {
    TspSkinCustomControl::LookUpSkinRecord();
    m_looks = Looks{};
    auto* r = dynamic_cast<TspDataSkinSpinEditControl*>(SkinRecord());
    if (!r || !m_cache.IsSliced || !m_cache.Picture) return;
    Looks& l = m_looks;
    l.valid = true;
    l.activeskinrect = r->activeskinrect;
    l.fontname = r->fontname;
    l.fontheight = r->fontheight;
    l.fontstyle = r->fontstyle;
    l.fontcolor = TColor(r->fontcolor);
    l.activefontcolor = TColor(r->activefontcolor);
    l.disabledfontcolor = TColor(r->disabledfontcolor);
    l.upbuttonrect = r->upbuttonrect;
    l.activeupbuttonrect = r->activeupbuttonrect;
    l.downupbuttonrect =
        r->downupbuttonrect.IsEmpty() ? r->activeupbuttonrect : r->downupbuttonrect;
    l.downbuttonrect = r->downbuttonrect;
    l.activedownbuttonrect = r->activedownbuttonrect;
    l.downdownbuttonrect =
        r->downdownbuttonrect.IsEmpty() ? r->activedownbuttonrect : r->downdownbuttonrect;
    l.leftWidth = r->lefttoppoint.X;
    l.rightWidth = r->skinrect.Width() - r->righttoppoint.X;
    if (!m_useSkinSize) m_cache.MaskPicture = nullptr;
}

void TspSkinSpinEdit::AdjustToSkinSize(int& width, int& height) {
    if (m_useSkinSize) TspSkinCustomControl::AdjustToSkinSize(width, height);
}

void TspSkinSpinEdit::UpdateRegion() {
    if (m_useSkinSize) TspSkinCustomControl::UpdateRegion();
}

void TspSkinSpinEdit::ApplySkinChange() {
    TspSkinCustomControl::ApplySkinChange();
    UpdateEditLook();
    if (m_looks.valid && m_useSkinSize && m_height != m_cache.SkinHeight())
        SetHeight(m_cache.SkinHeight());
    Layout();
    Invalidate();
}

void TspSkinSpinEdit::UpdateEditLook() {
    TFont font;
    ChooseSkinFont(font, m_looks.fontname, m_looks.fontheight, m_looks.fontstyle);
    if (!m_enabled)
        font.SetColor(m_looks.valid ? m_looks.disabledfontcolor : clGrayText);
    else if (!m_looks.valid)
        font.SetColor(DefaultFont()->Color());
    else
        font.SetColor(m_hovered || m_editFocused ? m_looks.activefontcolor : m_looks.fontcolor);
    const TFont& now = *m_edit->Font();
    if (now.Name() != font.Name() || now.Height() != font.Height() || now.Style() != font.Style() ||
        now.Color() != font.Color() || now.Charset() != font.Charset())
        m_edit->SetFont(&font);
    m_edit->SetTransparent(m_looks.valid);
    if (!m_looks.valid) m_edit->SetColor(m_defaultColor);
}

// --- layout ---

void TspSkinSpinEdit::Layout() {
    int w = Width(), h = Height();
    int editHeight = TextHeightOf(*m_edit->Font());
    if (!m_looks.valid) {
        m_buttons[0].rect = Rect(w - 17, 2, w - 2, h / 2);
        m_buttons[1].rect = Rect(w - 17, h / 2, w - 2, h - 2);
        m_textRect = Rect(2, 2, w - 17, h - 2);
        m_edit->SetBounds(2, h / 2 - editHeight / 2, std::max(0, w - 19), editHeight);
        return;
    }
    int dx = w - m_cache.SkinWidth();
    auto moved = [&](TRect r) {
        return r.Left > m_cache.righttoppoint.X ? OffsetRect(r, dx, 0) : r;
    };
    TRect up = moved(m_looks.upbuttonrect), down = moved(m_looks.downbuttonrect);
    m_textRect = m_cache.clientrect;
    m_textRect.Right += dx;
    if (!m_useSkinSize) {
        // The height is free: the text rect and the buttons grow with it.
        int dy = h - m_cache.SkinHeight();
        m_textRect.Bottom += dy;
        if (down.Bottom < up.Bottom) {
            up.Bottom += dy;
            down.Bottom += dy;
        } else {
            TRect both = UnionRect(up, down);
            both.Bottom += dy;
            int mid = both.Top + both.Height() / 2;
            up = Rect(both.Left, both.Top, both.Right, mid);
            down = Rect(both.Left, mid, both.Right, both.Bottom);
        }
    }
    m_buttons[0].rect = up;
    m_buttons[1].rect = down;
    m_edit->SetBounds(m_textRect.Left, m_textRect.Top + (m_textRect.Height() - editHeight) / 2,
                      std::max(0, m_textRect.Width()), editHeight);
}

void TspSkinSpinEdit::DefaultFontChanged() {
    if (m_looks.valid && UseSkinFont()) return;
    UpdateEditLook();
    Layout();
}

void TspSkinSpinEdit::WMSize(TWMSize& m) {
    TspSkinCustomControl::WMSize(m);
    Layout();
}

// --- painting ---

void TspSkinSpinEdit::DrawButtons(TCanvas& c) {
    for (int b = 0; b < 2; ++b) {
        const Button& button = m_buttons[b];
        TRect part;
        if (button.pressed && button.hot)
            part = b == 0 ? m_looks.downupbuttonrect : m_looks.downdownbuttonrect;
        else if (button.hot)
            part = b == 0 ? m_looks.activeupbuttonrect : m_looks.activedownbuttonrect;
        // A button at rest is part of the background picture.
        if (!part.IsEmpty()) StretchPart(c, *m_cache.Picture, part, button.rect);
    }
}

void TspSkinSpinEdit::PaintSkinned(TBitmap& bitmap) {
    if (!m_looks.valid) {
        PaintDefault(bitmap);
        return;
    }
    bool active = (m_hovered || m_editFocused) && !m_looks.activeskinrect.IsEmpty();
    int w = Width(), h = Height();
    if (m_useSkinSize) {
        if (active) {
            DrawHorizontalSliced(bitmap, m_cache.Picture, m_looks.activeskinrect, m_looks.leftWidth,
                                 m_looks.rightWidth, w, m_cache.stretcheffect);
        } else {
            m_cache.DrawPicture(bitmap, m_cache.skinrect, w, h, false);
        }
        DrawButtons(*bitmap.Canvas());
        return;
    }
    DrawClientRectSliced(bitmap, m_cache.Picture,
                         active ? m_looks.activeskinrect : m_cache.skinrect, m_cache.clientrect, w,
                         h, true);
    // The buttons come from a push button record of the skin.
    TspSkinData* store = SkinData();
    auto* r = dynamic_cast<TspDataSkinButtonControl*>(
        store->ControlRecord(store->FindControlRecord("editbutton")));
    if (!r)
        r = dynamic_cast<TspDataSkinButtonControl*>(
            store->ControlRecord(store->FindControlRecord("resizebutton")));
    const TBitmap* picture = r ? store->ActivePicture(r->pictureindex) : nullptr;
    if (!picture) return;
    TCanvas& c = *bitmap.Canvas();
    TspSlicePoints points = SlicePointsOf(*r);
    for (int b = 0; b < 2; ++b) {
        const Button& button = m_buttons[b];
        bool pressed = button.pressed && button.hot;
        TRect source = pressed && !r->downskinrect.IsEmpty()        ? r->downskinrect
                       : button.hot && !r->activeskinrect.IsEmpty() ? r->activeskinrect
                                                                    : r->skinrect;
        TColor color = TColor(pressed      ? r->downfontcolor
                              : button.hot ? r->activefontcolor
                                           : r->fontcolor);
        int bw = button.rect.Width(), bh = button.rect.Height();
        TspSlicePoints resized =
            ResizeSlicePoints(points, r->skinrect.Width(), r->skinrect.Height(), bw, bh);
        TBitmap face;
        DrawFourCornerSliced(face, picture, source, points, resized, bw, bh, StretchFlagsOf(*r),
                             true);
        c.Draw(button.rect.Left, button.rect.Top, face);
        TRect arrow = pressed ? OffsetRect(button.rect, 1, 1) : button.rect;
        DrawSkinArrow(c, arrow, b == 0 ? TspArrowDirection::Up : TspArrowDirection::Down, color);
    }
}

void TspSkinSpinEdit::PaintDefault(TBitmap& bitmap) {
    bitmap.SetSize(Width(), Height());
    TCanvas& c = *bitmap.Canvas();
    TRect all = bitmap.BoundsRect();
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(m_defaultColor);
    c.FillRect(all);
    c.Brush()->SetColor(clBtnShadow);
    c.FrameRect(all);
    c.Brush()->SetColor(clBtnFace);
    c.FrameRect(InflateRect(all, -1, -1));
    for (int b = 0; b < 2; ++b) {
        const Button& button = m_buttons[b];
        bool pressed = button.pressed && button.hot;
        if (button.hot || pressed) {
            c.Brush()->SetColor(clNavy);
            c.FrameRect(button.rect);
            c.Brush()->SetColor(pressed ? BuiltInPressedFill : BuiltInHotFill);
            c.FillRect(InflateRect(button.rect, -1, -1));
        } else {
            c.Brush()->SetColor(clBtnFace);
            c.FillRect(button.rect);
        }
        DrawSkinArrow(c, button.rect, b == 0 ? TspArrowDirection::Up : TspArrowDirection::Down,
                      clBlack);
    }
}

// --- buttons ---

int TspSkinSpinEdit::ButtonAt(int x, int y) const {
    for (int b = 0; b < 2; ++b)
        if (m_buttons[b].rect.Contains({x, y})) return b;
    return -1;
}

void TspSkinSpinEdit::StartTimer(unsigned interval) {
    if (!HandleAllocated()) return;
    SetTimer(this, RepeatTimerId, interval);
    m_timerRunning = true;
}

void TspSkinSpinEdit::StopTimer() {
    if (!m_timerRunning) return;
    m_timerRunning = false;
    KillTimer(this, RepeatTimerId);
}

void TspSkinSpinEdit::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    int b = ButtonAt(x, y);
    if (b >= 0 && m_enabled) {
        m_pressedButton = b;
        m_buttons[b].hot = true;
        m_buttons[b].pressed = true;
        m_buttons[1 - b].hot = false;
        m_direction = b == 0 ? 2 : 1;
        m_firstDelay = true;
        StartTimer(FirstDelay);
        Invalidate();
    }
    TspSkinCustomControl::MouseDown(button, shift, x, y);
}

void TspSkinSpinEdit::MouseMove(TShiftState shift, int x, int y) {
    int b = ButtonAt(x, y);
    // While one button is held the other never lights up.
    if (m_pressedButton >= 0 && b != m_pressedButton) b = -1;
    for (int i = 0; i < 2; ++i) {
        bool hot = i == b;
        if (hot == m_buttons[i].hot) continue;
        m_buttons[i].hot = hot;
        Invalidate();
        if (i != m_pressedButton) continue;
        if (hot)
            StartTimer(ResumeDelay);
        else
            StopTimer();
    }
    TspSkinCustomControl::MouseMove(shift, x, y);
}

void TspSkinSpinEdit::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    std::shared_ptr<bool> alive = m_alive;
    int b = m_pressedButton;
    if (b >= 0) {
        StopTimer();
        int direction = m_direction;
        m_direction = 0;
        m_pressedButton = -1;
        m_buttons[b].pressed = false;
        m_buttons[b].hot = ButtonAt(x, y) == b;
        Invalidate();
        // A short click steps once, on release.
        if (m_buttons[b].hot) {
            if (direction == 2)
                StepUp();
            else
                StepDown();
            if (!*alive) return;
        }
    }
    TspSkinCustomControl::MouseUp(button, shift, x, y);
}

void TspSkinSpinEdit::WMTimer(TWMTimer& m) {
    if (m.TimerID != RepeatTimerId) {
        TspSkinCustomControl::WMTimer(m);
        return;
    }
    if (!m_timerRunning || m_direction == 0) {
        StopTimer();
        return;
    }
    if (m_firstDelay) {
        m_firstDelay = false;
        StartTimer(RepeatInterval);
        return;
    }
    if (m_direction == 2)
        StepUp();
    else
        StepDown();
}

// --- hover and focus ---

void TspSkinSpinEdit::UpdateHover() {
    // The pointer over the inner edit still counts as over the box.
    TPoint p = ScreenToClient(GetCursorPos());
    bool hovered = Showing() && ClientRect().Contains(p);
    if (hovered == m_hovered) return;
    m_hovered = hovered;
    TColor before = m_edit->Font()->Color();
    UpdateEditLook();
    if (m_looks.valid && !m_looks.activeskinrect.IsEmpty()) Invalidate();
    if (before != m_edit->Font()->Color()) m_edit->Invalidate();
}

void TspSkinSpinEdit::CMMouseEnter(TCMMouseEnterLeave& m) {
    TspSkinCustomControl::CMMouseEnter(m);
    UpdateHover();
}

void TspSkinSpinEdit::CMMouseLeave(TCMMouseEnterLeave& m) {
    TspSkinCustomControl::CMMouseLeave(m);
    UpdateHover();
    for (Button& b : m_buttons)
        if (b.hot && m_pressedButton < 0) {
            b.hot = false;
            Invalidate();
        }
}

void TspSkinSpinEdit::WMSetFocus(TWMFocus& m) {
    TspSkinCustomControl::WMSetFocus(m);
    if (m_edit->CanFocus()) m_edit->SetFocus();
}

void TspSkinSpinEdit::CMEnabledChanged(TWMNoParams& m) {
    TspSkinCustomControl::CMEnabledChanged(m);
    m_edit->SetEnabled(m_enabled);
    StopTimer();
    m_pressedButton = -1;
    m_direction = 0;
    for (Button& b : m_buttons) b.hot = b.pressed = false;
    UpdateEditLook();
    Invalidate();
}

// --- the inner edit's events ---

void TspSkinSpinEdit::EditKeyDown(WORD& key, TShiftState shift) {
    if (OnEditKeyDown) OnEditKeyDown(this, key, shift);
}

void TspSkinSpinEdit::EditKeyUp(WORD& key, TShiftState shift) {
    if (OnEditKeyUp) OnEditKeyUp(this, key, shift);
}

void TspSkinSpinEdit::EditKeyPress(char& key) {
    if (OnEditKeyPress) OnEditKeyPress(this, key);
}

void TspSkinSpinEdit::EditEnter() {
    m_editFocused = true;
    UpdateEditLook();
    if (m_looks.valid && !m_looks.activeskinrect.IsEmpty()) Invalidate();
    if (OnEditEnter) OnEditEnter(this);
}

void TspSkinSpinEdit::EditExit() {
    m_editFocused = false;
    // Leaving the field shows the value as it is kept.
    ShowText(FormatSpinValue(m_value, m_valueType, m_decimal));
    UpdateEditLook();
    if (m_looks.valid && !m_looks.activeskinrect.IsEmpty()) Invalidate();
    if (OnEditExit) OnEditExit(this);
}

void TspSkinSpinEdit::SetAccessibleLabel(TControl* label) {
    if (m_accessibleLabel == label) return;
    if (m_accessibleLabel) m_accessibleLabel->RemoveFreeNotification(this);
    m_accessibleLabel = label;
    if (label) label->FreeNotification(this);
}

void TspSkinSpinEdit::Notification(TComponent* component, TOperation operation) {
    TspSkinCustomControl::Notification(component, operation);
    if (operation == opRemove && component == m_accessibleLabel) m_accessibleLabel = nullptr;
}

void TspSkinSpinEdit::DescribeAccessible(TAccessibleInfo& info) const {
    TspSkinCustomControl::DescribeAccessible(info);
    info.Role = TAccessibleRole::SpinButton;
    info.Name = m_accessibleName;
    info.Children.clear();
    if (m_enabled) info.States |= asFocusable;
    if (Focused() || (m_edit && m_edit->Focused())) info.States |= asFocused;
    if (m_editorEnabled && m_enabled) info.States |= asEditable;
    info.HasValue = true;
    info.MinValue = m_range.minValue;
    info.MaxValue = m_range.maxValue;
    info.Value = m_value;
    info.Increment = m_increment;
    auto* self = const_cast<TspSkinSpinEdit*>(this);
    info.SetValue = [self](double value) { self->SetValue(value); };
    info.LabelledBy = m_accessibleLabel;
}
