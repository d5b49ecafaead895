// brelvan: the program's entry. Opens the display, creates the main window and runs the
// message loop until the window closes.
#include "app/ServiceHost.h"
#include "app/Unit1.h"

#include "platform/SdlDisplay.h"
#include "service/ServiceUrls.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNoDisplay = 3;

void PrintUsage() {
    std::printf("usage: brelvan [--help] [--version]\n"
                "\n"
                "The Brelvan football tips client: log in, read the day's matches with their\n"
                "odds and percentages, and filter them.\n"
                "\n"
                "options:\n"
                "  --help      show this text and exit\n"
                "  --version   show the version and exit\n"
                "  --startup-only\n"
                "              open the window, show its first frame, say so on standard\n"
                "              output and exit (for timing the start)\n"
                "\n"
                "environment:\n"
                "  BRELVAN_SERVICE=host[:port]   the tips service and product site to use\n"
                "                                (built-in: %s)\n"
                "\n"
                "exit status: 0 when the window was closed, %d for a usage error or a bad\n"
                "BRELVAN_SERVICE, %d when no display can be opened.\n",
                kTipsServiceHost, kExitUsage, kExitNoDisplay);
}

} // namespace

int main(int argc, char** argv) {
    bool startupOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("brelvan %s\n", kProgramVersion);
            return 0;
        }
        if (std::strcmp(argv[i], "--startup-only") == 0) {
            startupOnly = true;
            continue;
        }
        std::fprintf(stderr, "brelvan: unknown argument \"%s\" (see brelvan --help)\n", argv[i]);
        return kExitUsage;
    }
    std::string error;
    if (!CheckServiceEnvironment(error)) {
        std::fprintf(stderr, "brelvan: %s\n", error.c_str());
        return kExitUsage;
    }
    std::unique_ptr<Display> display = SdlDisplay::TryOpen(error);
    if (!display) {
        std::fprintf(stderr, "brelvan: cannot open a display (%s); run it in a graphical session\n",
                     error.c_str());
        return kExitNoDisplay;
    }
    SetDisplay(std::move(display));

    Application->Initialize();
    Application->CreateForm(Form1);
    if (startupOnly) {
        Form1->Show();
        Application->ProcessMessages(); // lays out, paints and presents the first frame
        // Whoever times the start reads this line; the teardown after it is not the start.
        std::puts("first frame presented");
        std::fflush(stdout);
        return 0;
    }
    Application->Run();
    return 0;
}
