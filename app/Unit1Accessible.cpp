// What a screen reader needs beyond what the controls say of themselves: which label names
// which box, what each filter box is, and that the count is announced when it changes.
#include "app/Unit1.h"

#include "rtl/Strings.h"
#include "skinctrls/SkinEdit.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPasswordEdit.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinStdLabel.h"
#include "table/FilterRanges.h"

namespace {
// A range's label reads "<what> от <spaces> до": the lower box is "<what> от", the upper
// "<what> до".
AnsiString RangeBoxName(const AnsiString& label, bool upper) {
    const AnsiString from = Utf8ToAnsi(" от");
    const AnsiString to = Utf8ToAnsi(" до");
    const size_t at = label.find(from);
    AnsiString what = AccessibleCaption(at == AnsiString::npos ? label : label.substr(0, at));
    return what + (upper ? to : from);
}
} // namespace

void TForm1::DescribeForScreenReaders() {
    spSkinStdLabel4->SetFocusControl(loginedit);
    spSkinStdLabel5->SetFocusControl(passedit);
    fcount->SetAnnouncesChanges(true);
    for (int k = 0; k < kFilterRangeCount; ++k) {
        TspSkinStdLabel* label = rangeLabels[size_t(k)];
        for (int side = 0; side < 2; ++side) {
            TspSkinSpinEdit* box = f[size_t(2 * k + side)];
            box->SetAccessibleLabel(label);
            box->SetAccessibleName(RangeBoxName(label->Caption(), side == 1));
        }
    }
}
