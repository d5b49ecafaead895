// shots OUTDIR [scene...]: renders the named scenes (all when none is named) on the headless
// display and writes OUTDIR/<scene>.png for each.
#include <cstdio>
#include <filesystem>
#include <map>

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
    TBitmap picture(area.Width(), area.Height());
    picture.Fill(RGB(58, 110, 165));
    for (int id : g_display->Windows()) {
        const HeadlessDisplay::Window* w = g_display->FindWindow(id);
        if (!w || !w->visible || w->minimized) continue;
        for (int y = 0; y < w->bounds.h; ++y) {
            int py = w->bounds.y + y - area.Top;
            if (py < 0 || py >= area.Height()) continue;
            for (int x = 0; x < w->bounds.w; ++x) {
                int px = w->bounds.x + x - area.Left;
                if (px < 0 || px >= area.Width()) continue;
                picture.ScanLine(py)[px] = 0xFF000000u | w->pixels[size_t(y) * w->bounds.w + x];
            }
        }
    }
    SavePng(picture, pngPath);
}

namespace {
// The usage text names the scenes there are, so it is made when asked for.
std::string UsageText() {
    std::string text = "usage: shots OUTDIR [SCENE...]\n"
                       "       shots --help | --version\n"
                       "\n"
                       "Renders the named scenes (all when none is named) on the headless display\n"
                       "and writes OUTDIR/SCENE.png for each, printing each file's name.\n"
                       "\n"
                       "Scenes:\n";
    for (const auto& [name, fn] : Registry()) text += "  " + name + "\n";
    text += "\n"
            "Options:\n"
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
    if (auto stop = CheckCommandLine(tool, argc, argv)) return *stop;
    if (argc < 2) {
        std::fputs(usage.c_str(), stderr);
        return tool.UsageExit;
    }
    // Made absolute now: the scenes of the window change the current folder to one of their
    // own, and a relative OUTDIR would be taken inside it.
    std::error_code ec;
    std::filesystem::path out = std::filesystem::absolute(argv[1], ec);
    if (ec) out = argv[1];
    std::filesystem::create_directories(out, ec);
    g_display = new HeadlessDisplay(1280, 1024);
    SetDisplay(std::unique_ptr<Display>(g_display));
    Application->Initialize();
    std::vector<std::string> names;
    for (int i = 2; i < argc; ++i) names.push_back(argv[i]);
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
        std::string path = (out / (name + ".png")).string();
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
