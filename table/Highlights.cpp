#include "table/Highlights.h"

#include "rtl/NumberText.h"

const std::array<THighlightRule, kHighlightRuleCount> kHighlightRules = {{
    {8, 60, kOutcomeHighlight, kOutcomeCertainty},  // p1
    {9, 50, kOutcomeHighlight, kOutcomeCertainty},  // x
    {10, 60, kOutcomeHighlight, kOutcomeCertainty}, // p2
    {11, 90, kGoalsHighlight, kGoalsCertainty},     // t05
    {12, 80, kGoalsHighlight, kGoalsCertainty},     // t15
    {13, 70, kGoalsHighlight, kGoalsCertainty},     // t25
    {14, 65, kGoalsHighlight, kGoalsCertainty},     // oz
}};

int HighlightValue(std::string_view text) {
    return StrToIntDef(text, 0);
}
