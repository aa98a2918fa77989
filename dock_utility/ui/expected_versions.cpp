#include "dock_utility/ui/expected_versions.h"

namespace quaylin::ui {
namespace {

// Columns: host, port 2, billboard, upstream RQ9, downstream RQ9, upstream ORLX,
// downstream ORLX, package label.
constexpr ExpectedVersionTable kBrenn = {{
    {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31",
     L"01.01.01.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"01.01.02.00"},
    {L"0.60.3", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"01.01.02.02"},
}};

constexpr ExpectedVersionTable kOstrel = {{
    {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31",
     L"01.01.01.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"01.01.02.00"},
}};

constexpr ExpectedVersionTable kBrivane = {{
    {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31",
     L"01.01.01.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"01.01.02.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.1.1.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"03.05.01.00"},
}};

constexpr ExpectedVersionTable kQuenmar = {{
    {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31",
     L"01.01.01.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"01.01.02.00"},
}};

// Row 3 ("0.60.3.1") must stay before row 4 ("0.60.3"), which would also match it.
constexpr ExpectedVersionTable kVelloran = {{
    {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31",
     L"05.01.01.00"},
    {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"05.01.02.00"},
    {L"0.60.3.1", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"05.01.02.02"},
    {L"0.60.3", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"05.01.02.01"},
    {L"0.60.3.1", L"1.54", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44",
     L"05.01.02.03"},
    {L"0.60.3.2", L"1.52.02", L"0.1.0.15", L"0.0.59.183", L"0.0.42.183", L"Q1.0.1.55", L"Q1.0.1.55",
     L"05.01.02.04"},
}};

constexpr ExpectedVersionTable kDovik = {{
    {L"0.57", L"1.48.01", L"0.1.0.15", L"0.0.1.183", L"0.0.1.183", L"Q4.0.1.41", L"Q4.0.1.41",
     L"06.01.01.00"},
    {L"0.60.2.1", L"1.51", L"0.1.0.15", L"0.0.2.183", L"0.0.2.183", L"Q4.0.1.41", L"Q4.0.1.41",
     L"06.01.02.00"},
    {L"0.60.3.3", L"1.52.02", L"0.1.0.15", L"0.0.2.183", L"0.0.2.183", L"Q4.0.1.41", L"Q4.0.1.41",
     L"06.01.02.03"},
}};

bool Contains(const std::wstring& line, std::wstring_view expected) {
  return line.find(expected) != std::wstring::npos;
}

}  // namespace

const ExpectedVersionTable& ExpectedVersionsForBrand(uint8_t brandCode) {
  switch (brandCode) {
    case 2:
      return kOstrel;
    case 3:
      return kBrivane;
    case 4:
      return kQuenmar;
    case 5:
      return kVelloran;
    case 6:
      return kDovik;
    default:
      return kBrenn;
  }
}

std::wstring MatchExpectedVersions(const ExpectedVersionTable& table, const ChipVersionLines& chips,
                                   const DisplayVersionLines& display) {
  for (const ExpectedVersionRow& row : table) {
    if (row.billboard.empty()) {
      break;
    }
    if (Contains(display.hostLine, row.host) && Contains(display.port2Line, row.port2) &&
        Contains(chips.billboardLine, row.billboard) &&
        Contains(chips.upstreamHubLine, row.upstreamHub) &&
        Contains(chips.downstreamHubLine, row.downstreamHub) &&
        Contains(chips.upstreamPdLine, row.upstreamPd) &&
        Contains(chips.downstreamPdLine, row.downstreamPd)) {
      return std::wstring(row.packageLabel);
    }
  }
  return kUnknownVersion;
}

std::wstring LookupDockFirmwareVersion(DockOperations& dock, const ChipVersionLines& chipLines,
                                       const DisplayVersionLines& displayLines) {
  uint8_t brandCode = 0;
  uint8_t variant = 0;
  if (dock.IdentifyDockCustomer(brandCode, variant) != 1) {
    return kUnknownVersion;
  }
  return MatchExpectedVersions(ExpectedVersionsForBrand(brandCode), chipLines, displayLines);
}

}  // namespace quaylin::ui
