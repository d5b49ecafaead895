// brelvan-cli: the tips service client without the window, for scripts and tests. The usage
// text below says what it does.

#include "platform/TerminalText.h"
#include "rtl/CommandLine.h"
#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "service/HttpClient.h"
#include "service/HttpErrors.h"
#include "service/MatchList.h"
#include "service/ServiceUrls.h"
#include "service/VersionProbe.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace {

// Exit codes. Scripts tell an outdated program (2) from a refused login by them, so a usage
// error keeps the code it always had.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;
constexpr int kExitUpdateRequired = 2;
constexpr int kExitLoginRefused = 3;
constexpr int kExitMatchListRefused = 4;
// A request failed: `get -o`, or `matches` when the service cannot be reached or its
// certificate is not trusted.
constexpr int kExitRequestFailed = 5;

const std::string kUsage =
    "usage: brelvan-cli [--timeout MS] matches HOST LOGIN PASSWORD\n"
    "       brelvan-cli [--timeout MS] get URL [URL ...]\n"
    "       brelvan-cli [--timeout MS] get -o FILE URL\n"
    "       brelvan-cli [--timeout MS] probe URL\n"
    "       brelvan-cli parse [FILE]\n"
    "       brelvan-cli --help | --version\n"
    "\n"
    "Speaks to the tips service as the window does and writes what it reads to stdout.\n"
    "\n"
    "Commands:\n"
    "  matches HOST LOGIN PASSWORD  checks the version, logs in and prints the day's matches\n"
    "                               as CSV with a header line; the subscription and the number\n"
    "                               of matches go to stderr. HOST is host[:port] or\n"
    "                               http://host[:port] for plain HTTP, https://host[:port] for\n"
    "                               HTTPS (an IPv6 address in brackets, [::1]:8443). LOGIN and\n"
    "                               PASSWORD are read in the terminal's encoding and sent in\n"
    "                               code page 1251.\n"
    "  get URL [URL ...]            fetches each URL on one client and prints \"#N ok SIZE\"\n"
    "                               (or \"failed\") and the answer\n"
    "  get -o FILE URL              streams the answer's body into FILE\n"
    "  probe URL                    prints true when the URL answers 200 or 302, else false\n"
    "  parse [FILE]                 prints the subscription and the entries of a service answer\n"
    "                               read from FILE or stdin, one tab-separated line each\n"
    "\n"
    "Options:\n"
    "  --timeout MS  the time limit of each network request in milliseconds (default " +
    std::to_string(THttpClient::kDefaultTimeoutMs) +
    ")\n"
    "  --help        prints this text\n"
    "  --version     prints the version\n"
    "\n"
    "HTTPS: the server's certificate must be trusted by the system (ca-certificates) and made\n"
    "out for the host; SSL_CERT_FILE=FILE (SSL_CERT_DIR=DIR) names certificates to trust in\n"
    "place of the system's bundle (folder), e.g. a private CA's. Nothing falls back to HTTP.\n"
    "Proxies: http_proxy, https_proxy (or HTTPS_PROXY), all_proxy (or ALL_PROXY) and no_proxy\n"
    "(or NO_PROXY) as curl reads them; only http:// proxies, HTTPS through them by CONNECT.\n"
    "\n"
    "Exit codes:\n"
    "  0  done\n"
    "  1  usage error: an unknown option, wrong arguments, a HOST that is not host[:port], a\n"
    "     login or password that code page 1251 cannot hold, a FILE that cannot be read\n"
    "  2  matches: the service no longer serves this version; the program needs an update\n"
    "  3  matches: the service refused the login\n"
    "  4  matches: the service refused the match list\n"
    "  5  a request failed: get -o; matches when the service cannot be reached or its\n"
    "     certificate is not trusted (\"The tips service's certificate is not trusted: ...\")\n";

const TCommandLineTool kTool{"brelvan-cli", kUsage.c_str(), kExitUsage};

int Usage() {
    std::fputs(kUsage.c_str(), stderr);
    return kExitUsage;
}

// A login or password as the service reads it: in code page 1251.
bool ToServiceText(const char* what, std::string_view typed, AnsiString& ansi) {
    std::string error;
    if (TerminalTextToAnsi(typed, TerminalEncoding(), ansi, error)) return true;
    std::fprintf(stderr, "brelvan-cli: the %s cannot be sent: %s\n", what, error.c_str());
    return false;
}

