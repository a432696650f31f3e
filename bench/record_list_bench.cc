// Prints what one ListSearch costs on the file list of a 10,000-file and a 1,000,000-file
// package, and what sorting that list by path costs. Binary search should keep the
// per-search cost at 1,000,000 records within twice the cost at 10,000.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "records/list_search.h"
#include "records/record_list.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32_t kBenchList = 60;
constexpr int kSearches = 100000;
constexpr int kBatches = 400;
constexpr size_t kBatch = 500;

double Seconds(Clock::time_point from) {
  return std::chrono::duration<double>(Clock::now() - from).count();
}

// The n-th path of a package: 10 vendors, 1,000 folders, the rest files.
std::string PackagePath(uint32_t n) {
  return "C:\\Program Files\\Vendor" + std::to_string(n % 10) + "\\Dir" +
         std::to_string(n / 10 % 1000) + "\\file" + std::to_string(n / 10000) + ".dll";
}

struct Figures {
  uint32_t records = 0;
  int32_t list = 0;
  double add_ms = 0;
  double sort_ms = 0;
  double search_ns = 0;
  int32_t hits = 0;  // over all batches
  std::vector<std::string> keys;
};

// Fills list with the paths of a package of `records` files in random order and sorts it
// by path, as the file list is built.
Figures Build(int32_t list, uint32_t records, std::mt19937* rng) {
  Figures figures;
  figures.records = records;
  figures.list = list;
  std::vector<uint32_t> order(records);
  for (uint32_t i = 0; i < records; ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), *rng);

  qv::ListSetup(list, false);
  Clock::time_point start = Clock::now();
  for (uint32_t n : order) {
    qv::ListAddItem(list, "|1=" + PackagePath(n) + "|2=File" + std::to_string(n));
  }
  figures.add_ms = Seconds(start) * 1e3;
  start = Clock::now();
  qv::ListSortFields(list, "|1=", "\\", 0);
  figures.sort_ms = Seconds(start) * 1e3;

  // Half the keys are files of the package, half are not (they sort just after one).
  figures.keys.reserve(kSearches);
  for (int i = 0; i < kSearches; ++i) {
    const uint32_t n = static_cast<uint32_t>((*rng)() % records);
    figures.keys.push_back(i % 2 == 0 ? PackagePath(n) : PackagePath(n) + "x");
  }
  return figures;
}

// The per-search time of one batch of searches, from the `batch`-th slice of the keys.
double TimeBatch(Figures* figures, int batch) {
  const size_t from = static_cast<size_t>(batch) * kBatch % figures->keys.size();
  int32_t hits = 0;
  const Clock::time_point start = Clock::now();
  for (size_t i = from; i < from + kBatch; ++i) {
    int32_t first = 0;
    if (qv::ListSearch(figures->list, "|1=", figures->keys[i], true, &first, 0, false) >= 0) {
      ++hits;
    }
  }
  figures->hits += hits;
  return Seconds(start) * 1e9 / kBatch;
}

double Median(std::vector<double> values) {
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  std::mt19937 rng(12345);
  Figures small = Build(kBenchList, 10000, &rng);
  Figures large = Build(kBenchList + 1, 1000000, &rng);
  // The machine is shared, so small and large batches alternate and the medians are
  // reported: a burst of other work then slows both sides of a pair alike.
  std::vector<double> small_ns;
  std::vector<double> large_ns;
  std::vector<double> ratios;
  for (int batch = 0; batch < kBatches; ++batch) {
    small_ns.push_back(TimeBatch(&small, batch));
    large_ns.push_back(TimeBatch(&large, batch));
    ratios.push_back(large_ns.back() / small_ns.back());
  }
  small.search_ns = Median(small_ns);
  large.search_ns = Median(large_ns);
  std::printf("%10s %12s %12s %14s %8s\n", "records", "add ms", "sort ms", "search ns", "hits");
  for (const Figures* f : {&small, &large}) {
    std::printf("%10u %12.1f %12.1f %14.0f %8d\n", f->records, f->add_ms, f->sort_ms, f->search_ns,
                f->hits);
  }
  std::printf(
      "search cost 1,000,000 / 10,000: %.2f, median of paired batches %.2f"
      " (target 2.00 or less)\n",
      large.search_ns / small.search_ns, Median(ratios));
  return 0;
}
