#include "rtl/CommandLine.h"

#include <cstdio>
#include <string>

#ifndef BRELVAN_VERSION
#define BRELVAN_VERSION "unknown"
#endif

const char* ProgramVersion() {
    return BRELVAN_VERSION;
}

bool IsOptionArgument(std::string_view arg) {
    return !arg.empty() && arg.front() == '-';
}

std::optional<int> CheckCommandLine(const TCommandLineTool& tool, int argc, const char* const* argv,
                                    std::initializer_list<TCommandLineOption> options,
                                    bool freeAfterFirstOperand) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help") {
            std::fputs(tool.Usage, stdout);
            std::fflush(stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("%s %s\n", tool.Name, ProgramVersion());
            std::fflush(stdout);
            return 0;
        }
        if (!IsOptionArgument(arg)) {
            if (freeAfterFirstOperand) break;
            continue;
        }
        bool known = false;
        for (const TCommandLineOption& option : options) {
            if (option.Name != arg) continue;
            known = true;
            if (option.TakesValue) ++i; // a value may look like anything, a negative number say
            break;
        }
        if (!known) return RefuseOption(tool, arg);
    }
    return std::nullopt;
}

int RefuseOption(const TCommandLineTool& tool, std::string_view arg) {
    std::fprintf(stderr, "%s: unknown option %s (%s --help lists the options)\n", tool.Name,
                 std::string(arg).c_str(), tool.Name);
    return tool.UsageExit;
}

int UsageError(const TCommandLineTool& tool, std::string_view message) {
    std::fprintf(stderr, "%s: %s (%s --help shows the usage)\n", tool.Name,
                 std::string(message).c_str(), tool.Name);
    return tool.UsageExit;
}
