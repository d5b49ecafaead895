// brelvan: the program's entry. Opens the display, creates the main window and runs the
// message loop until the window closes.
#include "app/ServiceHost.h"
#include "app/StartPreparation.h"
#include "app/Unit1.h"

#include "app/AccessibilityModule.h"

#include "platform/Internet.h"
#include "platform/Process.h"
#include "platform/SdlDisplay.h"
#include "rtl/CommandLine.h"
#include "service/ServiceUrls.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNoDisplay = 3;

// The usage names the built-in service, so it is written out once at start.
std::string UsageText() {
    char text[2048];
    std::snprintf(text, sizeof text,
                  "usage: brelvan [--startup-only]\n"
                  "       brelvan --help | --version\n"
                  "\n"
                  "The Brelvan football tips client: log in, read the day's matches with their\n"
                  "odds and percentages, and filter them.\n"
                  "\n"
                  "Options:\n"
                  "  --startup-only  open the window, show its first frame, say so on standard\n"
                  "                  output and exit (for timing the start)\n"
                  "  --help          prints this text\n"
                  "  --version       prints the version\n"
                  "\n"
                  "Environment:\n"
                  "  BRELVAN_SERVICE=ADDRESS  the tips service and product site to use:\n"
                  "                           host[:port] or http://host[:port] for plain\n"
                  "                           HTTP, https://host[:port] for HTTPS, an IPv6\n"
                  "                           address in brackets (built-in: %s)\n"
                  "  SSL_CERT_FILE=FILE       certificates to trust for HTTPS (a private CA's) in\n"
                  "  SSL_CERT_DIR=DIR         place of the system's bundle or folder\n"
                  "  https_proxy, http_proxy, all_proxy, no_proxy  the proxy, as curl reads them\n"
                  "\n"
                  "Exit codes:\n"
                  "  0  the window was closed (by the user, or by SIGTERM, SIGINT or SIGHUP)\n"
                  "  1  the connection to the display was lost\n"
                  "  %d  usage error: an unknown option or argument, or a bad BRELVAN_SERVICE\n"
                  "  %d  no display can be opened\n",
                  kTipsServiceHost, kExitUsage, kExitNoDisplay);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const std::string usage = UsageText();
    const TCommandLineTool tool{"brelvan", usage.c_str(), kExitUsage};
    if (auto stop = CheckCommandLine(tool, argc, argv, {{"--startup-only"}})) return *stop;
    bool startupOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--startup-only") == 0)
            startupOnly = true;
        else
            return UsageError(tool, std::string("unexpected argument \"") + argv[i] + "\"");
    }
    std::string error;
    if (!CheckServiceEnvironment(error)) {
        std::fprintf(stderr, "brelvan: %s\n", error.c_str());
        return kExitUsage;
    }
    // A session that ends (or a user's kill) closes the window the ordinary way, from
    // whichever loop runs, and the program exits 0.
    CatchTerminationSignals();
    SdlDisplay::PrepareEnvironment(); // before the preparation's thread starts
    BeginPreparingStart();
    std::unique_ptr<Display> display = SdlDisplay::TryOpen(error);
    FinishPreparingStart();
    if (!display) {
        std::fprintf(stderr, "brelvan: cannot open a display (%s); run it in a graphical session\n",
                     error.c_str());
        return kExitNoDisplay;
    }
    SetDisplay(std::move(display));

    Application->Initialize();
    Application->CreateForm(Form1);
    Form1->Show();
    Application->ProcessMessages(); // lays out, paints and presents the first frame
    if (startupOnly) {
        // Whoever times the start reads this line; the teardown after it is not the start.
        std::puts("first frame presented");
        std::fflush(stdout);
        return 0;
    }
    // Loaded once the window shows, not beside its start (where it would slow the display's
    // opening more than it saves), so that the first LOGIN finds the transfer library ready.
    std::jthread transferLibrary(InternetPreload);
    // After the first frame, so that the start is not slowed: where the session has a bus,
    // screen readers find the window through it from now on; without one nothing changes.
    std::string noBridge;
    StartAccessibility(noBridge);
    Application->Run();
    StopAccessibility();
    return 0;
}
