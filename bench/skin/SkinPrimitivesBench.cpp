// The drawing primitives at the sizes the main window uses them: its frame picture fitted to
// the window (821 x 633 with the client area of 803 x 589), the frame's region, cross-fading
// two client-sized buffers, and one frame of a button's hover morph (113 x 25).
#include "data/ProgramSkin.h"
#include "gfx/Canvas.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinData.h"
#include "skin/SkinDrawing.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

TspSkinData& Store() {
    static std::unique_ptr<TspCompressedStoredSkin> stored;
    static std::unique_ptr<TspSkinData> store;
    if (!store) {
        stored = std::make_unique<TspCompressedStoredSkin>(nullptr);
        LoadProgramSkin(*stored);
        store = std::make_unique<TspSkinData>(nullptr);
        store->ApplyStoredSkin(stored.get());
    }
    return *store;
}

constexpr int kFrameW = 821, kFrameH = 633;

void BM_SliceFrame(benchmark::State& state) {
    TspSkinData& s = Store();
    const TBitmap* pic = s.SkinPicture();
    const TspSlicePoints p = SlicePointsOf(s.FormInfo());
    const TspSlicePoints n = ResizeSlicePoints(p, pic->Width(), pic->Height(), kFrameW, kFrameH);
    TBitmap dest;
    for (auto _ : state) {
        DrawFourCornerSliced(dest, pic, pic->BoundsRect(), p, n, kFrameW, kFrameH,
                             StretchFlagsOf(s.FormInfo()), true);
        benchmark::DoNotOptimize(dest.Bits());
    }
}
BENCHMARK(BM_SliceFrame)->Unit(benchmark::kMicrosecond);

void BM_FrameBorderStrips(benchmark::State& state) {
    TspSkinData& s = Store();
    const TBitmap* pic = s.SkinPicture();
    const TspSlicePoints p = SlicePointsOf(s.FormInfo());
    const TspSlicePoints n = ResizeSlicePoints(p, pic->Width(), pic->Height(), kFrameW, kFrameH);
    TspBorderStrips strips;
    for (auto _ : state) {
        MakeBorderStrips(strips, pic, pic->BoundsRect(), p, n, kFrameW, kFrameH,
                         StretchFlagsOf(s.FormInfo()));
        benchmark::DoNotOptimize(strips.Top.Bits());
    }
}
BENCHMARK(BM_FrameBorderStrips)->Unit(benchmark::kMicrosecond);

void BM_RegionFromSlicedMask(benchmark::State& state) {
    TspSkinData& s = Store();
    const TBitmap* mask = s.SkinMask();
    const TspSlicePoints p = SlicePointsOf(s.FormInfo());
    const TspSlicePoints n = ResizeSlicePoints(p, mask->Width(), mask->Height(), kFrameW, kFrameH);
    for (auto _ : state) {
        TRegion r = RegionFromSlicedMask(*mask, p, n, kFrameW, kFrameH);
        benchmark::DoNotOptimize(r.Rects().data());
    }
}
BENCHMARK(BM_RegionFromSlicedMask)->Unit(benchmark::kMicrosecond);

void BM_BlendClientSize(benchmark::State& state) {
    TspEffectBmp a(803, 589), b(803, 589);
    for (int y = 0; y < 589; ++y)
        for (int x = 0; x < 803; ++x) b.SetPixel(x, y, RGB(x & 255, y & 255, (x + y) & 255));
    for (auto _ : state) {
        a.Blend(b, 0.4);
        benchmark::DoNotOptimize(a.ScanLine(0));
    }
}
BENCHMARK(BM_BlendClientSize)->Unit(benchmark::kMicrosecond);

// One morph frame as a button paints it: both looks into buffers, the morph, the copy out.
void BM_ButtonMorphStep(benchmark::State& state) {
    TspSkinData& s = Store();
    const TBitmap* atlas = s.ActivePicture(0);
    TBitmap normal, active, target(113, 25);
    DrawHorizontalSliced(normal, atlas, Rect(4, 356, 87, 382), 16, 16, 113, false);
    DrawHorizontalSliced(active, atlas, Rect(90, 356, 173, 382), 16, 16, 113, false);
    const auto kind = TspMorphKind(state.range(0));
    for (auto _ : state) {
        TspEffectBmp a(normal), b(active);
        a.Morph(kind, b, 0.4);
        a.DrawAt(*target.Canvas(), 0, 0);
        benchmark::DoNotOptimize(target.Bits());
    }
}
BENCHMARK(BM_ButtonMorphStep)->DenseRange(mkDefault, mkPush)->Unit(benchmark::kMicrosecond);

} // namespace
