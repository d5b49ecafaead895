#pragma once
// Where the pictures of the program's popup menus, tool tips and the inactive frame lie.
// The painters draw at these places and the description names the same rectangles.
#include "gfx/Types.h"
#include "tools/skingen/SkinLayout.h"

namespace skinlayout {

// Active picture: the popup window (a rounded plate sliced to the menu's size) and its mask.
inline constexpr int PopupWidth = 40, PopupHeight = 40;
inline constexpr int PopupCorner = 6;
inline constexpr TRect PopupItems{3, 3, 37, 37};
inline constexpr double PopupRadius = 4.5;
inline constexpr Rgb PopupBorder{122, 134, 152};

// Active picture: the tool tip window and its mask.
inline constexpr int HintWidth = 30, HintHeight = 24;
inline constexpr int HintCorner = 5;
inline constexpr TRect HintClient{7, 4, 23, 20};
inline constexpr Rgb HintFace{252, 252, 246};

// Active picture: the menu items, one row per look, and the divider.
inline constexpr int MenuItemWidth = 60, MenuItemHeight = 22;
inline constexpr TRect MenuItemNormal{0, 0, 60, 22};
inline constexpr TRect MenuItemActive{0, 22, 60, 44};
inline constexpr TRect MenuDivider{0, 44, 60, 51};
inline constexpr int MenuItemOffset = 7;    // fixed ends of an item's face
inline constexpr int MenuDividerOffset = 9; // fixed ends of the divider
inline constexpr TRect MenuItemText{24, 0, 50, 22};
inline constexpr int MenuPictureHeight = 51;

// The inactive frame: the active frame's chrome greyed and lightened.
Rgb InactiveChrome(Rgb c);

} // namespace skinlayout
