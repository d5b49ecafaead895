// Timing goals: a full blit of a 554 x 547 picture under 0.5 ms, a 20-character label under
// 20 microseconds, a 1 MB BMP decoded under 3 ms.
#include "gfx/Bitmap.h"
#include "gfx/Canvas.h"
#include "gfx/DrawText.h"
#include "gfx/Region.h"

#include <benchmark/benchmark.h>

namespace {

TBitmap Picture(int w, int h) {
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.ScanLine(y)[x] = 0xFF000000u | TPixel((x * 3) & 255) << 16 |
                               TPixel((y * 5) & 255) << 8 | TPixel((x ^ y) & 255);
    return b;
}

void BM_Blit554x547(benchmark::State& state) {
    const TBitmap picture = Picture(554, 547);
    TBitmap target(803, 589);
    for (auto _ : state) {
        target.Canvas()->Draw(100, 20, picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Blit554x547)->Unit(benchmark::kMicrosecond);

void BM_BlitTransparent554x547(benchmark::State& state) {
    TBitmap picture = Picture(554, 547);
    picture.SetTransparent(true);
    TBitmap target(803, 589);
    for (auto _ : state) {
        target.Canvas()->Draw(100, 20, picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlitTransparent554x547)->Unit(benchmark::kMicrosecond);

void BM_Stretch554x547ToWindow(benchmark::State& state) {
    const TBitmap picture = Picture(554, 547);
    TBitmap target(803, 589);
    for (auto _ : state) {
        target.Canvas()->StretchDraw(Rect(0, 0, 803, 589), picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Stretch554x547ToWindow)->Unit(benchmark::kMicrosecond);

void BM_Stretch554x547Half(benchmark::State& state) {
    const TBitmap picture = Picture(554, 547);
    TBitmap target(300, 300);
    for (auto _ : state) {
        target.Canvas()->StretchDraw(Rect(0, 0, 277, 273), picture);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Stretch554x547Half)->Unit(benchmark::kMicrosecond);

void BM_DrawTextLabel20(benchmark::State& state) {
    TBitmap target(200, 30);
    TCanvas* canvas = target.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Brush()->SetStyle(bsClear);
    const std::u16string label = u"Recoming Bets 12:45 ";
    for (auto _ : state) {
        TRect r = Rect(2, 2, 198, 28);
        benchmark::DoNotOptimize(
            DrawText(*canvas, label, r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS));
    }
}
BENCHMARK(BM_DrawTextLabel20)->Unit(benchmark::kMicrosecond);

void BM_DrawTextAnsiLabel20(benchmark::State& state) {
    TBitmap target(200, 30);
    TCanvas* canvas = target.Canvas();
    canvas->Brush()->SetStyle(bsClear);
    const std::string label =
        "\xCE\xF8\xE8\xE1\xEA\xE0 \xE0\xE2\xF2\xEE\xF0\xE8\xE7\xE0\xF6\xE8\xE8 12";
    for (auto _ : state) {
        TRect r = Rect(2, 2, 198, 28);
        benchmark::DoNotOptimize(DrawText(*canvas, label, r, DT_SINGLELINE | DT_CENTER));
    }
}
BENCHMARK(BM_DrawTextAnsiLabel20)->Unit(benchmark::kMicrosecond);

void BM_TextWidth20(benchmark::State& state) {
    TBitmap target(10, 10);
    TCanvas* canvas = target.Canvas();
    const std::u16string label = u"Recoming Bets 12:45 ";
    for (auto _ : state) benchmark::DoNotOptimize(canvas->TextWidth(label));
}
BENCHMARK(BM_TextWidth20);

void BM_DecodeBmp1MB(benchmark::State& state) {
    // 592 x 592 at 24 bits: 1,051,392 bytes of pixels.
    TBitmap picture = Picture(592, 592);
    picture.SetPixelFormat(pf24bit);
    const std::vector<std::uint8_t> bytes = picture.SaveToBmpBytes();
    state.counters["bytes"] = double(bytes.size());
    TBitmap decoded;
    for (auto _ : state) {
        decoded.LoadFromMemory(bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeBmp1MB)->Unit(benchmark::kMicrosecond);

void BM_DecodeBmp8bit(benchmark::State& state) {
    TBitmap picture = Picture(554, 547);
    picture.SetPixelFormat(pf8bit);
    const std::vector<std::uint8_t> bytes = picture.SaveToBmpBytes();
    TBitmap decoded;
    for (auto _ : state) {
        decoded.LoadFromMemory(bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DecodeBmp8bit)->Unit(benchmark::kMicrosecond);

void BM_FillRect(benchmark::State& state) {
    TBitmap target(803, 589);
    TCanvas* canvas = target.Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    for (auto _ : state) {
        canvas->FillRect(Rect(0, 0, 803, 589));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FillRect)->Unit(benchmark::kMicrosecond);

void BM_RegionFromMask(benchmark::State& state) {
    TBitmap mask(803, 620);
    mask.Fill(clBlack);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8 - y; ++x) {
            mask.ScanLine(y)[x] = 0xFFFFFFFFu;
            mask.ScanLine(y)[802 - x] = 0xFFFFFFFFu;
        }
    for (auto _ : state) benchmark::DoNotOptimize(TRegion::FromMask(mask));
}
BENCHMARK(BM_RegionFromMask)->Unit(benchmark::kMicrosecond);

} // namespace
