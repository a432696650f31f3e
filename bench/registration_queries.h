#pragma once
// The registration queries both registry benchmarks time, on whatever machine is current.

#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/program_setup.h"
#include "bench/bench_support.h"
#include "guids/guid_identification.h"
#include "platform/msi/automation.h"
#include "platform/msi/msi_functions.h"

namespace qv::bench {

/// A GUID no generated registry holds.
inline const std::string kUnknownGuid = "{01234567-89AB-CDEF-0123-456789ABCDEF}";

/// Prints the first time of a query and the best of ten more.
template <typename F>
void TimeQuery(const char* what, F&& query) {
  const Timing first = Measure(RUSAGE_SELF, query);
  double best = 1e9;
  for (int i = 0; i < 10; ++i) best = std::min(best, Measure(RUSAGE_SELF, query).wall);
  std::printf("  %-58s first %7.3f ms, then %7.3f ms\n", what, first.wall * 1e3, best * 1e3);
}

/// What the timed queries answered, to check that they found what was generated.
struct QueryAnswers {
  int state = 0;
  std::string version;
  size_t clients = 0;
  size_t enumerated = 0;
  size_t products = 0;
};

/// Times the installer's registration queries for an installed product and the last component
/// enumerated, and for an unknown GUID; prints and returns their answers.
inline QueryAnswers TimeRegistrationQueries(qv::msi::Installer& installer,
                                            const std::string& product, const std::string& last) {
  QueryAnswers a;
  TimeQuery("ProductState of an installed product",
            [&] { a.state = installer.ProductState(product); });
  TimeQuery("ProductInfo VersionString of it",
            [&] { a.version = installer.ProductInfo(product, "VersionString"); });
  TimeQuery("ComponentClients of the last component enumerated",
            [&] { a.clients = installer.ComponentClients(last).size(); });
  TimeQuery("ProductState of an unknown GUID", [&] { installer.ProductState(kUnknownGuid); });
  TimeQuery("ComponentClients of an unknown GUID",
            [&] { installer.ComponentClients(kUnknownGuid); });
  TimeQuery("FeatureState of an unknown GUID in a product",
            [&] { installer.FeatureState(product, kUnknownGuid); });
  TimeQuery("MsiEnumComponentsA over every component", [&] {
    std::string component;
    a.enumerated = 0;
    while (qv::msi::MsiEnumComponentsA(static_cast<uint32_t>(a.enumerated), &component) == 0) {
      ++a.enumerated;
    }
  });
  TimeQuery("Products", [&] { a.products = installer.Products().size(); });
  std::printf(
      "checks: state %d (5 expected), version %s, %zu client(s), %zu components "
      "enumerated, %zu products\n",
      a.state, a.version.c_str(), a.clients, a.enumerated, a.products);
  return a;
}

/// Times what the registration queries read once per machine, right after it is loaded, and
/// prints when the program is ready to identify GUIDs (load plus that preparation).
inline void TimePreparation(const Timing& load) {
  const Timing prepare = Measure(RUSAGE_SELF, [] { qv::msi::PrepareRegistrationQueries(); });
  std::printf(
      "ready to identify: %.3f s wall (load %.3f s, then %.3f s for the component list "
      "and feature index)\n",
      load.wall + prepare.wall, load.wall, prepare.wall);
}

/// Times what the GUID tab shows for each (what, GUID) and prints its first line; true when
/// each GUID but kUnknownGuid was found as something.
inline bool TimeIdentifications(const std::vector<std::pair<const char*, std::string>>& guids) {
  if (!qv::SetUpProgramState()) {
    std::fprintf(stderr, "the installer object cannot be created\n");
    return false;
  }
  bool allFound = true;
  for (const auto& [what, guid] : guids) {
    std::string description;
    TimeQuery(what, [&] { qv::IdentifyGUID(guid, &description); });
    std::printf("    -> %s\n", description.substr(0, description.find('\r')).c_str());
    allFound = allFound && (guid == kUnknownGuid) == description.empty();
  }
  return allFound;
}

}  // namespace qv::bench
