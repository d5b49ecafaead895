#include "app/StartPreparation.h"

#include "data/AboutPicture.h"
#include "data/ProgramSkin.h"
#include "gfx/FontFace.h"
#include "platform/DeviceScale.h"
#include "platform/Process.h"
#include "skin/CompressedStoredSkin.h"

#include <atomic>
#include <cstdlib>
#include <iterator>
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
void PrepareSkin(TPreparedStart& prepared) {
    try {
        const int scale = prepared.scale;
        prepared.skinSource.assign(reinterpret_cast<const char*>(ProgramSkinData(scale)),
                                   ProgramSkinSize(scale));
        const std::unique_ptr<TMemoryStream> inflated =
            TspCompressedStoredSkin::Inflate(ProgramSkinData(scale), ProgramSkinSize(scale));
        prepared.skinContents =
            ReadSkinContainer(inflated->Memory(), static_cast<std::size_t>(inflated->Size()));
    } catch (...) {
        prepared.skinContents.reset();
    }
}

void PrepareAboutPicture(TPreparedStart& prepared) {
    try {
        DecodeAboutPicture(prepared.aboutPicture, prepared.scale);
    } catch (...) {
        prepared.aboutPicture.SetSize(0, 0);
    }
}

void PrepareFaces(TPreparedStart& prepared) {
    try {
        for (const FaceUse& use : kWindowFaces) {
            std::shared_ptr<TFontFace> face = TFontFace::Get(use.name, use.height, use.bold, false);
            face->TextWidth(kCommonGlyphs);
            prepared.faces.push_back(std::move(face));
        }
    } catch (...) {
    }
}

constexpr void (*kParts[])(TPreparedStart&) = {PrepareSkin, PrepareAboutPicture, PrepareFaces};

// The parts are taken one at a time by whoever is free: the preparing thread, and the main
// thread once the display is open, so that neither waits while a part is left.
struct TPreparation {
    TPreparedStart prepared;
    std::atomic<int> next{0};

    void RunParts() {
        for (int part; (part = next.fetch_add(1)) < int(std::size(kParts));) kParts[part](prepared);
    }
};

std::mutex g_mutex;
std::thread g_worker;
std::shared_ptr<TPreparation> g_preparation; // under way
std::unique_ptr<TPreparedStart> g_prepared;  // finished, not yet taken

} // namespace

void BeginPreparingStart() {
    std::lock_guard<std::mutex> lock(g_mutex);
    if (g_preparation) return;
    auto preparation = std::make_shared<TPreparation>();
    preparation->prepared.scale = ExpectedScale();
    try {
        g_worker = std::thread([preparation] {
            // Below the thread that opens the display, which mostly waits on the display
            // server: on a machine of two cores the three of them would otherwise contend.
            LowerThisThreadsPriority(kPreparationNice);
            preparation->RunParts();
        });
    } catch (const std::system_error&) {
        // No thread to spare: the main thread does it all when it finishes.
    }
    g_preparation = std::move(preparation);
}

void FinishPreparingStart() {
    std::thread worker;
    std::shared_ptr<TPreparation> preparation;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        worker = std::move(g_worker);
        preparation = std::move(g_preparation);
    }
    if (!preparation) return;
    preparation->RunParts();
    if (worker.joinable()) worker.join();
    std::lock_guard<std::mutex> lock(g_mutex);
    g_prepared = std::make_unique<TPreparedStart>(std::move(preparation->prepared));
}

std::unique_ptr<TPreparedStart> TakePreparedStart() {
    std::lock_guard<std::mutex> lock(g_mutex);
    return std::move(g_prepared);
}
