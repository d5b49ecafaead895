// skingen OUTDIR — draws every picture of the program's skin and writes the skin folder:
// the description skin.ini, the frame picture, its 1-bit mask and the active pictures; and
// the same skin drawn at 2 and 3 device pixels a point in OUTDIR/2x and OUTDIR/3x.
// skingen --preview OUT.png — the skin put together at a window size, for looking at it.
#include "gfx/Png.h"
#include "rtl/CommandLine.h"
#include "rtl/Exceptions.h"
#include "rtl/StringList.h"
#include "tools/skingen/Painters.h"
#include "tools/skingen/Preview.h"
#include "tools/skingen/SkinDescription.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {
const TCommandLineTool kTool{
    "skingen",
    "usage: skingen OUTDIR\n"
    "       skingen --preview OUT.png\n"
    "       skingen --help | --version\n"
    "\n"
    "Draws every picture of the program's skin and writes the skin folder OUTDIR: the\n"
    "description skin.ini, the frame picture, its 1-bit mask and the other pictures. The\n"
    "folders OUTDIR/2x and OUTDIR/3x get the same skin with its pictures drawn at 2 and 3\n"
    "pixels a point (the description's rectangles and the masks stay in points).\n"
    "\n"
    "Options:\n"
    "  --preview OUT.png  writes the skin put together at a window size instead, to look at\n"
    "  --help             prints this text\n"
    "  --version          prints the version\n"
    "\n"
    "Exit codes:\n"
    "  0  written\n"
    "  1  a file could not be written\n"
    "  2  usage error: an unknown option or wrong arguments\n"};

// One skin folder: every picture drawn at `scale`, the masks and the description as at 1x.
void WriteSkinFolder(const std::filesystem::path& dir, int scale) {
    std::filesystem::create_directories(dir);
    auto save = [&](const Raster& r, TPixelFormat format, const char* name) {
        r.ToBitmap(format).SaveToFile((dir / name).string());
    };
    save(PaintFrame(scale), pf24bit, FramePictureFile);
    save(PaintFrameMask(), pf1bit, FrameMaskFile);
    save(PaintControls(scale), pf24bit, ControlsPictureFile);
    Raster buttons = PaintFrameButtons(scale);
    MuteInactiveButtonLooks(buttons);
    save(buttons, pf24bit, FrameButtonsPictureFile);
    save(PaintInactiveFrame(scale), pf24bit, InactiveFramePictureFile);
    save(PaintPopupWindow(scale), pf24bit, PopupPictureFile);
    save(PaintPopupMask(), pf1bit, PopupMaskFile);
    save(PaintHintWindow(scale), pf24bit, HintPictureFile);
    save(PaintHintMask(), pf1bit, HintMaskFile);
    save(PaintMenuItems(scale), pf24bit, MenuItemsPictureFile);
    TStringList ini;
    for (const std::string& line : SkinDescriptionLines()) ini.Add(line);
    ini.SaveToFile((dir / "skin.ini").string());
}

} // namespace

int main(int argc, char** argv) {
    if (auto stop = CheckCommandLine(kTool, argc, argv, {{"--preview", true}})) return *stop;
    if (argc == 3 && std::string(argv[1]) == "--preview") {
        if (IsOptionArgument(argv[2])) return RefuseOption(kTool, argv[2]);
        try {
            TBitmap preview = PaintPreview(640, 300).ToBitmap(pf24bit);
            LabelPreview(preview);
            SavePng(preview, argv[2]);
            return 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "skingen: %s\n", e.what());
            return 1;
        }
    }
    if (argc != 2 || IsOptionArgument(argv[1])) {
        std::fputs(kTool.Usage, stderr);
        return kTool.UsageExit;
    }
    try {
        const std::filesystem::path dir(argv[1]);
        WriteSkinFolder(dir, 1);
        WriteSkinFolder(dir / "2x", 2);
        WriteSkinFolder(dir / "3x", 3);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
