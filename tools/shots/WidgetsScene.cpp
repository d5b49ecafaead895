// The "widgets" scene: the standard controls on one form, with a message box over it.
#include "Scene.h"
#include "SceneArt.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/Snapshot.h"
#include "ui/StdCtrls.h"

namespace {
void RenderWidgets(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetCaption("Widgets");
    form->SetBorderIcons(biSystemMenu | biMinimize);
    form->SetBorderStyle(bsSingle);
    form->SetBounds(120, 80, 100, 100);
    form->SetClientWidth(480);
    form->SetClientHeight(330);

    auto* images = new TImageList(form);
    AddTabImages(*images);

    auto* title = new TLabel(form);
    title->SetParent(form);
    title->SetCaption("&Standard controls");
    title->Font()->SetStyle({fsBold});
    title->SetBounds(12, 10, 0, 0);

    auto* pages = new TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(12, 32, 300, 200);
    pages->SetImages(images);
    auto* first = new TTabSheet(form);
    first->SetPageControl(pages);
    first->SetCaption("About");
    first->SetImageIndex(0);
    auto* second = new TTabSheet(form);
    second->SetPageControl(pages);
    second->SetCaption("Football");
    second->SetImageIndex(1);

    auto* nameLabel = new TLabel(form);
    nameLabel->SetParent(first);
    nameLabel->SetCaption("&Login:");
    nameLabel->SetBounds(12, 16, 0, 0);
    auto* name = new TEdit(form);
    name->SetParent(first);
    name->SetBounds(12, 32, 180, 21);
    name->SetText("brelvan user");
    name->SetHideSelection(false);
    nameLabel->SetFocusControl(name);
    auto* passLabel = new TLabel(form);
    passLabel->SetParent(first);
    passLabel->SetCaption("&Password:");
    passLabel->SetBounds(12, 64, 0, 0);
    auto* pass = new TEdit(form);
    pass->SetParent(first);
    pass->SetBounds(12, 80, 180, 21);
    pass->SetPasswordChar('*');
    pass->SetText("secret");
    auto* note = new TLabel(form);
    note->SetParent(first);
    note->SetAutoSize(false);
    note->SetWordWrap(true);
    note->SetBounds(12, 112, 260, 40);
    note->SetCaption("Labels wrap their words when they are too long for one line, "
                     "and keep their alignment.");
    auto* login = new TButton(form);
    login->SetParent(first);
    login->SetCaption("Log in");
    login->SetBounds(196, 140, 80, 24);
    login->SetDefault(true);

    auto* bevel = new TBevel(form);
    bevel->SetParent(form);
    bevel->SetShape(bsFrame);
    bevel->SetBounds(324, 32, 144, 90);
    auto* bevelLabel = new TLabel(form);
    bevelLabel->SetParent(form);
    bevelLabel->SetCaption("Inside a bevel");
    bevelLabel->SetAlignment(taCenter);
    bevelLabel->SetAutoSize(false);
    bevelLabel->SetBounds(330, 68, 132, 16);

    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(324, 132, 144, 100);
    panel->SetBevelInner(bvLowered);
    panel->SetCaption("A panel");
    auto* ok = new TButton(form);
    ok->SetParent(panel);
    ok->SetCaption("OK");
    ok->SetBounds(34, 66, 75, 23);

    auto* status = new TPanel(form);
    status->SetParent(form);
    status->SetAlign(alBottom);
    status->SetHeight(22);
    status->SetBevelOuter(bvLowered);
    status->SetAlignment(taLeftJustify);
    status->SetCaption(" Count: 0");

    auto* right = new TLabel(form);
    right->SetParent(form);
    right->SetAlignment(taRightJustify);
    right->SetAutoSize(false);
    right->SetBounds(12, 250, 456, 16);
    right->SetCaption("Right-aligned text");
    auto* disabled = new TLabel(form);
    disabled->SetParent(form);
    disabled->SetCaption("A disabled label");
    disabled->SetBounds(12, 250, 0, 0);
    disabled->SetEnabled(false);
    auto* dimEdit = new TEdit(form);
    dimEdit->SetParent(form);
    dimEdit->SetBounds(12, 274, 200, 21);
    dimEdit->SetText("read-only and disabled");
    dimEdit->SetReadOnly(true);
    dimEdit->SetEnabled(false);

    form->Show();
    name->SetFocus();
    name->SetSelStart(8);
    name->SetSelLength(4);
    Application->ProcessMessages();

    // The message box over the form: captured while its modal loop waits for input.
    TRect area = InflateRect(form->BoundsRect(), 20, 20);
    bool captured = false;
    Application->OnIdle = [&](TObject*, bool&) {
        TCustomForm* box = Screen->ActiveForm();
        if (!box || box == form) return;
        if (!captured) {
            box->SetBounds(form->Left() + 170, form->Top() + 262, box->Width(), box->Height());
            Application->ProcessMessages();
            area = InflateRect(UnionRect(form->BoundsRect(), box->BoundsRect()), 16, 16);
            WriteScreenPng(area, pngPath);
            captured = true;
        }
        box->SetModalResult(mrOk);
    };
    ShowMessageBox("The match list was loaded.\r\nIt holds 42 matches.", Application->Title(),
                   MB_OK | MB_ICONINFORMATION);
    Application->OnIdle = nullptr;
    if (!captured) WriteScreenPng(area, pngPath);
}

SceneRegistrar reg("widgets", &RenderWidgets);
} // namespace
