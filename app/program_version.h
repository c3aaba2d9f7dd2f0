#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvel {

// The numbers of the running program's version resource that the title shows.
struct ProgramVersion {
  uint16_t major = 0;
  uint16_t minor = 0;
  uint16_t revision = 0;
};

std::optional<ProgramVersion> ReadProgramVersion();

// "<caption> major.minor.0.revision": the build field is always shown as 0.
std::string VersionedCaption(std::string_view caption, const ProgramVersion& version);

}  // namespace orvel
