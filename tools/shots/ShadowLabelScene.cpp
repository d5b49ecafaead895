// The "shadow-label" scene: a shadow label over a striped picture, enlarged, beside the
// pixels its rule gives when worked out here on their own (the caption's mask drawn once and
// twice down-right, the picture under it darkened to 70 %, the rim softened in place from the
// four diagonal neighbours, row by row, the caption on top), and a map of where they differ.
#include "Scene.h"
#include "gfx/DrawText.h"
#include "platform/Display.h"
#include "skinctrls/SkinShadowLabel.h"
#include "ui/Forms.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Snapshot.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Zoom = 8;
constexpr TColor Surface = RGB(238, 241, 245);

// A picture whose colours change along both axes, so a rim pixel averaged from the wrong
// neighbours shows.
void PaintStripes(TBitmap& picture, int width, int height) {
    picture.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        TPixel* row = picture.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const unsigned band = unsigned((x + y) / 3) % 4;
            const unsigned r = 90 + band * 40, g = 150 + (x * 3) % 90, b = 230 - y * 2;
            row[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
}

bool IsWhite(TPixel p) {
    return (p & 0xFFFFFFu) == 0xFFFFFFu;
}

// 0.7 of a channel, halves rounded to even.
unsigned Darkened(unsigned channel) {
    return unsigned(std::nearbyint(channel * 0.7));
}

// The label's pixels by its rule, from the picture under it (device pixels, `scale` a point).
TBitmap ExpectedPixels(const TBitmap& under, TspSkinShadowLabel& label, int scale) {
    const int w = label.Width(), h = label.Height();
    TBitmap mask;
    mask.SetScale(scale);
    mask.SetSize(w, h);
    mask.Fill(clWhite);
    TCanvas& m = *mask.Canvas();
    m.SetFont(*label.Font());
    m.Font()->SetColor(clBlack);
    m.Brush()->SetStyle(bsClear);
    for (int offset = 1; offset <= 2; ++offset) {
        TRect r = Rect(offset, offset, w - 3 + offset, h - 3 + offset);
        DrawText(m, label.Caption(), r, DT_EXPANDTABS);
    }

    TBitmap out;
    out.SetScale(scale);
    out.SetSize(w, h);
    const int dw = out.DeviceWidth(), dh = out.DeviceHeight();
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            TPixel p = under.ScanLine(y)[x];
            if (!IsWhite(mask.ScanLine(y)[x]))
                p = 0xFF000000u | (Darkened((p >> 16) & 0xFF) << 16) |
                    (Darkened((p >> 8) & 0xFF) << 8) | Darkened(p & 0xFF);
            out.ScanLine(y)[x] = p;
        }
    auto whiteAt = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < dw && y < dh && IsWhite(mask.ScanLine(y)[x]);
    };
    auto at = [&](int x, int y) {
        return out.ScanLine(std::clamp(y, 0, dh - 1))[std::clamp(x, 0, dw - 1)];
    };
    for (int y = 0; y < dh; ++y)
        for (int x = 0; x < dw; ++x) {
            if (IsWhite(mask.ScanLine(y)[x])) continue;
            if (!whiteAt(x - 1, y - 1) && !whiteAt(x + 1, y - 1) && !whiteAt(x - 1, y + 1) &&
                !whiteAt(x + 1, y + 1))
                continue;
            const TPixel d[4] = {at(x - 1, y - 1), at(x + 1, y - 1), at(x - 1, y + 1),
                                 at(x + 1, y + 1)};
            TPixel mean = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                unsigned sum = 0;
                for (TPixel q : d) sum += (q >> shift) & 0xFF;
                mean |= (sum / 4) << shift;
            }
            out.ScanLine(y)[x] = mean;
        }
    TCanvas& c = *out.Canvas();
    c.SetFont(*label.Font());
    c.Brush()->SetStyle(bsClear);
    TRect r = Rect(0, 0, w - 3, h - 3);
    DrawText(c, label.Caption(), r, DT_EXPANDTABS);
    return out;
}

// `source` (plain device pixels) enlarged by Zoom into a new picture.
TBitmap Enlarged(const TBitmap& source) {
    TBitmap big;
    big.SetSize(source.DeviceWidth() * Zoom, source.DeviceHeight() * Zoom);
    for (int y = 0; y < big.DeviceHeight(); ++y)
        for (int x = 0; x < big.DeviceWidth(); ++x)
            big.ScanLine(y)[x] = source.ScanLine(y / Zoom)[x / Zoom];
    return big;
}

