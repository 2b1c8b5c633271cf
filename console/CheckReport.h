// What check prints: per section its target and what running it would do.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleHooks.h"

// "already applied" when no byte would change, "not applied" when none
// already holds its new value, "partly applied" otherwise.
std::string_view AppliedState(const StoreCounts& counts);

// A registry value as "REG_DWORD 100 (0x00000064)", "REG_SZ "text"" or
// "REG_BINARY 0A 0B 0C".
std::string DescribeValue(const RecordedValue& value);

// The report of all sections, CP932 text with LF line ends.
std::string BuildCheckReport(const std::vector<SectionReport>& sections);
