// ParseMatchList over a large answer: about 20,000 matches in 10 MB.

#include "service/MatchList.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// An answer laid out the way a service that pretty-prints would send it.
std::string LargeAnswer(int matches) {
    std::string answer = "<PODPISKA>Gold 30 days</PODPISKA>\r\n<list>\r\n";
    for (int i = 0; i < matches; ++i) {
        auto field = [&](const char* name, const std::string& value) {
            answer.append("\r\n      <").append(name).append(">").append(value);
            answer.append("</").append(name).append(">");
        };
        answer += "  <match>";
        field("id", std::to_string(4100000 + i));
        field("date", "09.12.2026");
        field("time", std::to_string(10 + i % 14) + ":" + (i % 2 ? "30" : "00"));
        field("home", " Kingsbridge United Football Club " + std::to_string(i % 97) + " ");
        field("away", " Ravensworth Athletic Association " + std::to_string(i % 89) + " ");
        field("liga", "England.Premier League Division " + std::to_string(i % 7));
        field("kf1", " 1." + std::to_string(10 + i % 90) + " ");
        field("kf2", " 3." + std::to_string(10 + i % 90) + " ");
        field("kf3", " 5." + std::to_string(10 + i % 90) + " ");
        field("p1", std::to_string(i % 101));
        field("x", std::to_string(i % 51));
        field("p2", std::to_string(i % 61));
        field("t05", std::to_string(80 + i % 21));
        field("t15", std::to_string(60 + i % 41));
        field("t25", std::to_string(40 + i % 61));
        field("oz", std::to_string(30 + i % 71));
        field("count", std::to_string(5 + i % 40));
        answer += "\r\n  </match>\r\n";
    }
    return answer + "</list>\r\n";
}

void BM_ParseMatchList(benchmark::State& state) {
    static const std::string answer = LargeAnswer(20000);
    std::size_t entries = 0;
    for (auto _ : state) {
        entries = 0;
        ParseMatchList(answer, [&entries](const MatchEntry& e) { entries += e.home.size() > 0; });
        benchmark::DoNotOptimize(entries);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
    state.counters["answer_MB"] = static_cast<double>(answer.size()) / 1e6;
    state.counters["matches"] = static_cast<double>(entries);
}
// Bytes per second of wall-clock time.
BENCHMARK(BM_ParseMatchList)->Unit(benchmark::kMillisecond)->UseRealTime();

// A hostile answer: a 1 MB value, then 100,000 blocks whose open tag has no close tag, so every
// entry keeps the big value. Linear: the kept text is not copied again.
void BM_ParseKeptValue(benchmark::State& state) {
    static const std::string answer = [] {
        std::string text =
            "<PODPISKA>x</PODPISKA><match><home>" + std::string(1 << 20, 'h') + "</home></match>";
        for (int i = 0; i < 100000; ++i) text += "<match><home></match>";
        return text;
    }();
    std::size_t total = 0;
    for (auto _ : state) {
        total = 0;
        ParseMatchList(answer, [&total](const MatchEntry& e) { total += e.home.size(); });
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
    state.counters["entry_text_GB"] = static_cast<double>(total) / 1e9;
}
BENCHMARK(BM_ParseKeptValue)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
