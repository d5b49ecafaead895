// tray_program: a skinned form that can go to the desktop's status area, driven by lines on
// standard input and telling what becomes of it on standard output, one line each, for
// tests/app/tray-check.sh. Commands: "tray" (the frame's to-tray command), "normal" (back to
// the normal state after a minimise), "state" (prints the state). Output lines:
//   ready | state ... | restored ... | closequery N | traymenu | closed
// where "..." is: visible=0|1 minimized=0|1 active=0|1 intray=0|1 x= y= w= h= protocol=NAME
// Option --refuse-close N: the form refuses the first N requests to close.
#include "data/ProgramSkin.h"
#include "platform/Process.h"
#include "platform/SdlDisplay.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinFrame.h"
#include "skin/SkinMenu.h"
#include "skin/SkinTray.h"
#include "ui/Forms.h"
#include "ui/ThreadMessages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace {

enum TCommand { cmdTray = 1, cmdNormal, cmdState };
constexpr UINT WM_COMMANDLINE = WM_USER + 1;

TForm* g_form = nullptr;
TspSkinFrame* g_frame = nullptr;

void Say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string State() {
    TspSkinTray* tray = TspSkinTray::Find(g_frame);
    char text[256];
    std::snprintf(text, sizeof text,
                  "visible=%d minimized=%d active=%d intray=%d x=%d y=%d w=%d h=%d protocol=%s",
                  g_form->Visible() ? 1 : 0, g_form->WindowState() == wsMinimized ? 1 : 0,
                  g_form->Active() ? 1 : 0, tray && tray->InTray() ? 1 : 0, g_form->Left(),
                  g_form->Top(), g_form->Width(), g_form->Height(),
                  tray ? tray->Protocol().c_str() : "");
    return text;
}

// Where the reader thread's commands arrive, on the UI thread.
class TCommandWindow : public TWinControl {
public:
    using TWinControl::TWinControl;
    void DefaultHandler(TMessage& m) override {
        if (m.Msg != WM_COMMANDLINE) return TWinControl::DefaultHandler(m);
        switch (int(m.WParam)) {
        case cmdTray:
            g_frame->RunCommand(cmMinimizeToTray);
            Application->ProcessMessages();
            Say("state " + State());
            break;
        case cmdNormal:
            g_form->SetWindowState(wsNormal);
            Application->ProcessMessages();
            Say("state " + State());
            break;
        case cmdState:
            Say("state " + State());
            break;
        default:
            break;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    int refuseClose = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--refuse-close") == 0 && i + 1 < argc)
            refuseClose = std::atoi(argv[++i]);
        else {
            std::fprintf(stderr, "usage: tray_program [--refuse-close N]\n");
            return 2;
        }
    }
    // SIGTERM closes the form the ordinary way.
    CatchTerminationSignals();
    SdlDisplay::PrepareEnvironment();
    std::string error;
    std::unique_ptr<Display> display = SdlDisplay::TryOpen(error);
    if (!display) {
        std::fprintf(stderr, "tray_program: no display (%s)\n", error.c_str());
        return 3;
    }
    SetDisplay(std::move(display));
    Application->Initialize();
    g_form = Application->CreateForm<TForm>();
    g_form->SetBounds(200, 150, 400, 300);
    g_form->SetCaption("Tray check");
    // The icon: 0xFFC04020 with a transparent border two pixels wide.
    TBitmap icon(16, 16);
    icon.SetPixelFormat(pf32bit);
    icon.SetAlphaFormat(afDefined);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            icon.ScanLine(y)[x] = x < 2 || y < 2 || x >= 14 || y >= 14 ? 0u : 0xFFC04020u;
    g_form->SetIcon(icon);
    g_frame = new TspSkinFrame(g_form);
    g_frame->SetBorderIcons(biSystemMenu | biMinimize | biMinimizeToTray);
    g_frame->SetSizeable(false);
    g_frame->SetShowIcon(true);
    auto* store = new TspSkinData(g_form);
    g_frame->SetSkinData(store);
    auto* stored = new TspCompressedStoredSkin(g_form);
    LoadProgramSkin(*stored);
    store->SetCompressedStoredSkin(stored);
    int closeQueries = 0;
    g_form->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++closeQueries;
        canClose = closeQueries > refuseClose;
        Say("closequery " + std::to_string(closeQueries));
    };
    g_frame->OnRestore = [](TObject*) { Say("restored " + State()); };
    TspSkinPopupMenu* menu = TspSkinTray::Of(g_frame)->Menu();
    menu->OnPopup = [](TObject*) { Say("traymenu"); };

    auto* commands = new TCommandWindow(g_form);
    g_form->Show();
    Application->ProcessMessages();
    std::thread([commands] {
        std::string line;
        while (std::getline(std::cin, line)) {
            const int command = line == "tray"     ? cmdTray
                                : line == "normal" ? cmdNormal
                                : line == "state"  ? cmdState
                                                   : 0;
            if (command) PostMessageFromThread(commands, WM_COMMANDLINE, WPARAM(command), 0);
        }
    }).detach();
    Say("ready " + State());
    Application->Run();
    Say("closed");
    return 0;
}
