// Two copies of the program checking two numeric addresses at the same
// moment: each must end with its own Range entry, neither written over by
// the other, round after round.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "tests/support/scratch_hive.h"
#include "tests/support/test_hive.h"
#include "win/unique_any.h"
#include "win/utf16_text.h"
#include "zones/subkeys.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

constexpr DWORD kRoundTimeoutMs = 60000;
const std::string kHosts[] = {"10.0.0.1", "10.0.0.2"};

int Rounds() {
  const char* rounds = std::getenv("ORVEL_RACE_ROUNDS");
  return rounds != nullptr ? std::atoi(rounds) : 1000;
}

std::wstring BesideThisProgram(const std::wstring& name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

// Starts a program; its process handle, or null.
HANDLE Launch(std::wstring command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return nullptr;
  }
  CloseHandle(info.hThread);
  return info.hProcess;
}

UniqueHandle Event(const std::wstring& name) { return UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, name.c_str())); }

// The Range entries below the scratch key: name -> ":Range" text, for the
// entries whose "http" value is 2.
std::map<std::string, std::string> TrustedRanges(Registry& registry) {
  std::vector<std::string> names;
  EnumSubkeys(registry, zone_keys::kRanges, names);
  std::map<std::string, std::string> ranges;
  for (const std::string& name : names) {
    const std::string path = std::string(zone_keys::kRanges) + name;
    const auto text = test::GetValue(registry, path, zone_keys::kRangeText);
    if (text && test::GetDword(registry, path, "http") == 2u) ranges[name] = text->substr(0, text->find('\0'));
  }
  return ranges;
}

TEST(TwoCopies, SimultaneousChecksOfTwoNumericAddressesKeepBothEntries) {
  test::ScratchHive hive;
  test::PutKey(hive.registry(), zone_keys::kZone2);
  const int rounds = Rounds();
  const std::wstring ranges_key = Utf8ToWide(zone_keys::kRanges.substr(0, zone_keys::kRanges.size() - 1));
  const std::wstring prefix = L"orvel-two-copies-" + std::to_wstring(GetCurrentProcessId());
  const std::wstring worker = BesideThisProgram(L"orvel_zone_worker.exe");

  auto launch = [&](const std::string& host) {
    return Launch(L"\"" + worker + L"\" \"" + hive.path() + L"\" " + std::wstring(host.begin(), host.end()) + L" " +
                  std::to_wstring(rounds) + L" " + prefix);
  };
  const UniqueHandle workers[] = {UniqueHandle(launch(kHosts[0])), UniqueHandle(launch(kHosts[1]))};
  // A test stopped early ends the workers still running.
  struct EndWorkers {
    const UniqueHandle (&workers)[2];
    ~EndWorkers() {
      for (const UniqueHandle& worker : workers) TerminateProcess(worker.get(), 1);
    }
  } end_workers{workers};
  ASSERT_TRUE(workers[0].valid() && workers[1].valid()) << "cannot start " << GetLastError();

  const auto start = std::chrono::steady_clock::now();
  int good_rounds = 0;
  for (int round = 0; round < rounds; ++round) {
    RegDeleteTreeW(hive.root(), ranges_key.c_str());
    const std::wstring name = prefix + L"-" + std::to_wstring(round);
    const UniqueHandle done_a = Event(name + L"-done-" + std::wstring(kHosts[0].begin(), kHosts[0].end()));
    const UniqueHandle done_b = Event(name + L"-done-" + std::wstring(kHosts[1].begin(), kHosts[1].end()));
    const UniqueHandle go = Event(name + L"-go");
    ASSERT_TRUE(SetEvent(go.get()));
    const HANDLE done[] = {done_a.get(), done_b.get()};
    ASSERT_EQ(WaitForMultipleObjects(2, done, TRUE, kRoundTimeoutMs), WAIT_OBJECT_0) << "round " << round;

    const auto ranges = TrustedRanges(hive.registry());
    std::vector<std::string> hosts;
    for (const auto& [range, host] : ranges) hosts.push_back(host);
    std::sort(hosts.begin(), hosts.end());
    EXPECT_EQ(hosts, (std::vector<std::string>{kHosts[0], kHosts[1]})) << "round " << round;
    if (hosts.size() == 2 && hosts[0] != hosts[1]) ++good_rounds;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (const UniqueHandle& worker : workers) {
    ASSERT_EQ(WaitForSingleObject(worker.get(), kRoundTimeoutMs), WAIT_OBJECT_0);
    DWORD failed_rounds = 0;
    GetExitCodeProcess(worker.get(), &failed_rounds);
    EXPECT_EQ(failed_rounds, 0u) << "rounds whose check failed";
  }
  std::printf("two copies: %d of %d rounds ended with both Range entries (%.1f s)\n", good_rounds, rounds, seconds);
}

}  // namespace
}  // namespace orvel