void Write(std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

// Backslash, tab, CR and LF as two-character escapes; every other byte as it is.
std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

bool ReadAll(const char* path, std::string& bytes) {
    if (!path) {
        bytes.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    bytes = buffer.str();
    return true;
}

int CommandGet(int count, char** urls, int timeoutMs) {
    THttpClient client(nullptr);
    client.SetTimeoutMs(timeoutMs);
    for (int i = 0; i < count; ++i) {
        AnsiString answer;
        bool ok = true;
        try {
            client.HttpGetText(urls[i], answer);
        } catch (const Exception&) {
            ok = false;
        }
        std::printf("#%d %s %zu\n", i + 1, ok ? "ok" : "failed", answer.size());
        Write(answer);
        Write("\n");
    }
    return kExitDone;
}

// Writes the body of one GET to a file as it arrives, without keeping it.
int CommandGetToFile(const char* path, const char* url, int timeoutMs) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) {
        std::fprintf(stderr, "brelvan-cli: cannot create %s\n", path);
        return kExitRequestFailed;
    }
    THttpClient client(nullptr);
    client.SetTimeoutMs(timeoutMs);
    bool ok = true;
    try {
        client.HttpGet(url, [file](std::string_view bytes) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
                throw Exception("cannot write the body");
        });
    } catch (const Exception& e) {
        std::fprintf(stderr, "brelvan-cli: %s\n", e.Message().c_str());
        ok = false;
    }
    if (std::fclose(file) != 0 && ok) {
        std::fprintf(stderr, "brelvan-cli: cannot write %s\n", path);
        ok = false;
    }
    return ok ? kExitDone : kExitRequestFailed;
}

int CommandProbe(const char* url, int timeoutMs) {
    std::printf("%s\n", CheckUrlAvailable(url, timeoutMs) ? "true" : "false");
    return kExitDone;
}

int CommandParse(const char* path) {
    std::string answer;
    if (!ReadAll(path, answer)) {
        std::fprintf(stderr, "brelvan-cli: cannot read %s\n", path);
        return kExitUsage;
    }
    std::string out;
    auto print = [&out](const MatchEntry& entry) {
        out.clear();
        for (int f = 0; f < MatchEntry::kFieldCount; ++f) {
            if (f) out += '\t';
            out += Escape(entry.Field(f));
        }
        out += '\n';
        Write(out);
    };
    Write("PODPISKA\t" + Escape(ParseSubscription(answer)) + "\n");
    ParseMatchList(answer, print);
    return kExitDone;
}

// The login and match-list exchange as the window runs it, printed as CSV.
// One request of the exchange, as the window makes it: a refusal by status is an (empty)
// answer, what arrived of a body before the connection broke is the answer, and nothing at all
// is not one. False, with the reason on stderr, for the last.
// A certificate that is not trusted says so in its own words; anything else could not reach.
void ReportUnreachable(const std::string& reason) {
    if (reason.rfind(kUntrustedCertificateText, 0) == 0)
        std::fprintf(stderr, "%s\n", reason.c_str());
    else
        std::fprintf(stderr, "brelvan-cli: cannot reach the tips service: %s\n", reason.c_str());
}

bool AskService(THttpClient& client, const AnsiString& url, AnsiString& answer) {
    try {
        client.HttpGetText(url, answer);
    } catch (const EHttpProtocolError&) {
    } catch (const EHttpError& e) {
        if (!answer.empty()) return true;
        ReportUnreachable(e.Message());
        return false;
    }
    return true;
}

