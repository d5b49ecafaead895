#pragma once
// Text as the user's terminal writes it: in the encoding of the user's locale (LC_ALL,
// LC_CTYPE, LANG). The tips service speaks code page 1251.
#include "rtl/Strings.h"

#include <string>
#include <string_view>

// The terminal's encoding as the locale names it ("UTF-8", "CP1251", "KOI8-R", ...). The C
// locale names none worth the word (plain ASCII) and reads as UTF-8, the encoding of the
// terminals that leave the locale unset.
std::string TerminalEncoding();

// Converts text typed in `encoding` (TerminalEncoding() for what the user typed) to code page
// 1251. False, with the reason in `error`, when the text is not valid in that encoding or holds
// a character that code page 1251 cannot hold; nothing is ever replaced by a look-alike.
bool TerminalTextToAnsi(std::string_view text, const std::string& encoding, AnsiString& ansi,
                        std::string& error);
