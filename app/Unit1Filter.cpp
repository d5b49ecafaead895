// The filter panel of the match page: open, CANCEL, OK, CLEAR, and the preset files behind
// LOAD and SAVE.
#include "app/Unit1.h"

#include "grid/NxGrid.h"
#include "rtl/SysUtils.h"
#include "skinctrls/SkinButton.h"
#include "skinctrls/SkinDialogs.h"
#include "skinctrls/SkinLabel.h"
#include "skinctrls/SkinPageControl.h"
#include "skinctrls/SkinPanel.h"
#include "skinctrls/SkinSpinEdit.h"
#include "skinctrls/SkinXFormButton.h"
#include "table/FilterRanges.h"
#include "table/PresetFile.h"
#include "table/RangeFilter.h"

namespace {
TFilterValues BoundsOf(const std::array<TspSkinSpinEdit*, kFilterValueCount>& edits) {
    TFilterValues values{};
    for (int i = 0; i < kFilterValueCount; ++i) values[size_t(i)] = edits[size_t(i)]->Value();
    return values;
}
} // namespace

void TForm1::fiClick(TObject*) {
    if (ServiceBusy()) return; // the list is still on its way
    fi->SetEnabled(false);
    FG->SetEnabled(false);
    FG5->SetEnabled(false);
    filter->Show();
    // The keyboard goes to the first box; Tab walks the others.
    f[0]->SetFocus();
}

void TForm1::spSkinXFormButton4Click(TObject*) {
    fi->SetEnabled(true);
    FG->SetEnabled(true);
    FG5->SetEnabled(true);
    filter->Hide();
    ShownGrid()->SetFocus();
    MarkTableFocus(ShownGrid());
}

void TForm1::spSkinXFormButton3Click(TObject*) {
    ApplyRangeFilter(*FG, *FG5, BoundsOf(f));
    FG5->Show();
    FG->Hide();
    fi->SetEnabled(true);
    fcount->SetCaption("Count: " + IntToStr(FG5->RowCount()));
    filter->Hide();
    FG5->SetEnabled(true);
    FG5->SetFocus();
    MarkTableFocus(FG5);
}

void TForm1::spSkinButton1Click(TObject*) {
    for (int i = 0; i < kFilterValueCount; ++i)
        f[size_t(i)]->SetValue(kFilterEdits[size_t(i)].StartValue);
}

void TForm1::spSkinXFormButton5Click(TObject*) {
    if (!save->Execute()) return;
    SavePresetFile(save->FileName(), BoundsOf(f));
    Application->MessageBox(Utf8ToAnsi("Файл успешно сохранен!"), "", MB_OK);
}

void TForm1::spSkinXFormButton1Click(TObject*) {
    if (!load->Execute()) return;
    LoadPresetFile(load->FileName(),
                   [this](int index, double value) { f[size_t(index)]->SetValue(value); });
}

TNxGrid* TForm1::ShownGrid() const {
    return FG5->Visible() ? FG5 : FG;
}

void TForm1::LayoutFootballPage() {
    // The panel, the filter group box and the grids are aligned (top, right, client): the
    // page's alignment gives the grid on show 801 x 546 alone and 432 x 546 beside the panel.
    spSkinTabSheet2->Realign();
}
