#pragma once
// Filter preset files ("*.brelvan"): the twenty bounds f1 to f20, one per line, each in the
// shortest general decimal form with the locale's decimal mark, CR LF after every line.

#include "rtl/Strings.h"
#include "table/FilterRanges.h"

#include <functional>
#include <string>

// The file's text for these values.
AnsiString FormatPresetText(const TFilterValues& values);

// Writes the file whole (WriteFileAtomically): a failed write (a full disk, say) leaves any
// earlier file as it was, a read-only preset is refused and a replaced file keeps its mode.
// Raises EFCreateError "Cannot create file "%s". %s" when it cannot be written.
void SavePresetFile(const std::string& fileName, const TFilterValues& values);

// The value of line `index` (0 for f1): a decimal with either "." or "," as its mark, or the
// line's default (the starting value of its edit) when the line is not a number.
double ReadPresetLine(int index, std::string_view line);

// Reads the file and hands the values of f1 to f20 to `apply` one by one, in order. Lines
// after the twentieth are ignored. A file of fewer than twenty lines raises EListError
// "List index out of bounds (%d)" with the zero-based number of the first missing line,
// after the values before it were applied. An unreadable file raises EFOpenError before any
// value is applied.
void LoadPresetFile(const std::string& fileName,
                    const std::function<void(int index, double value)>& apply);
