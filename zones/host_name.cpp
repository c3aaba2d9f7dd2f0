#include "zones/host_name.h"

namespace orvel {

std::vector<std::string_view> SplitLabels(std::string_view host) {
  std::vector<std::string_view> labels;
  if (host.empty()) return labels;
  size_t start = 0;
  while (true) {
    const size_t dot = host.find('.', start);
    if (dot == std::string_view::npos) {
      labels.push_back(host.substr(start));
      return labels;
    }
    labels.push_back(host.substr(start, dot - start));
    start = dot + 1;
  }
}

HostNameParts SplitHostName(std::string_view host) {
  const std::vector<std::string_view> labels = SplitLabels(host);
  if (labels.size() < 3) return {{}, std::string(host)};
  return {std::string(labels.front()), std::string(host.substr(labels.front().size() + 1))};
}

}  // namespace orvel
