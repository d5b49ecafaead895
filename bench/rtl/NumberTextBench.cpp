// Number text is on the hot path: the grid sorts and the filter reads 100,000 cells through
// StrToFloat / StrToInt, and every float cell is shown through FloatToStr.
#include "rtl/Classes.h"
#include "rtl/SysUtils.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

std::vector<std::string> OddsTexts(int n) {
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(n));
    SetRandSeed(7);
    for (int i = 0; i < n; ++i) out.push_back(FloatToStr(1.0 + Random(2000) / 100.0));
    return out;
}

void BM_StrToFloat100k(benchmark::State& state) {
    TFormatSettings saved = FormatSettings;
    FormatSettings.DecimalSeparator = ',';
    auto texts = OddsTexts(100000);
    for (auto _ : state) {
        double sum = 0;
        for (const auto& t : texts) sum += StrToFloat(t);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
    FormatSettings = saved;
}
BENCHMARK(BM_StrToFloat100k)->Unit(benchmark::kMillisecond);

void BM_WideStrToFloat100k(benchmark::State& state) {
    auto narrow = OddsTexts(100000);
    std::vector<WideString> texts;
    for (const auto& t : narrow) texts.push_back(AnsiToWide(t));
    for (auto _ : state) {
        double sum = 0;
        for (const auto& t : texts) sum += StrToFloat(t);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_WideStrToFloat100k)->Unit(benchmark::kMillisecond);

void BM_TryStrToIntWide100k(benchmark::State& state) {
    std::vector<WideString> texts;
    for (int i = 0; i < 100000; ++i) texts.push_back(IntToWideStr(i % 101));
    for (auto _ : state) {
        long sum = 0;
        int v;
        for (const auto& t : texts) sum += TryStrToInt(t, v) ? v : 1;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_TryStrToIntWide100k)->Unit(benchmark::kMillisecond);

void BM_FloatToStr(benchmark::State& state) {
    double v = 1.85;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(v));
        v += 0.01;
    }
}
BENCHMARK(BM_FloatToStr);

void BM_AnsiToWide(benchmark::State& state) {
    std::string text = "\xCE\xF8\xE8\xE1\xEA\xE0 Premier League 2:1";
    for (auto _ : state) benchmark::DoNotOptimize(AnsiToWide(text));
}
BENCHMARK(BM_AnsiToWide);

void BM_StringListSetText(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "<match><id>" + IntToStr(i) + "</id></match>\r\n";
    TStringList list;
    for (auto _ : state) {
        list.SetText(text);
        benchmark::DoNotOptimize(list.Count());
    }
}
BENCHMARK(BM_StringListSetText)->Unit(benchmark::kMicrosecond);

} // namespace
