#include "zones/reg_file.h"

#include <cstdio>

#include "zones/registry.h"
#include "zones/trusted_site.h"
#include "zones/zone_keys.h"

namespace orvel {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kLineEnd = "\r\n";

// A name or text between double quotes, with the two characters the format
// escapes.
std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

std::string Dword(uint32_t value) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
  return "dword:" + std::string(digits);
}

std::string Hex(std::string_view bytes) {
  std::string text = "hex:";
  char digits[3];
  for (size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02x", static_cast<unsigned char>(bytes[i]));
    if (i > 0) text += ',';
    text += digits;
  }
  return text;
}

class RegText {
 public:
  explicit RegText(std::string_view root) : root_(root) { text_.append(kHeader).append(kLineEnd); }

  void WriteKey(std::string_view path) {
    text_.append(kLineEnd).append("[").append(root_).append("\\").append(WithoutTrailingBackslash(path));
    text_.append("]").append(kLineEnd);
  }
  void WriteValue(std::string_view name, std::string_view data) {
    text_.append(Quoted(name)).append("=").append(data).append(kLineEnd);
  }

  std::string Text() && { return std::move(text_); }

 private:
  std::string_view root_;
  std::string text_;
};

}  // namespace

std::string RegFileRangeName(std::string_view host) { return std::string("ORVEL-").append(host); }

std::string RegFileText(std::string_view root, const Site& site) {
  const std::string& host = site.host;
  RegText reg(root);
  if (site.kind == HostKind::kDomain) {
    reg.WriteKey(DomainEntryPath(host));
  } else {
    reg.WriteKey(std::string(zone_keys::kRanges).append(RegFileRangeName(host)));
  }
  reg.WriteValue(SchemeName(site.scheme), Dword(zone_keys::kTrustedZone));
  if (site.kind != HostKind::kDomain) reg.WriteValue(zone_keys::kRangeText, Quoted(host));

  reg.WriteKey(zone_keys::kZone2);
  for (const zone_keys::ZoneSetting& setting : zone_keys::kZoneSettings)
    reg.WriteValue(zone_keys::ActionValueName(setting.action), Dword(setting.policy));

  reg.WriteKey(zone_keys::kAllow);
  reg.WriteValue(host, Hex(zone_keys::kPopupAllowed));
  return std::move(reg).Text();
}

}  // namespace orvel