int CommandMatches(const AnsiString& host, const AnsiString& login, const AnsiString& password,
                   int timeoutMs) {
    const TVersionProbeResult probe = ProbeVersion(BuildVersionProbeUrl(host), timeoutMs);
    if (probe.Answer == TVersionProbeAnswer::Unreachable) {
        ReportUnreachable(probe.Reason);
        return kExitRequestFailed;
    }
    if (probe.Answer == TVersionProbeAnswer::NotServed) {
        std::fprintf(stderr,
                     "Update New Version Programm Please!\nGo to site %s\n%s\nDownload page: %s\n",
                     ServiceHostLabel(host).c_str(), "Обновите программу с сайта!",
                     BuildDownloadPageUrl(host).c_str());
        return kExitUpdateRequired;
    }
    THttpClient client(nullptr);
    client.SetTimeoutMs(timeoutMs);
    const AnsiString url = BuildLoginUrl(host, login, password);

    AnsiString loginAnswer;
    if (!AskService(client, url, loginAnswer)) return kExitRequestFailed;
    if (loginAnswer.find("Fail") != AnsiString::npos) {
        std::fprintf(stderr, "Autorization Failed!\n");
        return kExitLoginRefused;
    }
    AnsiString caption;
    GetTagValue(loginAnswer, "PODPISKA", caption);
    std::fprintf(stderr, "Brelvan (%s)\n", AnsiToUtf8(caption).c_str());

    AnsiString listAnswer;
    if (!AskService(client, url, listAnswer)) return kExitRequestFailed;
    if (listAnswer.find("Failed") != AnsiString::npos) {
        std::fprintf(stderr, "%s\n", "Ошибка авторизации!");
        return kExitMatchListRefused;
    }
    std::string header;
    for (int f = 0; f < MatchEntry::kFieldCount; ++f)
        header += (f ? "," : "") + std::string(MatchEntry::kTagNames[f]);
    Write(header + "\n");
    int entries = 0;
    std::string line;
    AnsiString subscription = ParseMatchList(
        listAnswer,
        [&line](const MatchEntry& entry) {
            line.clear();
            for (int f = 0; f < MatchEntry::kFieldCount; ++f) {
                if (f) line += ',';
                line += CsvField(AnsiToUtf8(entry.Field(f)));
            }
            line += '\n';
            Write(line);
        },
        &entries);
    if (subscription != caption)
        std::fprintf(stderr, "Brelvan (%s)\n", AnsiToUtf8(subscription).c_str());
    if (entries > 0) std::fprintf(stderr, "Count: %d\n", entries);
    return kExitDone;
}

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    // Options come before the command; the command's own arguments (a password, say) may
    // start with "-".
    if (auto stop = CheckCommandLine(kTool, argc, argv, {{"--timeout", true}}, true)) return *stop;
    int timeoutMs = THttpClient::kDefaultTimeoutMs;
    int i = 1;
    if (i < argc && std::string(argv[i]) == "--timeout") {
        char* end = nullptr;
        long value = i + 1 < argc ? std::strtol(argv[i + 1], &end, 10) : -1;
        if (!end || *end || value < 0 || value > 24L * 3600 * 1000)
            return UsageError(kTool, "--timeout needs a number of milliseconds up to a day");
        timeoutMs = static_cast<int>(value);
        i += 2;
    }
    if (i >= argc) return Usage();
    std::string command = argv[i++];
    int rest = argc - i;
    // URLs and files never start with "-": such an argument is a misplaced option (or a
    // late --help).
    if (command != "matches") {
        const bool toFile = command == "get" && rest == 3 && std::string(argv[i]) == "-o";
        for (int a = toFile ? i + 1 : i; a < argc; ++a) {
            const char* one[] = {argv[0], argv[a]};
            if (IsOptionArgument(argv[a]))
                return CheckCommandLine(kTool, 2, one).value_or(kExitUsage);
        }
    }
    int result;
    if (command == "get" && rest == 3 && std::string(argv[i]) == "-o") {
        result = CommandGetToFile(argv[i + 1], argv[i + 2], timeoutMs);
    } else if (command == "get" && rest >= 1) {
        result = CommandGet(rest, argv + i, timeoutMs);
    } else if (command == "probe" && rest == 1) {
        result = CommandProbe(argv[i], timeoutMs);
    } else if (command == "parse" && rest <= 1) {
        result = CommandParse(rest == 1 ? argv[i] : nullptr);
    } else if (command == "matches" && rest == 3) {
        AnsiString host, error, login, password;
        if (!ParseServiceHost(argv[i], host, error)) return UsageError(kTool, error);
        if (!ToServiceText("login", argv[i + 1], login) ||
            !ToServiceText("password", argv[i + 2], password))
            return kExitUsage;
        result = CommandMatches(host, login, password, timeoutMs);
    } else {
        return Usage();
    }
    std::fflush(stdout);
    return result;
}
