#include "app/StartPreparation.h"

#include "data/AboutPicture.h"
#include "data/ProgramSkin.h"
#include "gfx/FontFace.h"
#include "platform/DeviceScale.h"
#include "platform/Process.h"
#include "skin/CompressedStoredSkin.h"

#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// Niceness of the preparation's thread.
constexpr int kPreparationNice = 10;

struct FaceUse {
    const char* name;
    int height;
    bool bold;
};

// The faces the main window is designed with (Unit1Layout.cpp), each as its fonts ask.
constexpr FaceUse kWindowFaces[] = {
    {"MS Sans Serif", -11, false}, {"Arial", -11, false}, {"Arial", 14, false},
    {"Arial", 14, true},           {"Arial", 16, false},  {"Arial", 16, true},
};

// The glyphs nearly every text of the window is made of.
constexpr char16_t kCommonGlyphs[] = u" !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                     u"[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";

// The screen's scale as far as it is known before the display is open: what the user set.
// Anything else (a compositor's or the screen's own scale) is learnt only from the display;
// when it turns out otherwise the window prepares its pictures again.
int ExpectedScale() {
    if (int scale = ScaleSetting(std::getenv("BRELVAN_SCALE"))) return scale;
    if (int scale = ScaleSetting(std::getenv("GDK_SCALE"))) return scale;
    return 1;
}

// Each part on its own: one that fails leaves its share to the window, which reports it.
std::unique_ptr<TPreparedStart> Prepare() {
    auto prepared = std::make_unique<TPreparedStart>();
    const int scale = prepared->scale = ExpectedScale();
    try {
        prepared->skinSource.assign(reinterpret_cast<const char*>(ProgramSkinData(scale)),
                                    ProgramSkinSize(scale));
        const std::unique_ptr<TMemoryStream> inflated =
            TspCompressedStoredSkin::Inflate(ProgramSkinData(scale), ProgramSkinSize(scale));
        prepared->skinContents =
            ReadSkinContainer(inflated->Memory(), static_cast<std::size_t>(inflated->Size()));
    } catch (...) {
        prepared->skinContents.reset();
    }
    try {
        DecodeAboutPicture(prepared->aboutPicture, scale);
    } catch (...) {
        prepared->aboutPicture.SetSize(0, 0);
    }
    try {
        for (const FaceUse& use : kWindowFaces) {
            std::shared_ptr<TFontFace> face = TFontFace::Get(use.name, use.height, use.bold, false);
            face->TextWidth(kCommonGlyphs);
            prepared->faces.push_back(std::move(face));
        }
    } catch (...) {
    }
    return prepared;
}

std::mutex g_mutex;
std::thread g_worker;
std::unique_ptr<TPreparedStart> g_prepared;

} // namespace

void BeginPreparingStart() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_worker.joinable()) return;
    try {
        g_worker = std::thread([] {
            // Below the thread that opens the display, which mostly waits on the display
            // server: on a machine of two cores the three of them would otherwise contend.
            LowerThisThreadsPriority(kPreparationNice);
            std::unique_ptr<TPreparedStart> prepared = Prepare();
            std::lock_guard<std::mutex> lock(g_mutex);
            g_prepared = std::move(prepared);
        });
    } catch (const std::system_error&) {
        // No thread to spare: the window does it all itself.
    }
}

void FinishPreparingStart() {
    std::thread worker;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        worker = std::move(g_worker);
    }
    if (worker.joinable()) worker.join();
}

std::unique_ptr<TPreparedStart> TakePreparedStart() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::move(g_prepared);
}
