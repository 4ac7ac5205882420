// Speed of the core: encoding, profile files and a month's rule evaluation.
#include <benchmark/benchmark.h>

#include "core/encoding.h"
#include "core/profile.h"
#include "output/evaluation.h"

namespace dustora {
namespace {

void BM_EncodeJapanese(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "燃やせるごみ・ペットボトル 2011/04/06 ";
  for (auto _ : state) benchmark::DoNotOptimize(sjis::Encode(text));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_EncodeJapanese);

void BM_DecodeJapanese(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "燃やせるごみ・ペットボトル 2011/04/06 ";
  const std::string bytes = sjis::Encode(text).bytes;
  for (auto _ : state) benchmark::DoNotOptimize(sjis::Decode(bytes));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DecodeJapanese);

void BM_ProfileWriteAndRead300(benchmark::State& state) {
  for (auto _ : state) {
    ProfileFile file;
    for (int i = 0; i < 300; ++i) file.Write("S" + std::to_string(i % 6), std::to_string(i), "値");
    const ProfileFile back = ProfileFile::FromBytes("", file.Bytes());
    for (int i = 0; i < 300; ++i) benchmark::DoNotOptimize(back.Read("S" + std::to_string(i % 6), std::to_string(i)));
  }
}
BENCHMARK(BM_ProfileWriteAndRead300);

void BM_EvaluateFullMonth(benchmark::State& state) {
  CalendarDocument doc;
  const char* days[7] = {"日", "月", "火", "水", "木", "金", "土"};
  for (const auto& info : RuleKinds()) {
    for (int row = 0; row < 5; ++row) {
      const std::string first = info.kind == RuleKind::Special ? std::to_string(row * 6 + 1) : days[row];
      doc.StoreRow(info.kind, row, {first, "分別" + std::to_string(row), "icon.gif", "#FF0000"});
    }
  }
  NoneTermTable periods;
  for (int i = 0; i < 200; ++i)
    periods.push_back({Date{2000 + i / 12, i % 12 + 1, 1}, Date{2000 + i / 12, i % 12 + 1, 3}, "[すべて]"});
  RuleOptions options;
  options.every_other_base = "2011/4/6";
  options.periods = &periods;
  for (auto _ : state) benchmark::DoNotOptimize(EvaluateMonth(doc, 2026, 12, options));
}
BENCHMARK(BM_EvaluateFullMonth);

}  // namespace
}  // namespace dustora

BENCHMARK_MAIN();
