#pragma once
// The pictures of the program's skin.
#include "tools/skingen/Raster.h"

// Every picture but the masks is drawn at `scale` device pixels a point. The masks give the
// window's shape in points and are drawn at 1x for every scale.

// The window frame picture (150 x 107) and its 1-bit mask (black = window).
Raster PaintFrame(int scale = 1);
Raster PaintFrameMask();
// Active picture 1: the caption buttons in all their looks.
Raster PaintFrameButtons(int scale = 1);
// Active picture 0: every control image.
Raster PaintControls(int scale = 1);

// A rounded plate: a one-pixel outline around a vertically shaded face, edges smoothed
// against `bg`. `highlight` lightens the face's first row for a lit top edge.
void PaintPlate(Raster& r, const Box& rc, double radius, Rgb border, Rgb top, Rgb bottom, Rgb bg,
                double highlight = 0);

// The popup menu window and its mask, the tool tip window and its mask, the menu item looks,
// and the inactive frame (the active one's chrome greyed); MenuLayout.h places them.
Raster PaintPopupWindow(int scale = 1);
Raster PaintPopupMask();
Raster PaintHintWindow(int scale = 1);
Raster PaintHintMask();
Raster PaintMenuItems(int scale = 1);
Raster PaintInactiveFrame(int scale = 1);
// The caption buttons' inactive looks in the inactive frame's colours.
void MuteInactiveButtonLooks(Raster& buttons);
