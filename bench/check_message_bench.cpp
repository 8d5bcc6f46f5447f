// Throughput of CheckMessage with the built-in default settings, host names
// taken from the Received: lines, and no resolver (relays without a name in
// their line fail their lookup at once).
//
//   BM_CorpusHeaders     every header of the shared corpus, once per iteration;
//                        items/s is headers per second on one core
//   BM_CorpusWithIPv6    the same headers, two of every three under an extra
//                        top Received: line from an IPv6 relay in an
//                        excluded network (loopback, link-local with a zone),
//                        so IPv6 lines are read and the IPv4 relay below
//                        still decides
//   BM_FoldedReceived/N  one header of N bytes of folded Received: lines whose
//                        relays all lie in excluded networks, so every line
//                        is read; time should grow linearly with N
//   BM_OneHugeLine/N     one unfolded Received: line of N bytes of "(" that
//                        the Postfix pattern tries at every position
//   BM_HostileLines/N    a header of N bytes of such lines, 2,000 bytes each
//   BM_WorstLine         one line of the longest readable length, all "(":
//                        the costliest line for the default patterns
//   BM_WorstHost         one line of that length whose host name costs the
//                        default rules time quadratic in its length
//
// A hostile header must cost less than 100 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/general.h"
#include "settings/default_lines.h"
#include "tools/check/message_file.h"

namespace {

std::vector<std::string> LoadCorpus() {
  std::vector<std::string> headers;
  std::vector<std::filesystem::path> files;
  for (const auto& entry :
       std::filesystem::directory_iterator(std::string(QUORN_CORPUS_DIR) + "/corpus/headers")) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) headers.push_back(*quorn::ReadMessageHeader(file.string()));
  return headers;
}

void BM_CorpusHeaders(benchmark::State& state) {
  static const std::vector<std::string> headers = LoadCorpus();
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  std::size_t bytes = 0;
  for (const auto& h : headers) bytes += h.size();
  for (auto _ : state) {
    for (const auto& h : headers) benchmark::DoNotOptimize(quorn::CheckMessage(form, h));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * headers.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_CorpusHeaders)->Unit(benchmark::kMillisecond);

void BM_CorpusWithIPv6(benchmark::State& state) {
  static const std::vector<std::string> headers = [] {
    const char* tops[] = {
        "Received: from localhost (localhost [IPv6:::1])\r\n\tby mx.example.org (Postfix) with ESMTP id 4F2A1B3C\r\n",
        "Received: from relay.example.org (relay.example.org [fe80::d82c:67bf:ec39:a403%9])\r\n"
        "\tby mx.example.org (Postfix) with ESMTP id 4F2A1B3D\r\n",
        ""};
    std::vector<std::string> mixed = LoadCorpus();
    for (std::size_t i = 0; i < mixed.size(); ++i) mixed[i] = tops[i % 3] + mixed[i];
    return mixed;
  }();
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  for (auto _ : state) {
    for (const auto& h : headers) benchmark::DoNotOptimize(quorn::CheckMessage(form, h));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * headers.size()));
}
BENCHMARK(BM_CorpusWithIPv6)->Unit(benchmark::kMillisecond);

std::string FoldedReceivedHeader(std::size_t size) {
  std::string header = "Subject: test\r\n";
  for (int i = 0; header.size() < size; ++i) {
    header += "Received: from mx" + std::to_string(i) + ".example.org (mx" + std::to_string(i) +
              ".example.org [10.1." + std::to_string(i % 250) + ".3])\r\n" +
              "\tby relay.example.net (Postfix) with ESMTP id 4F2A1B3C;\r\n"
              " Mon, 1 Jan 2024 00:00:00 +0000\r\n";
  }
  return header;
}

void BM_FoldedReceived(benchmark::State& state) {
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  const std::string header = FoldedReceivedHeader(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(quorn::CheckMessage(form, header));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * header.size()));
}
BENCHMARK(BM_FoldedReceived)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_OneHugeLine(benchmark::State& state) {
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  const std::string header = "Received: from " + std::string(state.range(0), '(');
  for (auto _ : state) benchmark::DoNotOptimize(quorn::CheckMessage(form, header));
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OneHugeLine)->RangeMultiplier(4)->Range(1 << 10, 4 << 20)->Unit(benchmark::kMillisecond);

// Many lines of "(" that the Postfix pattern tries at every position and
// never matches: the worst header a sender can write for the default patterns.
void BM_HostileLines(benchmark::State& state) {
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  const std::string line = "Received: from " + std::string(2000, '(') + "\r\n";
  std::string header;
  while (header.size() < static_cast<std::size_t>(state.range(0))) header += line;
  for (auto _ : state) benchmark::DoNotOptimize(quorn::CheckMessage(form, header));
  state.SetComplexityN(state.range(0));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * header.size()));
}
BENCHMARK(BM_HostileLines)
    ->RangeMultiplier(4)
    ->Range(64 << 10, 4 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void JudgeOneLine(benchmark::State& state, const std::string& line) {
  quorn::UseDefaultLists();
  quorn::LiveSettings form;
  if (line.size() != quorn::kReceivedLineReadLimit) state.SkipWithError("not a line of the limit");
  quorn::MessageVerdict verdict;
  for (auto _ : state) benchmark::DoNotOptimize(verdict = quorn::JudgeMessage(form, line));
  state.SetLabel(quorn::VerdictName(verdict.hop.code));
}

void BM_WorstLine(benchmark::State& state) {
  JudgeOneLine(state, "Received: from " + std::string(quorn::kReceivedLineReadLimit - 15, '('));
}
BENCHMARK(BM_WorstLine)->Unit(benchmark::kMillisecond);

// No line separator ends the host group, and "^" matches after each CR in
// it: the third default rule then scans the rest of the name from each.
void BM_WorstHost(benchmark::State& state) {
  const std::string start = "Received: (", end = " [198.51.100.1])";
  std::string host;
  while (host.size() < quorn::kReceivedLineReadLimit - start.size() - end.size()) host += "\r1.1-";
  host.resize(quorn::kReceivedLineReadLimit - start.size() - end.size());
  JudgeOneLine(state, start + host + end);
}
BENCHMARK(BM_WorstHost)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
