// The message box: a small modal form of our own.
#include "ui/MessageBox.h"

#include <algorithm>

#include "gfx/DrawText.h"
#include "ui/Dialogs.h"
#include "ui/ExtCtrls.h"
#include "ui/StdCtrls.h"

namespace {
// The box's icon: a circle with a sign, drawn on the form.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, UINT kind) : TGraphicControl(owner), m_kind(kind) {
        m_width = 32;
        m_height = 32;
    }

protected:
    void Paint() override {
        TCanvas& c = *Canvas();
        TColor fill = m_kind == MB_ICONERROR     ? RGB(204, 32, 32)
                      : m_kind == MB_ICONWARNING ? RGB(240, 192, 0)
                                                 : RGB(32, 96, 200);
        c.Pen()->SetColor(ColorToRGB(fill) == RGB(240, 192, 0) ? RGB(150, 110, 0)
                                                               : RGB(40, 40, 40));
        c.Brush()->SetColor(fill);
        if (m_kind == MB_ICONWARNING) {
            c.Polygon({{16, 1}, {31, 29}, {1, 29}});
        } else {
            c.Ellipse(1, 1, 31, 31);
        }
        c.Brush()->SetColor(m_kind == MB_ICONWARNING ? clBlack : clWhite);
        c.Pen()->SetColor(m_kind == MB_ICONWARNING ? clBlack : clWhite);
        switch (m_kind) {
        case MB_ICONERROR:
            for (int i = -1; i <= 1; ++i) {
                c.MoveTo(10 + i, 10);
                c.LineTo(22 + i, 22);
                c.MoveTo(21 + i, 10);
                c.LineTo(9 + i, 22);
            }
            break;
        case MB_ICONWARNING:
            c.FillRect(Rect(15, 10, 18, 21));
            c.FillRect(Rect(15, 23, 18, 26));
            break;
        case MB_ICONQUESTION: {
            TFont f;
            f.SetName("Arial");
            f.SetHeight(-22);
            f.SetStyle({fsBold});
            f.SetColor(clWhite);
            c.SetFont(f);
            c.Brush()->SetStyle(bsClear);
            TRect r = Rect(0, 0, 32, 32);
            DrawText(c, std::string("?"), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            break;
        }
        default:
            c.FillRect(Rect(15, 7, 18, 10));
            c.FillRect(Rect(15, 13, 18, 25));
            break;
        }
    }

private:
    UINT m_kind;
};

// The box as a screen reader sees it: an alert that says its text.
class TMessageBoxForm : public TForm {
public:
    TMessageBoxForm(TComponent* owner, const AnsiString& text) : TForm(owner), m_message(text) {}
    void DescribeAccessible(TAccessibleInfo& info) const override {
        TForm::DescribeAccessible(info);
        info.Role = TAccessibleRole::Alert;
        info.Description = m_message;
    }

private:
    AnsiString m_message;
};
} // namespace

int ShowMessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
    TForm* box = new TMessageBoxForm(Application, text);
    box->SetBorderStyle(bsDialog);
    box->SetBorderIcons(biSystemMenu);
    box->SetPosition(poScreenCenter);
    box->SetCaption(caption);
    box->SetKeyPreview(false);

    UINT iconKind = flags & 0xF0;
    int left = 12;
    if (iconKind) {
        auto* icon = new TMessageIcon(box, iconKind);
        icon->SetParent(box);
        icon->SetBounds(12, 12, 32, 32);
        left = 56;
    }
    auto* label = new TLabel(box);
    label->SetParent(box);
    label->SetShowAccelChar(false);
    label->SetCaption(text);
    label->SetLeft(left);
    label->SetTop(iconKind ? 12 + std::max(0, (32 - label->Height()) / 2) : 16);
    if (label->Width() > 480) {
        label->SetAutoSize(false);
        label->SetWidth(480);
        label->SetWordWrap(true);
        label->SetAutoSize(true);
    }

    struct ButtonSpec {
        const char* caption;
        int result;
    };
    std::vector<ButtonSpec> buttons;
    switch (flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = {{"OK", IDOK}, {"Cancel", IDCANCEL}};
        break;
    case MB_YESNO:
        buttons = {{"&Yes", IDYES}, {"&No", IDNO}};
        break;
    case MB_YESNOCANCEL:
        buttons = {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
        break;
    default:
        buttons = {{"OK", IDOK}};
        break;
    }
    int bw = 75, bh = 23, gap = 6;
    int buttonsW = int(buttons.size()) * bw + (int(buttons.size()) - 1) * gap;
    int contentW = std::max(left + label->Width() + 12, buttonsW + 24);
    contentW = std::max(contentW, 160);
    int contentTop = std::max(label->Top() + label->Height(), iconKind ? 44 : 0) + 16;
    box->SetClientWidth(contentW);
    box->SetClientHeight(contentTop + bh + 12);
    int x = (contentW - buttonsW) / 2;
    bool hasCancel = false;
    TButton* first = nullptr;
    for (const ButtonSpec& s : buttons) {
        auto* b = new TButton(box);
        b->SetParent(box);
        b->SetCaption(s.caption);
        b->SetBounds(x, contentTop, bw, bh);
        b->SetModalResult(s.result);
        if (!first) {
            first = b;
            b->SetDefault(true);
        }
        if (s.result == IDCANCEL || (buttons.size() == 1)) {
            b->SetCancel(true);
            hasCancel = true;
        }
        x += bw + gap;
    }
    box->SetActiveControl(first);
    int result = box->ShowModal();
    delete box;
    if (result == mrNone || result == mrCancel) {
        if (buttons.size() == 1) return IDOK;
        return hasCancel ? IDCANCEL : (buttons.back().result);
    }
    return result;
}