// Red where the two differ, the drawn pixel in grey where they agree; `differing` counts.
TBitmap Differences(const TBitmap& drawn, const TBitmap& expected, int& differing) {
    TBitmap map;
    map.SetSize(drawn.DeviceWidth(), drawn.DeviceHeight());
    differing = 0;
    for (int y = 0; y < map.DeviceHeight(); ++y)
        for (int x = 0; x < map.DeviceWidth(); ++x) {
            const TPixel a = drawn.ScanLine(y)[x], b = expected.ScanLine(y)[x];
            if ((a & 0xFFFFFF) != (b & 0xFFFFFF)) {
                ++differing;
                map.ScanLine(y)[x] = 0xFFE02020u;
            } else {
                const unsigned grey =
                    (((a >> 16) & 0xFF) * 3 + ((a >> 8) & 0xFF) * 6 + (a & 0xFF)) / 10;
                const unsigned light = 140 + grey * 115 / 255;
                map.ScanLine(y)[x] = 0xFF000000u | (light << 16) | (light << 8) | light;
            }
        }
    return map;
}

// A plain copy of `area` (in points) of a device picture.
TBitmap DeviceArea(const TBitmap& whole, const TRect& area, int scale) {
    TBitmap part;
    part.SetSize(area.Width() * scale, area.Height() * scale);
    for (int y = 0; y < part.DeviceHeight(); ++y)
        for (int x = 0; x < part.DeviceWidth(); ++x)
            part.ScanLine(y)[x] = whole.ScanLine(area.Top * scale + y)[area.Left * scale + x];
    return part;
}

TLabel* Heading(TForm* form, const AnsiString& text, int left, int top) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->Font()->SetName("Arial");
    label->Font()->SetHeight(13);
    label->Font()->SetStyle({fsBold});
    label->Font()->SetColor(RGB(70, 78, 92));
    label->SetCaption(text);
    label->SetLeft(left);
    label->SetTop(top);
    return label;
}

void RenderShadowLabel(const std::string& pngPath) {
    TForm* form = Application->CreateForm<TForm>();
    form->SetCaption("Brelvan - the shadow label, enlarged");
    form->SetBorderStyle(bsSingle);
    form->SetBounds(40, 40, 100, 100);
    form->SetColor(Surface);

    auto* picture = new TImage(form);
    picture->SetParent(form);
    picture->SetBounds(16, 36, 96, 40);
    PaintStripes(*picture->Picture(), 96, 40);
    Heading(form, "On the picture", 16, 12);

    auto* label = new TspSkinShadowLabel(form);
    label->SetParent(form);
    label->SetCaption("Odds");
    label->SetLeft(28);
    label->SetTop(46);
    label->SetVisible(false);

    form->SetClientWidth(16 + 3 * (label->Width() * Zoom + 24) + 16);
    form->SetClientHeight(120 + label->Height() * Zoom + 30);
    form->Show();
    Application->ProcessMessages();
    const int scale = CurrentDisplay().DeviceScale();
    // The picture under the label, and then the label itself (windowless: both read from
    // the form's surface).
    const TRect area = OffsetRect(label->BoundsRect(), -picture->Left(), -picture->Top());
    TBitmap whole;
    SnapshotControlDevice(picture, whole);
    const TBitmap under = DeviceArea(whole, area, scale);

    label->SetVisible(true);
    Application->ProcessMessages();
    TBitmap drawn;
    SnapshotControlDevice(label, drawn);
    const TBitmap expected = ExpectedPixels(under, *label, scale);
    int differing = 0;
    const TBitmap map = Differences(drawn, expected, differing);

    // The enlarged pictures are shown one device pixel per zoomed block: at scale s each is
    // s times larger in points than at 1x, so they are shown at 1/s of their pixel size.
    const TBitmap* panels[] = {&drawn, &expected, &map};
    const char* titles[] = {"As the label draws it", "As the rule gives it",
                            differing == 0 ? "Differences: none" : "Differences (red)"};
    const int panelWidth = label->Width() * Zoom, panelHeight = label->Height() * Zoom;
    for (int i = 0; i < 3; ++i) {
        const int left = 16 + i * (panelWidth + 24);
        Heading(form, titles[i], left, 100);
        auto* view = new TImage(form);
        view->SetParent(form);
        view->SetBounds(left, 120, panelWidth, panelHeight);
        const TBitmap big = Enlarged(*panels[i]);
        view->Picture()->SetScale(scale);
        view->Picture()->SetSize(panelWidth, panelHeight);
        for (int y = 0; y < big.DeviceHeight(); ++y)
            std::copy_n(big.ScanLine(y), big.DeviceWidth(), view->Picture()->ScanLine(y));
        view->Invalidate();
    }
    if (differing != 0)
        Heading(form, AnsiString(std::to_string(differing) + " pixels differ"), 16,
                130 + panelHeight);
    Application->ProcessMessages();
    WriteWindowPngDevice(form, pngPath);
}

SceneRegistrar reg("shadow-label", &RenderShadowLabel);

} // namespace
