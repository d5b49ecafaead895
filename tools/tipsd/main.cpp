// tipsd: the demo tips service. Serves the version marker, the login and match-list answer
// for one account, the download page and a home page on loopback.

#include "MatchGenerator.h"
#include "TipsServer.h"
#include "rtl/CommandLine.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

namespace {

TipsServer* g_server = nullptr;

void OnSignal(int) {
    if (g_server) g_server->Stop();
}

constexpr int kExitUsage = 2;

const TCommandLineTool kTool{
    "tipsd",
    "usage: tipsd [--port N] [--bind ADDRESS] [--matches N] [--seed S]\n"
    "             [--account LOGIN:PASSWORD] [--answer FILE] [--outdated] [--verbose]\n"
    "             [--tls-cert FILE --tls-key FILE] [--fault MODE[,MODE...]]\n"
    "       tipsd --help | --version\n"
    "\n"
    "The demo tips service: serves the version marker, the login and match-list answer for\n"
    "one account, the download page and a home page until it is stopped (Ctrl+C, SIGTERM).\n"
    "\n"
    "Options:\n"
    "  --port N        port to listen on (default 18080; 0 picks a free one)\n"
    "  --bind ADDRESS  address to listen on (default 127.0.0.1)\n"
    "  --matches N     matches in the list of the day (default 40)\n"
    "  --seed S        seed of the match list and of every fault's bytes (the same seed, the\n"
    "                  same list and the same faults)\n"
    "  --account L:P   the account that logs in (default demo:demo)\n"
    "  --answer FILE   answer every login with the bytes of FILE\n"
    "  --outdated      the version marker answers 404 (the client must update)\n"
    "  --verbose       one line per request on stderr\n"
    "  --tls-cert FILE serve HTTPS with the certificate (and its chain) of the PEM FILE\n"
    "  --tls-key FILE  the private key of that certificate, PEM; goes with --tls-cert\n"
    "  --fault MODES   answer badly on purpose, for trying clients; MODES is a comma-separated\n"
    "                  list of (the option may be given more than once):\n"
    "                    stall            read each request, never answer\n"
    "                    slow=BYTES_PER_S drip each answer at this rate\n"
    "                    reset-after=N    close the connection after N bytes of an answer\n"
    "                    truncate         announce a Content-Length longer than the body,\n"
    "                                     send the body, then close\n"
    "                    garbage          a 200 answer whose body is random bytes\n"
    "                    status=CODE[@PREFIX]  answer CODE to requests whose path starts\n"
    "                                     with PREFIX (every path without one), e.g.\n"
    "                                     status=503@/login/ or status=404@/refresh/\n"
    "                    huge             a body of 100 MB, streamed\n"
    "                    latency=MS       wait MS milliseconds before each answer\n"
    "  --help          prints this text\n"
    "  --version       prints the version\n"
    "\n"
    "Exit codes:\n"
    "  0  stopped by a signal\n"
    "  1  cannot listen, cannot read the answer FILE, or cannot use the certificate or key\n"
    "  2  usage error: an unknown option or an option without a valid value\n",
    kExitUsage};

int MissingValue(const std::string& option) {
    return UsageError(kTool, option + " needs a valid value");
}

bool ParseInt(const char* text, long long low, long long high, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end && *end == '\0' && end != text && value >= low && value <= high;
}

} // namespace

int main(int argc, char** argv) {
    if (auto stop = CheckCommandLine(kTool, argc, argv,
                                     {{"--port", true},
                                      {"--bind", true},
                                      {"--matches", true},
                                      {"--seed", true},
                                      {"--account", true},
                                      {"--answer", true},
                                      {"--tls-cert", true},
                                      {"--tls-key", true},
                                      {"--fault", true},
                                      {"--outdated"},
                                      {"--verbose"}}))
        return *stop;
    TipsServerOptions options;
    MatchListOptions list;
    // The list is of today's matches.
    std::time_t now = std::time(nullptr);
    char today[16];
    std::strftime(today, sizeof today, "%d.%m.%Y", std::localtime(&now));
    list.date = today;
    std::string answerFile;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        long long value = 0;
        if (arg == "--port") {
            const char* text = next();
            if (!text || !ParseInt(text, 0, 65535, value)) return MissingValue(arg);
            options.port = static_cast<int>(value);
        } else if (arg == "--bind") {
            const char* text = next();
            if (!text) return MissingValue(arg);
            options.address = text;
        } else if (arg == "--matches") {
            const char* text = next();
            if (!text || !ParseInt(text, 0, 1000000, value)) return MissingValue(arg);
            list.matchCount = static_cast<int>(value);
        } else if (arg == "--seed") {
            const char* text = next();
            if (!text || !ParseInt(text, 0, 0xFFFFFFFFll, value)) return MissingValue(arg);
            list.seed = static_cast<std::uint32_t>(value);
            options.faults.seed = list.seed;
        } else if (arg == "--account") {
            const char* text = next();
            const char* colon = text ? std::strchr(text, ':') : nullptr;
            if (!colon) return MissingValue(arg);
            options.login.assign(text, colon);
            options.password = colon + 1;
        } else if (arg == "--answer") {
            const char* text = next();
            if (!text || IsOptionArgument(text)) return MissingValue(arg);
            answerFile = text;
        } else if (arg == "--tls-cert" || arg == "--tls-key") {
            const char* text = next();
            if (!text || !*text || IsOptionArgument(text)) return MissingValue(arg);
            (arg == "--tls-cert" ? options.tlsCertificate : options.tlsKey) = text;
        } else if (arg == "--fault") {
            const char* text = next();
            std::string error;
            if (!text || IsOptionArgument(text)) return MissingValue(arg);
            if (!ParseFaultModes(text, options.faults, error)) return UsageError(kTool, error);
        } else if (arg == "--outdated") {
            options.outdated = true;
        } else if (arg == "--verbose") {
            options.verbose = true;
        } else {
            return RefuseOption(kTool, arg);
        }
    }
    if (options.tlsCertificate.empty() != options.tlsKey.empty())
        return UsageError(kTool, "--tls-cert and --tls-key go together");
    if (!answerFile.empty()) {
        std::ifstream in(answerFile, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "tipsd: cannot read %s\n", answerFile.c_str());
            return 1;
        }
        std::ostringstream bytes;
        bytes << in.rdbuf();
        options.answer = bytes.str();
        options.answerFromFile = true;
    } else {
        options.answer = ComposeMatchListAnswer(list);
    }

    TipsServer server(options);
    std::string error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "tipsd: cannot serve on %s:%d: %s\n", options.address.c_str(),
                     options.port, error.c_str());
        return 1;
    }
    g_server = &server;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::signal(SIGPIPE, SIG_IGN);
    const bool v6 = options.address.find(':') != std::string::npos;
    std::fprintf(stderr, "tipsd: serving on %s://%s%s%s:%d/\n", server.Secure() ? "https" : "http",
                 v6 ? "[" : "", options.address.c_str(), v6 ? "]" : "", server.Port());
    server.Run();
    // Connections may still be served on their own threads: end without tearing the server
    // down under them.
    std::fflush(stderr);
    std::_Exit(0);
}
