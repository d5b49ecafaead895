#pragma once
// The screen: the forms in z-order, the active form, cursors and the hint font.
#include <utility>
#include <vector>

#include "gfx/Bitmap.h"
#include "ui/WinControl.h"

class TCustomForm;

// A cursor the screen knows: a built-in shape or an image registered with the display.
struct TCursorImage {
    int displayCursor = 0; // 0 = use shape
    int shape = 0;         // CursorShape as int
};
using HCURSOR = int; // display cursor id from LoadCursorImage

// Builds a cursor from a 32-bit picture (0xAARRGGBB) with its hot spot.
HCURSOR CreateCursorFromImage(const TBitmap& image, TPoint hotSpot);

class TScreen : public TComponent {
public:
    TScreen();
    int FormCount() const { return int(m_forms.size()); }
    TCustomForm* Forms(int index) const;
    TCustomForm* ActiveForm() const { return m_activeForm; }
    // For the window system, which decides which form is active.
    void SetActiveForm(TCustomForm* form) { m_activeForm = form; }
    TWinControl* ActiveControl() const;
    // Cursor for the whole application (crDefault: each control's own).
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor cursor);
    // Cursors registered under numbers; an unregistered number shows the arrow.
    HCURSOR Cursors(int index) const;
    void SetCursors(int index, HCURSOR cursor);
    int Width() const;
    int Height() const;
    TRect WorkAreaRect() const;
    int PixelsPerInch() const { return 96; }
    TFont* HintFont() { return &m_hintFont; }
    // Shows a cursor now (Screen's Cursor wins when it is not crDefault).
    void ShowCursor(TCursor cursor);

private:
    friend class TCustomForm;
    friend class TApplication;
    std::vector<TCustomForm*> m_forms;
    TCustomForm* m_activeForm = nullptr;
    TCursor m_cursor = crDefault;
    std::vector<std::pair<int, HCURSOR>> m_cursors;
    TFont m_hintFont;
    // No cursor is shown yet: the first ShowCursor always reaches the display.
    static constexpr TCursor NoCursorShown = 1 << 30;
    TCursor m_shownCursor = NoCursorShown;
};

extern TScreen* Screen;
