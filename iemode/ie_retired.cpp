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
  return ReadDword(registry, ie_mode_keys::kIePolicy, ie_mode_keys::kDisableIeApp) == 1u;
}

std::string TextOrEmpty(Registry& registry, std::string_view name) {
  return ReadString(registry, ie_mode_keys::kCurrentVersion, name).value_or("");
}

}  // namespace

bool IsWindows10(const WindowsFacts& facts) {
  const unsigned long build = BuildOf(facts.build_number);
  return build >= kWindows10 && build < kWindows11;
}

bool IsIeRetired(const WindowsFacts& facts) {
  if (facts.ie_app_disabled) return true;
  const unsigned long build = BuildOf(facts.build_number);
  if (build >= kWindows11) return true;
  if (build < kWindows10) return false;
  for (const std::string_view edition : kEditionsKeepingIe) {
    if (EqualsFolded(facts.edition_id, edition)) return false;
  }
  return facts.has_edge && !StartsWithFolded(facts.installation_type, "SERVER");
}

WindowsFacts ReadWindowsFacts(const Hives& hives) {
  using namespace ie_mode_keys;
  return WindowsFacts{
      .build_number = TextOrEmpty(hives.machine, kBuildNumber),
      .edition_id = TextOrEmpty(hives.machine, kEditionId),
      .installation_type = TextOrEmpty(hives.machine, kInstallationType),
      .ie_app_disabled = IeAppDisabled(hives.machine) || IeAppDisabled(hives.user),
  };
}

}  // namespace orvel
