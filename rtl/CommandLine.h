#pragma once
// The options every command-line program of the project answers alike, before its own:
//   --help     prints the program's usage text (synopsis, options, exit codes) on stdout
//   --version  prints "NAME VERSION" on stdout
// and both end the program with exit code 0. An argument that starts with "-" and is not one
// of the program's options is refused with one line on stderr, so that a mistyped option is
// never taken for a path (a folder named "--help", say).
#include <initializer_list>
#include <optional>
#include <string_view>

struct TCommandLineTool {
    const char* Name;  // as the program is called: "shots"
    const char* Usage; // the whole usage text, ending in a line break
    int UsageExit = 2; // the exit code of a usage error
};

struct TCommandLineOption {
    std::string_view Name; // "--timeout"
    bool TakesValue = false;
};

// The version of the programs, as the project is built ("3.3.0").
const char* ProgramVersion();

// True for an argument that reads as an option: it starts with "-".
bool IsOptionArgument(std::string_view arg);

// Checks argv[1...]: returns the exit code when the program is to stop here (after --help or
// --version, or after refusing an unknown option), nothing when it may read its arguments.
// The values of options that take one are skipped. With `freeAfterFirstOperand`, what comes
// after the first argument that is no option belongs to the program unchecked (a command's
// own arguments, such as a password that may start with "-").
std::optional<int> CheckCommandLine(const TCommandLineTool& tool, int argc, const char* const* argv,
                                    std::initializer_list<TCommandLineOption> options = {},
                                    bool freeAfterFirstOperand = false);

// "NAME: unknown option ARG (NAME --help lists the options)" on stderr; returns UsageExit.
int RefuseOption(const TCommandLineTool& tool, std::string_view arg);
// "NAME: MESSAGE (NAME --help shows the usage)" on stderr; returns UsageExit.
int UsageError(const TCommandLineTool& tool, std::string_view message);
