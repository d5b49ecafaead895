#include "skinctrls/SkinArrows.h"

void DrawSkinArrow(TCanvas& canvas, const TRect& rect, TspArrowDirection direction, TColor color) {
    int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
    canvas.Pen()->SetColor(color);
    canvas.Pen()->SetWidth(1);
    canvas.Pen()->SetStyle(psSolid);
    for (int i = 0; i <= 3; ++i) {
        switch (direction) {
        case TspArrowDirection::Up:
            canvas.MoveTo(cx - i, cy + i - 2);
            canvas.LineTo(cx + i + 1, cy + i - 2);
            break;
        case TspArrowDirection::Down:
            canvas.MoveTo(cx - i, cy - i + 2);
            canvas.LineTo(cx + i + 1, cy - i + 2);
            break;
        case TspArrowDirection::Left:
            canvas.MoveTo(cx + i - 2, cy - i);
            canvas.LineTo(cx + i - 2, cy + i + 1);
            break;
        case TspArrowDirection::Right:
            canvas.MoveTo(cx - i + 2, cy - i);
            canvas.LineTo(cx - i + 2, cy + i + 1);
            break;
        }
    }
}
