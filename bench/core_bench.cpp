// The address parser and the zone operations over the in-memory registry.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "check/address.h"
#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"
#include "zones/zone_permissions.h"

namespace orvel {
namespace {

void BM_ParseSiteAddress(benchmark::State& state) {
  const std::string addresses[] = {"http://portal.example.cn:8080/orvel/login?x=1", "10.1.2.3", "中国.cn/路径",
                                   "https://a.b.c/"};
  for (auto _ : state) {
    for (const std::string& address : addresses) benchmark::DoNotOptimize(ParseSiteAddress(address));
  }
  state.SetItemsProcessed(state.iterations() * std::size(addresses));
}
BENCHMARK(BM_ParseSiteAddress);

// A zone map holding `state.range(0)` Range entries, none of them the host.
void FillRanges(MemoryRegistry& registry, int64_t count) {
  for (int64_t i = 1; i <= count; ++i) {
    const std::string key = std::string(zone_keys::kRanges) + "Range" + std::to_string(i);
    test::PutDword(registry, key, "http", 2);
    test::PutString(registry, key, ":Range", "172.16." + std::to_string(i / 250) + "." + std::to_string(i % 250));
  }
}

void BM_IsTrustedSiteNumeric(benchmark::State& state) {
  MemoryRegistry registry;
  FillRanges(registry, state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(IsTrustedSite(
        registry, Site{.host = std::string("10.1.2.3"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
}
BENCHMARK(BM_IsTrustedSiteNumeric)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000);

void BM_AddTrustedSiteNumeric(benchmark::State& state) {
  for (auto _ : state) {
    // Filling and tearing down the map are not the operation's cost.
    state.PauseTiming();
    auto registry = std::make_unique<MemoryRegistry>();
    FillRanges(*registry, state.range(0));
    state.ResumeTiming();
    benchmark::DoNotOptimize(AddTrustedSite(
        *registry, Site{.host = std::string("10.1.2.3"), .kind = HostKind::kNumeric, .scheme = Scheme::kHttp}));
    state.PauseTiming();
    registry.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddTrustedSiteNumeric)->Arg(0)->Arg(100)->Arg(1000)->Arg(3000)->Arg(10000)->Iterations(20);

void BM_DomainCheck(benchmark::State& state) {
  MemoryRegistry registry;
  for (int i = 0; i < 10000; ++i) {
    test::PutDword(registry, std::string(zone_keys::kDomains) + "example" + std::to_string(i) + ".cn\\www", "http", 2);
  }
  test::PutKey(registry, zone_keys::kZone2);
  for (auto _ : state) {
    if (!IsTrustedSite(
            registry,
            Site{.host = std::string("portal.example.cn"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp})) {
      AddTrustedSite(
          registry, Site{.host = std::string("portal.example.cn"), .kind = HostKind::kDomain, .scheme = Scheme::kHttp});
    }
    benchmark::DoNotOptimize(SetZonePermissions(registry, "portal.example.cn"));
  }
}
BENCHMARK(BM_DomainCheck);

}  // namespace
}  // namespace orvel

BENCHMARK_MAIN();
