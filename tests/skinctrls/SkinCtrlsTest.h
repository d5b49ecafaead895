#pragma once
// The fixture of the skinned control tests: a headless application (tests/ui) and, on
// request, a form's own skin store holding the program's skin.
#include <gtest/gtest.h>

#include "data/ProgramSkin.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "tests/ui/UiTest.h"

class SkinCtrlsTest : public UiTest {
protected:
    // A store owned by `form`, filled with the program's skin.
    TspSkinData* ProgramSkin(TForm* form) {
        auto* data = new TspSkinData(form);
        auto* stored = new TspCompressedStoredSkin(form);
        LoadProgramSkin(*stored);
        data->SetCompressedStoredSkin(stored);
        return data;
    }
    // How many pixels of `area` (client coordinates of c) are `color` on the display.
    int CountColor(TControl* c, const TRect& area, TColor color) {
        Pump();
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x)
                if (RawPixel(c, x, y) == ColorToRGB(color)) ++n;
        return n;
    }
    // How many pixels of `area` are mostly `color` (anti-aliased text rarely hits a colour
    // exactly): every channel within `tolerance`.
    int CountNear(TControl* c, const TRect& area, TColor color, int tolerance = 60) {
        Pump();
        TColor want = ColorToRGB(color);
        int n = 0;
        for (int y = area.Top; y < area.Bottom; ++y)
            for (int x = area.Left; x < area.Right; ++x) {
                TColor p = RawPixel(c, x, y);
                bool near = true;
                for (int shift = 0; shift < 24; shift += 8) {
                    int a = int((p >> shift) & 0xFF), b = int((want >> shift) & 0xFF);
                    if (a - b > tolerance || b - a > tolerance) near = false;
                }
                if (near) ++n;
            }
        return n;
    }
    // A client pixel as presented, without pumping.
    TColor RawPixel(TControl* c, int x, int y) {
        TWinControl* top = GetTopLevel(c);
        auto* form = dynamic_cast<TCustomForm*>(top);
        TPoint s = c->ClientToScreen({x, y});
        TRect w = top->WindowRectOnScreen();
        return PixelToColor(display->PixelAt(form->DisplayWindow(), s.X - w.Left, s.Y - w.Top));
    }
};
