#pragma once
// The fixture of the skinned control tests: a headless application (tests/ui) and, on
// request, a form's own skin store holding the program's skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "data/ProgramSkin.h"
#include "rtl/StringList.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "tests/ui/UiTest.h"

// A skin folder written for a test and removed with it: the sections before [SKINCONTROLS]
// and one picture, "controls.bmp", as active picture 0; the caller gives the control records.
class TestSkinFolder {
public:
    TestSkinFolder(const std::vector<std::string>& records, const TBitmap& picture) {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("brelvan-test-skin-" + std::to_string(std::random_device{}()) + "-" +
                  std::to_string(++serial));
        std::filesystem::create_directories(m_path);
        picture.SaveToFile((m_path / "controls.bmp").string());
        TStringList ini;
        for (const char* line :
             {"[VERSION]", "skinname=Test", "[PICTURES]", "picture=", "activepicturescount=1",
              "0=controls.bmp", "[FORMINFO]", "clientrect=0,0,0,0", "[SKINOBJECTS]", "count=0"})
            ini.Add(line);
        for (const std::string& line : records) ini.Add(line);
        ini.SaveToFile((m_path / "skin.ini").string());
    }
    ~TestSkinFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::string Ini() const { return (m_path / "skin.ini").string(); }

private:
    std::filesystem::path m_path;
};

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
