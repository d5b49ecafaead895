#pragma once
// Device pixels a point from what the user and the desktop say: the program's own setting,
// the toolkit setting X11 desktops export, and the screen's dots per inch in X resources.
#include <string>

// A scale as the user writes it (BRELVAN_SCALE, GDK_SCALE): 1, 2 or 3; 0 for nothing set or
// anything else.
int ScaleSetting(const char* text);

// The scale for a screen of `dpi` dots per inch as X11 desktops state it: 144 and up is 2,
// 240 and up is 3, anything less (or nothing known) 1.
int ScaleFromDpi(double dpi);

// The value of Xft.dpi in the text of X resources ("Xft.dpi:\t144" on a line of its own); 0
// when it is not there or not a number.
double XftDpi(const std::string& resources);

// A compositor's scale for its outputs kept to what the program draws: 1 to 3.
int ClampScale(int scale);
