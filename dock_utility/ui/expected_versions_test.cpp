#include "dock_utility/ui/expected_versions.h"

#include "dock_utility/ui/testing/scripted_dock.h"

#include <gtest/gtest.h>

namespace quaylin::ui {
namespace {

struct Versions {
  const wchar_t* host;
  const wchar_t* port2;
  const wchar_t* billboard;
  const wchar_t* upstreamHub;
  const wchar_t* downstreamHub;
  const wchar_t* upstreamPd;
  const wchar_t* downstreamPd;
};

// Lines shaped as the version queries return them.
void MakeLines(const Versions& v, ChipVersionLines& chips, DisplayVersionLines& display) {
  display.hostLine = std::wstring(L"  Host   Device: Talmont App: Tm7730 ") + v.host;
  display.port2Line = std::wstring(L"  Port#2 Device: Wrenlo App: WL4410 ") + v.port2;
  chips.billboardLine = std::wstring(L"\tVersion: ") + v.billboard;
  chips.upstreamHubLine = std::wstring(L"\tVersion: ") + v.upstreamHub;
  chips.downstreamHubLine = std::wstring(L"\tVersion: ") + v.downstreamHub;
  chips.upstreamPdLine = std::wstring(L"\tApplication Version: ") + v.upstreamPd;
  chips.downstreamPdLine = std::wstring(L"\tApplication Version: ") + v.downstreamPd;
}

struct LookupCase {
  const char* name;
  uint8_t brand;
  Versions versions;
  const wchar_t* expected;
};

const Versions kVelloranRow5 = {L"0.60.3.1",   L"1.54",      L"0.1.0.15", L"0.0.50.183",
                                L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"};

const LookupCase kCases[] = {
    {"velloran row 5", 5, kVelloranRow5, L"05.01.02.03"},
    {"velloran 0.60.3.1 with port 1.51 is row 3, not row 4",
     5,
     {L"0.60.3.1", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"},
     L"05.01.02.02"},
    {"velloran plain 0.60.3 is row 4",
     5,
     {L"0.60.3", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"},
     L"05.01.02.01"},
    {"dovik 0.60.2 is not 0.60.2.1",
     6,
     {L"0.60.2", L"1.51", L"0.1.0.15", L"0.0.2.183", L"0.0.2.183", L"Q4.0.1.41", L"Q4.0.1.41"},
     kUnknownVersion},
    {"dovik row 3",
     6,
     {L"0.60.3.3", L"1.52.02", L"0.1.0.15", L"0.0.2.183", L"0.0.2.183", L"Q4.0.1.41", L"Q4.0.1.41"},
     L"06.01.02.03"},
    {"a longer number holding the text still matches",
     1,
     {L"10.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"Q1.0.1.31", L"Q1.0.1.31"},
     L"01.01.01.00"},
    {"brivane row 3",
     3,
     {L"0.60.2", L"1.51", L"0.1.0.15", L"0.1.1.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"},
     L"03.05.01.00"},
    {"brenn row 3 is not in ostrel's table",
     2,
     {L"0.60.3", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"},
     kUnknownVersion},
    {"an unknown brand code uses brenn's table",
     9,
     {L"0.60.3", L"1.51", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.44"},
     L"01.01.02.02"},
    {"one column off matches nothing",
     5,
     {L"0.60.3.1", L"1.54", L"0.1.0.15", L"0.0.50.183", L"0.0.35.183", L"Q1.0.1.44", L"Q1.0.1.45"},
     kUnknownVersion},
    {"the comparison is case-sensitive",
     1,
     {L"0.57", L"1.44", L"0.1.0.15", L"0.0.40.183", L"0.0.35.183", L"q1.0.1.31", L"Q1.0.1.31"},
     kUnknownVersion},
};

TEST(LookupDockFirmwareVersion, MatchesTheFirstFittingRowOfTheBrandsTable) {
  for (const LookupCase& c : kCases) {
    SCOPED_TRACE(c.name);
    testing::ScriptedDock dock;
    dock.SetBrand(1, c.brand);
    ChipVersionLines chips;
    DisplayVersionLines display;
    MakeLines(c.versions, chips, display);
    EXPECT_EQ(LookupDockFirmwareVersion(dock, chips, display), c.expected);
  }
}

TEST(LookupDockFirmwareVersion, ErrorTextsAndAnAbsentDockAreUnknown) {
  testing::ScriptedDock dock;
  dock.SetBrand(0, 0);
  ChipVersionLines chips;
  DisplayVersionLines display;
  MakeLines(kVelloranRow5, chips, display);
  EXPECT_EQ(LookupDockFirmwareVersion(dock, chips, display), kUnknownVersion);

  dock.SetBrand(1, 5);
  chips.billboardLine = L"Open File Error";
  EXPECT_EQ(LookupDockFirmwareVersion(dock, chips, display), kUnknownVersion);
}

TEST(ExpectedVersions, TablesHoldTheirRowsInOrder) {
  const std::pair<uint8_t, std::vector<std::wstring_view>> labels[] = {
      {1, {L"01.01.01.00", L"01.01.02.00", L"01.01.02.02"}},
      {2, {L"01.01.01.00", L"01.01.02.00"}},
      {3, {L"01.01.01.00", L"01.01.02.00", L"03.05.01.00"}},
      {4, {L"01.01.01.00", L"01.01.02.00"}},
      {5,
       {L"05.01.01.00", L"05.01.02.00", L"05.01.02.02", L"05.01.02.01", L"05.01.02.03",
        L"05.01.02.04"}},
      {6, {L"06.01.01.00", L"06.01.02.00", L"06.01.02.03"}},
  };
  for (const auto& [brand, expected] : labels) {
    SCOPED_TRACE(brand);
    std::vector<std::wstring_view> found;
    for (const ExpectedVersionRow& row : ExpectedVersionsForBrand(brand)) {
      if (row.billboard.empty()) {
        break;
      }
      found.push_back(row.packageLabel);
    }
    EXPECT_EQ(found, expected);
  }
}

}  // namespace
}  // namespace quaylin::ui
