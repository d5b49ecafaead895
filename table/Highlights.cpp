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
    return StrToIntDef(text, 0);
}
