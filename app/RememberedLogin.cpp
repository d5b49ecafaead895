#include "app/RememberedLogin.h"

#include "rtl/FileUtils.h"
#include "rtl/Stream.h"
#include "rtl/StringList.h"

#include <algorithm>

void ReadRememberedLogin(const std::string& fileName, TStringList& lines) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    // Only the first two lines count: read until both have ended, a zero byte ends the text,
    // or the limit is reached, so that a huge file costs no more than a small one.
    std::string text;
    char chunk[4096];
    int lineEnds = 0;
    bool done = false;
    while (!done && text.size() < kRememberedLoginReadLimit) {
        const int64_t want =
            int64_t(std::min(sizeof chunk, kRememberedLoginReadLimit - text.size()));
        const int64_t got = file.Read(chunk, want);
        if (got <= 0) break;
        for (int64_t i = 0; i < got && !done; ++i) {
            const char c = chunk[i];
            if (c == '\0') {
                done = true;
                break;
            }
            // A CR LF pair ends one line: the LF after a CR counts for nothing more.
            const bool lineEnd = c == '\r' || (c == '\n' && (text.empty() || text.back() != '\r'));
            text += c;
            if (lineEnd && ++lineEnds == 2) done = true;
        }
    }
    lines.SetText(text);
}

AnsiString RememberedLoginText(const AnsiString& login, const AnsiString& password) {
    return login + "\r\n" + password + "\r\n";
}

void WriteRememberedLogin(const std::string& fileName, const AnsiString& login,
                          const AnsiString& password) {
    // The password is kept in plain text: only its owner may read the file, and a crash in
    // the middle of writing it leaves the earlier login in place.
    WriteFileAtomically(fileName, RememberedLoginText(login, password), 0600);
}

void DeleteRememberedLogin(const std::string& fileName) {
    DeleteFile(fileName);
}
