#include "iemode/ie_retired.h"

#include <array>
#include <charconv>

#include "iemode/ie_mode_keys.h"
#include "text/ascii.h"

namespace orvel {
namespace {

constexpr unsigned long kWindows10 = 10240;
constexpr unsigned long kWindows11 = 22000;

// Editions of Windows 10 that keep Internet Explorer: the long-term ones the
// retirement leaves out. The government edition (EnterpriseG, EnterpriseGN)
// is not among them: it is built on Enterprise, where IE is retired.
constexpr std::array<std::string_view, 3> kEditionsKeepingIe = {"EnterpriseS", "EnterpriseSN", "IoTEnterpriseS"};

unsigned long BuildOf(std::string_view text) {
  unsigned long build = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), build);
  return error == std::errc() && end == text.data() + text.size() ? build : 0;
}

bool IeAppDisabled(Registry& registry) {
  RegistryKey key(registry);
  uint32_t value = 0;
  return key.Open(ie_mode_keys::kIePolicy) == status::kSuccess &&
         key.QueryDword(ie_mode_keys::kDisableIeApp, value) == status::kSuccess && value == 1;
}

}  // namespace

bool IsIeRetired(const WindowsFacts& facts) {
  if (facts.ie_app_disabled) return true;
  const unsigned long build = BuildOf(facts.build_number);
  if (build >= kWindows11) return true;
  if (build < kWindows10) return false;
  for (const std::string_view edition : kEditionsKeepingIe) {
    if (EqualsFolded(facts.edition_id, edition)) return false;
  }
  return !StartsWithFolded(facts.installation_type, "SERVER");
}

std::string ReadText(Registry& registry, std::string_view path, std::string_view name) {
  RegistryKey key(registry);
  std::string data;
  if (key.Open(path) != status::kSuccess ||
      key.QueryString(name, ie_mode_keys::kTextCapacity, data) != status::kSuccess) {
    return {};
  }
  return data;
}

WindowsFacts ReadWindowsFacts(Registry& machine, Registry& user) {
  using namespace ie_mode_keys;
  return WindowsFacts{
      .build_number = ReadText(machine, kCurrentVersion, kBuildNumber),
      .edition_id = ReadText(machine, kCurrentVersion, kEditionId),
      .installation_type = ReadText(machine, kCurrentVersion, kInstallationType),
      .ie_app_disabled = IeAppDisabled(machine) || IeAppDisabled(user),
  };
}

}  // namespace orvel
