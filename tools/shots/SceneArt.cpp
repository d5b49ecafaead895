#include "SceneArt.h"

#include "gfx/Canvas.h"

void AddTabImages(TImageList& list) {
    list.SetSize(16, 16);
    for (int kind = 0; kind < 2; ++kind) {
        TBitmap b(16, 16);
        b.Fill(clFuchsia);
        TCanvas& c = *b.Canvas();
        c.Pen()->SetColor(kind == 0 ? RGB(20, 70, 150) : RGB(40, 40, 40));
        c.Brush()->SetColor(kind == 0 ? RGB(80, 150, 230) : clWhite);
        c.Ellipse(1, 1, 15, 15);
        if (kind == 0) {
            c.Pen()->SetColor(RGB(40, 140, 60));
            c.MoveTo(4, 6);
            c.LineTo(8, 4);
            c.LineTo(11, 8);
            c.LineTo(7, 11);
        } else {
            c.Brush()->SetColor(RGB(40, 40, 40));
            c.Polygon({{8, 5}, {11, 7}, {10, 10}, {6, 10}, {5, 7}});
        }
        list.AddMasked(b, clFuchsia);
    }
}
