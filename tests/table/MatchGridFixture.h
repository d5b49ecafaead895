#pragma once
// A pair of match grids as the window holds them, owned by one component, with the flag
// images and header glyph loaded, plus a ready-made match entry.

#include "gfx/Bitmap.h"
#include "gfx/ImageList.h"
#include "grid/NxGrid.h"
#include "rtl/Component.h"
#include "service/MatchList.h"
#include "table/ImageLists.h"
#include "table/MatchColumns.h"
#include "tests/table/TableTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

// An ordinary match that passes the starting filter and triggers no highlight.
inline MatchEntry SampleEntry(const char* id = "1001") {
    MatchEntry e;
    e.id = id;
    e.date = "2026-12-09";
    e.time = "18:30";
    e.home = "Arsenal";
    e.away = "Chelsea";
    e.liga = "England.Premier League";
    e.kf1 = "1,85";
    e.kf2 = "3,40";
    e.kf3 = "4,20";
    e.p1 = "48";
    e.x = "27";
    e.p2 = "25";
    e.t05 = "88";
    e.t15 = "70";
    e.t25 = "52";
    e.oz = "55";
    e.count = "12";
    return e;
}

class MatchGridTest : public ::testing::Test {
protected:
    MatchGridTest() : m_comma(',') {
        owner = std::make_unique<TComponent>(nullptr);
        images = new TImageList(owner.get());
        LoadFlagImages(*images);
        LoadFlagHeaderGlyph(glyph);
        fg = new TNxGrid(owner.get());
        fg->SetName("FG");
        fg5 = new TNxGrid(owner.get());
        fg5->SetName("FG5");
        for (auto [grid, which] : {std::pair{fg, mgFull}, std::pair{fg5, mgFiltered}}) {
            ApplyMatchGridSettings(*grid);
            CreateMatchColumns(*grid, owner.get(), which, images, &glyph);
        }
    }

    std::unique_ptr<TComponent> owner;
    TImageList* images = nullptr;
    TBitmap glyph;
    TNxGrid* fg = nullptr;
    TNxGrid* fg5 = nullptr;

private:
    DecimalSeparatorScope m_comma;
};
