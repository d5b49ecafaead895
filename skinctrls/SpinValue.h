#pragma once
// The number rules of the spin box: limiting to the range, the shown text, which typed
// texts are read as numbers, when a typed text is rewritten, and which keys the field takes.
#include "rtl/Strings.h"

enum TspValueType { vtInteger, vtFloat };

struct TspSpinRange {
    double minValue = 0;
    double maxValue = 0;
    // Both bounds 0 means no limit at all.
    bool Limited() const { return minValue != 0 || maxValue != 0; }
    double Limit(double x) const;
};

// The value as the box shows it: fixed-point with `decimals` digits after the system's
// decimal separator (vtFloat), or the nearest integer with ties to even (vtInteger).
AnsiString FormatSpinValue(double value, TspValueType type, int decimals);

// Whether a typed text is taken as a number at all: not empty, not "-" alone, only digits,
// "-" (once, first) and for vtFloat the decimal separator (once, not first).
bool SpinTextPassesCheck(const AnsiString& text, TspValueType type);

// Reads a text that passed the check; raises EConvertError with the platform's message
// ("'%s' is not a valid floating point value" / "'%s' is not a valid integer value") when
// it is no number (a separator after "-" alone, an integer beyond 32 bits).
double ConvertSpinText(const AnsiString& text, TspValueType type);

// Whether the typed text must be replaced by the limited value at once: only when typing on
// could never bring the typed number p into range (x is p limited).
bool SpinTextNeedsRewrite(double typed, double limited, const TspSpinRange& range);

// The key filter: whether a typed character may reach the field holding `text`.
bool SpinKeyAllowed(char key, const AnsiString& text, TspValueType type, bool editorEnabled);
