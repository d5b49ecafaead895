#include "table/Highlights.h"

#include "rtl/NumberText.h"
#include "table/MatchColumns.h"

const std::array<THighlightRule, kHighlightRuleCount> kHighlightRules = {{
    {mcPercent1, 60, kOutcomeHighlight, kOutcomeCertainty}, // p1
    {mcPercentX, 50, kOutcomeHighlight, kOutcomeCertainty}, // x
    {mcPercent2, 60, kOutcomeHighlight, kOutcomeCertainty}, // p2
    {mcOver05, 90, kGoalsHighlight, kGoalsCertainty},       // t05
    {mcOver15, 80, kGoalsHighlight, kGoalsCertainty},       // t15
    {mcOver25, 70, kGoalsHighlight, kGoalsCertainty},       // t25
    {mcBtts, 65, kGoalsHighlight, kGoalsCertainty},         // oz
}};

int HighlightValue(std::string_view text) {
    // The general integer reader also takes "$64" and "0x64"; a percentage written that way
    // is no decimal integer and must not pass as 100.
    std::string_view digits = text;
    while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') return 0;
    if (digits.size() > 1 && (digits[1] == 'x' || digits[1] == 'X')) return 0;
    return StrToIntDef(text, 0);
}
