// brelvan-cli: the tips service client without the window, for scripts and tests.
//
//   brelvan-cli [--timeout MS] get URL [URL ...]
//   brelvan-cli [--timeout MS] get -o FILE URL
//   brelvan-cli [--timeout MS] probe URL
//   brelvan-cli parse [FILE]
//   brelvan-cli [--timeout MS] matches HOST LOGIN PASSWORD

#include "rtl/Exceptions.h"
#include "rtl/Strings.h"
#include "service/HttpClient.h"
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

// Exit codes of `matches`.
constexpr int kExitDone = 0;
constexpr int kExitUsage = 1;
constexpr int kExitUpdateRequired = 2;
constexpr int kExitLoginRefused = 3;
constexpr int kExitMatchListRefused = 4;
// Exit code of `get -o` when the request fails.
constexpr int kExitRequestFailed = 5;

void Usage() {
    std::fprintf(stderr, "usage: brelvan-cli [--timeout MS] get URL [URL ...]\n"
                         "       brelvan-cli [--timeout MS] get -o FILE URL\n"
                         "       brelvan-cli [--timeout MS] probe URL\n"
                         "       brelvan-cli parse [FILE]\n"
                         "       brelvan-cli [--timeout MS] matches HOST LOGIN PASSWORD\n");
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
int CommandMatches(const AnsiString& host, const AnsiString& login, const AnsiString& password,
                   int timeoutMs) {
    if (!CheckUrlAvailable(BuildVersionProbeUrl(host), timeoutMs)) {
        std::fprintf(stderr,
                     "Update New Version Programm Please!\nGo to site %s\n%s\nDownload page: %s\n",
                     kProductSiteHost, "Обновите программу с сайта!",
                     BuildDownloadPageUrl(kProductSiteHost).c_str());
        return kExitUpdateRequired;
    }
    THttpClient client(nullptr);
    client.SetTimeoutMs(timeoutMs);
    const AnsiString url = BuildLoginUrl(host, login, password);

    AnsiString loginAnswer;
    try {
        client.HttpGetText(url, loginAnswer);
    } catch (const Exception&) {
        // A failed request reads as whatever arrived: usually nothing.
    }
    if (loginAnswer.find("Fail") != AnsiString::npos) {
        std::fprintf(stderr, "Autorization Failed!\n");
        return kExitLoginRefused;
    }
    AnsiString caption;
    GetTagValue(loginAnswer, "PODPISKA", caption);
    std::fprintf(stderr, "Brelvan (%s)\n", AnsiToUtf8(caption).c_str());

    AnsiString listAnswer;
    try {
        client.HttpGetText(url, listAnswer);
    } catch (const Exception&) {
    }
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
    int timeoutMs = THttpClient::kDefaultTimeoutMs;
    int i = 1;
    if (i + 1 < argc && std::string(argv[i]) == "--timeout") {
        char* end = nullptr;
        long value = std::strtol(argv[i + 1], &end, 10);
        if (!end || *end || value < 0 || value > 24L * 3600 * 1000) return Usage(), kExitUsage;
        timeoutMs = static_cast<int>(value);
        i += 2;
    }
    if (i >= argc) return Usage(), kExitUsage;
    std::string command = argv[i++];
    int rest = argc - i;
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
        result = CommandMatches(argv[i], argv[i + 1], argv[i + 2], timeoutMs);
    } else {
        Usage();
        return kExitUsage;
    }
    std::fflush(stdout);
    return result;
}
