#pragma once
// Where every image of the program's skin lies, and its palette. The painters draw at
// these places and the description names the same rectangles, so the two never disagree.
#include "gfx/Types.h"
#include "tools/skingen/Raster.h"

namespace skinlayout {

// Palette: a dark slate window chrome around light surfaces, with one azure accent.
inline constexpr Rgb Outline{15, 20, 28};
inline constexpr Rgb TitleTop{66, 80, 106};
inline constexpr Rgb TitleBottom{38, 48, 66};
inline constexpr Rgb TitleHighlight{98, 114, 142};
inline constexpr Rgb Border{38, 48, 66};
inline constexpr Rgb BorderBottom{31, 39, 54};
inline constexpr Rgb InnerEdge{22, 28, 39};
inline constexpr Rgb Accent{45, 140, 240};
inline constexpr Rgb AccentDark{27, 104, 196};
inline constexpr Rgb Surface{238, 241, 245};      // window client and page background
inline constexpr Rgb PanelSurface{246, 248, 251}; // panels and group boxes
inline constexpr Rgb Line{176, 186, 200};         // control outlines
inline constexpr Rgb SoftLine{200, 208, 220};
inline constexpr Rgb Text{30, 36, 48};
inline constexpr Rgb MutedText{96, 106, 122};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Key{255, 0, 255}; // transparent colour of the check images

// The frame picture.
inline constexpr int FrameWidth = 150, FrameHeight = 107;
inline constexpr TRect FrameClient{9, 34, 141, 97};
inline constexpr TRect FrameMaskArea{4, 4, 146, 103};
inline constexpr TPoint FrameLT{40, 50}, FrameRT{110, 50}, FrameLB{40, 80}, FrameRB{110, 80};
inline constexpr TRect FrameCaption{7, 8, 143, 21};
inline constexpr int TopRadius = 8, BottomRadius = 6;
// The title bar's colour at row y (in points) of the frame picture, its outline `px` high.
Rgb TitleColor(double y, double px);

// Active picture 1: the caption buttons, 23 x 13 each, one column per button and one row
// per look (normal, active, pressed, inactive window, disabled).
inline constexpr int CaptionButtonW = 23, CaptionButtonH = 13;
inline constexpr int CloseColumn = 0, MaxColumn = 24, RestoreColumn = 48, MinColumn = 72;
inline constexpr int SysMenuColumn = 96, SysMenuSize = 16;
inline constexpr int FrameButtonsWidth = 112, FrameButtonsHeight = 65;
enum Look { Normal, Active, Down, Inactive, Disabled };
inline TRect CaptionButtonRect(int column, Look look) {
    return Bounds(column, int(look) * CaptionButtonH, CaptionButtonW, CaptionButtonH);
}
inline TRect SysMenuRect(Look look) {
    return Bounds(SysMenuColumn, int(look) * SysMenuSize, SysMenuSize, SysMenuSize);
}

// Active picture 0: every control image.
inline constexpr int AtlasWidth = 420, AtlasHeight = 440;

inline constexpr TRect LabelRect{98, 12, 133, 28};

inline constexpr int CheckSize = 15;
inline constexpr TRect CheckUnchecked{28, 58, 43, 73}, CheckChecked{42, 75, 57, 90};
inline constexpr TRect CheckActiveUnchecked{60, 58, 75, 73}, CheckActiveChecked{60, 75, 75, 90};
inline constexpr TRect CheckDisabledUnchecked{78, 58, 93, 73}, CheckDisabledChecked{78, 75, 93, 90};
inline constexpr TRect RadioUnchecked{100, 58, 115, 73}, RadioChecked{100, 75, 115, 90};
inline constexpr TRect RadioActiveUnchecked{118, 58, 133, 73}, RadioActiveChecked{118, 75, 133, 90};
inline constexpr TRect RadioDisabledUnchecked{136, 58, 151, 73},
    RadioDisabledChecked{136, 75, 151, 90};
inline constexpr TRect CheckFrame{300, 4, 400, 29}, CheckFrameActive{300, 32, 400, 57};

inline constexpr TRect TabNormal{4, 106, 63, 124}, TabActive{66, 106, 125, 124},
    TabHot{128, 106, 187, 124};
inline constexpr TRect TabPage{4, 130, 64, 190}, TabStrip{70, 130, 90, 150};

inline constexpr TRect EditRect{225, 98, 282, 119}, EditActive{225, 122, 282, 143};
inline constexpr TRect EditClient{2, 3, 55, 18};

inline constexpr TRect SpinRect{225, 150, 306, 171}, SpinActive{225, 174, 306, 195};
inline constexpr TRect SpinClient{3, 3, 61, 18};
inline constexpr TRect SpinUp{64, 2, 79, 10}, SpinDown{64, 11, 79, 19}; // inside the box
inline constexpr TRect SpinUpHot{310, 152, 325, 160}, SpinUpPressed{328, 152, 343, 160};
inline constexpr TRect SpinDownHot{310, 161, 325, 169}, SpinDownPressed{328, 161, 343, 169};

inline constexpr TRect PanelRect{4, 220, 64, 260};
inline constexpr TRect GroupRect{70, 220, 129, 300};
inline constexpr int GroupHeader = 18;

inline constexpr TRect UpDownLeft{4, 304, 22, 322}, UpDownRight{22, 304, 40, 322};
inline constexpr int UpDownStateStep = 40; // active looks 40 to the right, pressed 80

inline constexpr TRect ButtonNormal{4, 356, 87, 382}, ButtonActive{90, 356, 173, 382},
    ButtonDown{176, 356, 259, 382}, ButtonDisabled{262, 356, 345, 382};
inline constexpr TRect ResizeNormal{4, 390, 42, 427}, ResizeActive{46, 390, 84, 427},
    ResizeDown{88, 390, 126, 427}, ResizeDisabled{130, 390, 168, 427};

} // namespace skinlayout
