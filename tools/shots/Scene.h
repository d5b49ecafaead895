#pragma once
// Scenes of the shots tool: each renders one picture of the program's windows on the
// headless display and writes it to the path it is given.
//
// Add a scene from any .cpp in tools/shots/:
//     static void RenderGridScene(const std::string& pngPath) { ... WriteWindowPngDevice(form,
//     pngPath); } static SceneRegistrar reg("grid", &RenderGridScene);
// Before each scene the tool resets the application (no forms, a fresh fake clock is not
// guaranteed); the headless display is installed and the application initialised.
#include <string>

#include "gfx/Types.h"

using SceneFn = void (*)(const std::string& pngPath);

struct SceneRegistrar {
    SceneRegistrar(const char* name, SceneFn fn);
};

// Writes what the display shows in a screen rectangle (every shown window, lowest first,
// over a plain desktop colour) to a PNG file: for scenes with more than one window.
void WriteScreenPng(const TRect& area, const std::string& pngPath);
