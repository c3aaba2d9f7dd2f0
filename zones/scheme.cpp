#include "zones/scheme.h"

namespace orvel {

std::string_view SchemeName(Scheme scheme) {
  switch (scheme) {
    case Scheme::kHttp:
      return "http";
    case Scheme::kHttps:
      return "https";
  }
  return "http";
}

std::string_view SchemePrefix(Scheme scheme) {
  switch (scheme) {
    case Scheme::kHttp:
      return "http://";
    case Scheme::kHttps:
      return "https://";
  }
  return "http://";
}

}  // namespace orvel
