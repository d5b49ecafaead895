#pragma once
// The colours that mark remarkable percentages in a match row: a highlight when a value
// passes its threshold and a stronger "certainty" colour when it is exactly 100.

#include "gfx/Color.h"

#include <array>
#include <string_view>

constexpr TColor kOutcomeHighlight = 0x80FFFF; // light yellow
constexpr TColor kGoalsHighlight = 0x80FF80;   // light green
constexpr TColor kOutcomeCertainty = 0x00FF00; // green
constexpr TColor kGoalsCertainty = 0xFFFF00;   // cyan

// One tested field of a match entry; the fields in test order are p1, x, p2, t05, t15, t25
// and oz.
struct THighlightRule {
    int Column;       // grid column of the field
    int Threshold;    // highlighted when the value is strictly greater
    TColor Highlight; // colour for a value above the threshold
    TColor Certainty; // colour for a value of exactly 100
};

constexpr int kHighlightRuleCount = 7;
extern const std::array<THighlightRule, kHighlightRuleCount> kHighlightRules;

// The value a highlight test reads from a field: a decimal integer, 0 when the text is not one.
int HighlightValue(std::string_view text);
