#include "dock_utility/orchestration/brand_table.h"

#include <array>

namespace quaylin {
namespace {

// Rows 1, 4 and 7 share the detection device and hub identifiers; rows 2 and 3 share brand
// code 5. The identifier digits keep the letter case the hub updater has always been given.
constexpr std::array<BrandProfile, 7> kBrands = {{
    {L"BRENN",
     1,
     1,
     "04B4",
     "6506",
     L"BRENN",
     {L"brennpd_us_with_settings_", L"04b4", L"6508", L"650a"},
     {L"brennpd_ds_with_settings_", L"04b4", L"6504", L"6506"}},
    {L"Velloran_NonPD",
     5,
     2,
     "047D",
     "801D",
     L"VEL NonPD",
     {L"brennnonpd_us_with_settings_vel_", L"047D", L"801C", L"801B"},
     {L"brennnonpd_ds_with_settings_vel_", L"047D", L"801E", L"801D"}},
    {L"Velloran",
     5,
     1,
     "047D",
     "8023",
     L"VEL",
     {L"pd_us_with_settings_vel_", L"047D", L"8022", L"8021"},
     {L"pd_ds_with_settings_vel_", L"047D", L"8024", L"8023"}},
    {L"Ostrel",
     2,
     1,
     "04B4",
     "6506",
     L"OST",
     {L"brennpd_us_with_settings_ost_", L"04b4", L"6508", L"650a"},
     {L"brennpd_ds_with_settings_ost_", L"04b4", L"6504", L"6506"}},
    {L"Brivane",
     3,
     1,
     "14B0",
     "0102",
     L"BR",
     {L"brennpd_us_with_settings_br_", L"14B0", L"0101", L"0100"},
     {L"brennpd_ds_with_settings_br_", L"14B0", L"0103", L"0102"}},
    {L"Quenmar",
     4,
     1,
     "2188",
     "3312",
     L"QM",
     {L"brennpd_us_with_settings_qm_", L"2188", L"3311", L"3310"},
     {L"brennpd_ds_with_settings_qm_", L"2188", L"3313", L"3312"}},
    {L"Dovik",
     6,
     1,
     "04B4",
     "6506",
     L"DV",
     {L"brennpd_us_with_settings_dv_", L"04b4", L"6508", L"650a"},
     {L"brennpd_ds_with_settings_dv_", L"04b4", L"6504", L"6506"}},
}};

wchar_t AsciiLower(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

bool NameMatches(const std::wstring& value, const wchar_t* name, BrandMatch match) {
  const std::wstring expected(name);
  if (value.size() != expected.size()) {
    return false;
  }
  for (size_t i = 0; i < value.size(); ++i) {
    if (match == BrandMatch::kExact) {
      if (value[i] != expected[i]) {
        return false;
      }
    } else if (AsciiLower(value[i]) != AsciiLower(expected[i])) {
      // Every name is ASCII: a character outside it, whatever the ANSI code page makes of it,
      // never matches.
      return false;
    }
  }
  return true;
}

}  // namespace

std::span<const BrandProfile> BrandTable() {
  return kBrands;
}

const BrandProfile* SelectBrand(const std::wstring& customerName, BrandMatch match) {
  for (const BrandProfile& brand : kBrands) {
    if (NameMatches(customerName, brand.customerName, match)) {
      return &brand;
    }
  }
  return nullptr;
}

}  // namespace quaylin
