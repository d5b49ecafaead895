#pragma once
// The remembered login: "zov.log" in the current directory holds the login and the password,
// one per line, CR LF after each, in the system code page, so that files written by earlier
// versions still load. It is written whole through a file beside it and only readable by
// its owner.

#include "rtl/Strings.h"

#include <string>

class TStringList;

constexpr const char* kRememberedLoginFileName = "zov.log";

// A login and a password never come near this; a file beyond it is read only this far.
constexpr std::size_t kRememberedLoginReadLimit = 64 * 1024;

// Reads the file's first lines into `lines` (split at CR, LF or CR LF, a zero byte ending the
// text). Raises EFOpenError "Cannot open file "%s". %s" when it cannot be read.
void ReadRememberedLogin(const std::string& fileName, TStringList& lines);

// The file's whole text: login CR LF password CR LF.
AnsiString RememberedLoginText(const AnsiString& login, const AnsiString& password);

// Replaces the file's content at once, mode 0600. Raises EFCreateError "Cannot create file
// "%s". %s" when it cannot be written; an earlier file then stays as it was.
void WriteRememberedLogin(const std::string& fileName, const AnsiString& login,
                          const AnsiString& password);

// Deletes the file; a missing file or one that cannot be deleted is no error.
void DeleteRememberedLogin(const std::string& fileName);
