#pragma once
// The description (INI text) of the program's skin, naming the pictures skingen writes.
#include <string>
#include <vector>

// File names of the pictures, in the order the description lists them.
inline constexpr const char* FramePictureFile = "frame.bmp";
inline constexpr const char* FrameMaskFile = "framemask.bmp";
inline constexpr const char* ControlsPictureFile = "controls.bmp";           // active picture 0
inline constexpr const char* FrameButtonsPictureFile = "captionbuttons.bmp"; // active picture 1

std::vector<std::string> SkinDescriptionLines();
