// TScreen: forms, the active form and cursors.
#include "ui/Screen.h"

#include "platform/Display.h"
#include "ui/Forms.h"
#include "ui/WindowSystem.h"

TScreen::TScreen() : TComponent(nullptr) {
    m_hintFont.SetName("MS Sans Serif");
    m_hintFont.SetHeight(-11);
    m_hintFont.SetColor(clInfoText);
}

TCustomForm* TScreen::Forms(int index) const {
    CheckListIndex(index, FormCount());
    return m_forms[size_t(index)];
}

TWinControl* TScreen::ActiveControl() const {
    return m_activeForm ? m_activeForm->ActiveControl() : nullptr;
}

void TScreen::SetCursor(TCursor cursor) {
    m_cursor = cursor;
    if (cursor != crDefault) ShowCursor(cursor);
}

HCURSOR TScreen::Cursors(int index) const {
    for (const auto& [i, c] : m_cursors)
        if (i == index) return c;
    return 0;
}

void TScreen::SetCursors(int index, HCURSOR cursor) {
    for (auto& [i, c] : m_cursors)
        if (i == index) {
            c = cursor;
            return;
        }
    m_cursors.push_back({index, cursor});
}

int TScreen::Width() const {
    return HasDisplay() ? CurrentDisplay().ScreenRect().w : 0;
}
int TScreen::Height() const {
    return HasDisplay() ? CurrentDisplay().ScreenRect().h : 0;
}
TRect TScreen::WorkAreaRect() const {
    return GetWorkArea();
}

void TScreen::ShowCursor(TCursor cursor) {
    if (m_cursor != crDefault) cursor = m_cursor;
    if (cursor == m_shownCursor || !HasDisplay()) return;
    m_shownCursor = cursor;
    Display& d = CurrentDisplay();
    if (cursor > 0) {
        if (HCURSOR h = Cursors(cursor)) {
            d.SetCursorImage(h);
            return;
        }
        d.SetCursor(CursorShape::Arrow);
        return;
    }
    CursorShape shape = CursorShape::Arrow;
    switch (cursor) {
    case crIBeam:
        shape = CursorShape::IBeam;
        break;
    case crHandPoint:
        shape = CursorShape::Hand;
        break;
    case crSizeWE:
    case crHSplit:
        shape = CursorShape::SizeWE;
        break;
    case crSizeNS:
    case crVSplit:
        shape = CursorShape::SizeNS;
        break;
    case crSizeAll:
        shape = CursorShape::SizeAll;
        break;
    case crNoDrop:
    case crNo:
        shape = CursorShape::No;
        break;
    case crDrag:
        shape = CursorShape::Drag;
        break;
    case crCross:
        shape = CursorShape::Cross;
        break;
    case crHourGlass:
        shape = CursorShape::Wait;
        break;
    default:
        break;
    }
    d.SetCursor(shape);
}

HCURSOR CreateCursorFromImage(const TBitmap& image, TPoint hotSpot) {
    if (image.Empty()) return 0;
    return CurrentDisplay().CreateCursorImage(image.Bits(), image.Width(), image.Height(),
                                              hotSpot.X, hotSpot.Y);
}
