// shots OUTDIR [scene...]: renders the named scenes (all when none is named) on the headless
// display and writes OUTDIR/<scene>.png for each.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>

#include "Scene.h"
#include "gfx/Png.h"
#include "platform/HeadlessDisplay.h"
#include "rtl/CommandLine.h"
#include "ui/Forms.h"

namespace {
std::map<std::string, SceneFn>& Registry() {
    static std::map<std::string, SceneFn> scenes;
    return scenes;
}
HeadlessDisplay* g_display = nullptr;
} // namespace

SceneRegistrar::SceneRegistrar(const char* name, SceneFn fn) {
    Registry()[name] = fn;
}

void WriteScreenPng(const TRect& area, const std::string& pngPath) {
    Application->ProcessMessages();
    // At the display's scale: the area in points, the picture in device pixels.
    const int k = g_display->DeviceScale();
    TBitmap picture(area.Width() * k, area.Height() * k);
    picture.Fill(RGB(58, 110, 165));
    for (int id : g_display->Windows()) {
        const HeadlessDisplay::Window* w = g_display->FindWindow(id);
        if (!w || !w->visible || w->minimized) continue;
        for (int y = 0; y < w->DeviceHeight(); ++y) {
            int py = (w->bounds.y - area.Top) * k + y;
            if (py < 0 || py >= picture.Height()) continue;
            for (int x = 0; x < w->DeviceWidth(); ++x) {
                int px = (w->bounds.x - area.Left) * k + x;
                if (px < 0 || px >= picture.Width()) continue;
                picture.ScanLine(py)[px] =
                    0xFF000000u | w->pixels[size_t(y) * w->DeviceWidth() + x];
            }
        }
    }
    SavePng(picture, pngPath);
}

// "name.png" at 1x, "name@2x.png" at 2x and so on.
std::string ScenePngName(const std::string& scene, int scale) {
    return scale == 1 ? scene + ".png" : scene + "@" + std::to_string(scale) + "x.png";
}

namespace {
std::optional<int> ParseScale(std::string_view text) {
    if (text == "1" || text == "2" || text == "3") return text[0] - '0';
    return std::nullopt;
}

// The usage text names the scenes there are, so it is made when asked for.
std::string UsageText() {
    std::string text = "usage: shots [--scale N] OUTDIR [SCENE...]\n"
                       "       shots --help | --version\n"
                       "\n"
                       "Renders the named scenes (all when none is named) on the headless display\n"
                       "and writes OUTDIR/SCENE.png for each, printing each file's name. At a\n"
                       "scale of 2 or 3 the pictures have that many pixels to a point and are\n"
                       "named OUTDIR/SCENE@2x.png, OUTDIR/SCENE@3x.png.\n"
                       "\n"
                       "Scenes:\n";
    for (const auto& [name, fn] : Registry()) text += "  " + name + "\n";
    text += "\n"
            "Options:\n"
            "  --scale N  device pixels to a point: 1, 2 or 3 (default: BRELVAN_SCALE, or 1)\n"
            "  --help     prints this text\n"
            "  --version  prints the version\n"
            "\n"
            "Exit codes:\n"
            "  0  every scene written\n"
            "  1  a scene is unknown or failed (the others are still written)\n"
            "  2  usage error: an unknown option or no OUTDIR\n";
    return text;
}
} // namespace

int main(int argc, char** argv) {
    const std::string usage = UsageText();
    const TCommandLineTool tool{"shots", usage.c_str()};
    if (auto stop = CheckCommandLine(tool, argc, argv, {{"--scale", true}})) return *stop;
    int scale = 1;
    if (const char* env = std::getenv("BRELVAN_SCALE"); env && *env) {
        const std::optional<int> value = ParseScale(env);
        if (!value) return UsageError(tool, "BRELVAN_SCALE must be 1, 2 or 3");
        scale = *value;
    }
    // --scale N may stand anywhere; the other arguments are OUTDIR and the scenes.
    std::vector<std::string> operands;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) != "--scale") {
            operands.push_back(argv[i]);
            continue;
        }
        const std::optional<int> value = i + 1 < argc ? ParseScale(argv[i + 1]) : std::nullopt;
        if (!value) return UsageError(tool, "--scale takes 1, 2 or 3");
        scale = *value;
        ++i;
    }
    if (operands.empty()) {
        std::fputs(usage.c_str(), stderr);
        return tool.UsageExit;
    }
    // Made absolute now: the scenes of the window change the current folder to one of their
    // own, and a relative OUTDIR would be taken inside it.
    std::error_code ec;
    std::filesystem::path out = std::filesystem::absolute(operands[0], ec);
    if (ec) out = operands[0];
    std::filesystem::create_directories(out, ec);
    g_display = new HeadlessDisplay(1280, 1024, scale);
    SetDisplay(std::unique_ptr<Display>(g_display));
    Application->Initialize();
    std::vector<std::string> names(operands.begin() + 1, operands.end());
    if (names.empty())
        for (auto& [name, fn] : Registry()) names.push_back(name);
    int failures = 0;
    for (const std::string& name : names) {
        auto it = Registry().find(name);
        if (it == Registry().end()) {
            std::fprintf(stderr, "shots: no scene named \"%s\"\n", name.c_str());
            ++failures;
            continue;
        }
        std::string path = (out / ScenePngName(name, scale)).string();
        try {
            Application->Reset();
            it->second(path);
            std::printf("%s\n", path.c_str());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "shots: scene \"%s\" failed: %s\n", name.c_str(), e.what());
            ++failures;
        }
    }
    Application->Reset();
    return failures ? 1 : 0;
}
