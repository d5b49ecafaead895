#pragma once
// The description (INI text) of the program's skin, naming the pictures skingen writes.
#include <string>
#include <vector>

// File names of the pictures, in the order the description lists them.
inline constexpr const char* FramePictureFile = "frame.bmp";
inline constexpr const char* FrameMaskFile = "framemask.bmp";
inline constexpr const char* ControlsPictureFile = "controls.bmp";           // active picture 0
inline constexpr const char* FrameButtonsPictureFile = "captionbuttons.bmp"; // active picture 1
inline constexpr const char* InactiveFramePictureFile = "frameinactive.bmp";
// Active pictures 2 to 6: the popup menu window and its mask, the tool tip window and its
// mask, the menu items.
inline constexpr const char* PopupPictureFile = "popup.bmp";
inline constexpr const char* PopupMaskFile = "popupmask.bmp";
inline constexpr const char* HintPictureFile = "hint.bmp";
inline constexpr const char* HintMaskFile = "hintmask.bmp";
inline constexpr const char* MenuItemsPictureFile = "menuitems.bmp";

std::vector<std::string> SkinDescriptionLines();
