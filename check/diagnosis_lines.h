#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "zones/zone_diagnosis.h"

namespace orvel {

// One progress line per finding, in the order the check shows them.
std::vector<std::string> DiagnosisLines(const ZoneDiagnosis& diagnosis);

// The line that says whose hive the settings went to.
std::string DesktopUserLine(std::string_view account);

}  // namespace orvel
