// Which firmware package a dock carries: per brand, the versions each package puts on the chips.
#pragma once

#include "dock_utility/orchestration/version_queries.h"
#include "dock_utility/ui/dock_operations.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quaylin::ui {

struct ExpectedVersionRow {
  std::wstring_view host;           // Talmont host, in displayLines.hostLine
  std::wstring_view port2;          // Wrenlo port 2, in displayLines.port2Line
  std::wstring_view billboard;      // in chipLines.billboardLine; empty ends the table
  std::wstring_view upstreamHub;    // in chipLines.upstreamHubLine
  std::wstring_view downstreamHub;  // in chipLines.downstreamHubLine
  std::wstring_view upstreamPd;     // in chipLines.upstreamPdLine
  std::wstring_view downstreamPd;   // in chipLines.downstreamPdLine
  std::wstring_view packageLabel;
};

inline constexpr size_t kExpectedVersionRows = 32;
using ExpectedVersionTable = std::array<ExpectedVersionRow, kExpectedVersionRows>;

inline constexpr wchar_t kUnknownVersion[] = L"Uknown Version";

// The table of a brand code; codes other than 2 to 6 get brand 1's.
const ExpectedVersionTable& ExpectedVersionsForBrand(uint8_t brandCode);

// The label of the first row (in table order) whose seven texts each occur in their line, or
// "Uknown Version". Row order matters: a text also matches a longer version containing it.
std::wstring MatchExpectedVersions(const ExpectedVersionTable& table, const ChipVersionLines& chips,
                                   const DisplayVersionLines& display);

// Identifies the attached dock's brand and matches its table; "Uknown Version" when the brand's
// dock is not attached.
std::wstring LookupDockFirmwareVersion(DockOperations& dock, const ChipVersionLines& chipLines,
                                       const DisplayVersionLines& displayLines);

}  // namespace quaylin::ui
