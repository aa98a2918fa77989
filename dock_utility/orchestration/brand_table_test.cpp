#include "dock_utility/orchestration/brand_table.h"

#include <gtest/gtest.h>

namespace quaylin {
namespace {

// The row a value selects (1-based, as the brand table is numbered), 0 for none.
int SelectedRow(const std::wstring& value, BrandMatch match) {
  const BrandProfile* brand = SelectBrand(value, match);
  return brand == nullptr ? 0 : static_cast<int>(brand - BrandTable().data()) + 1;
}

TEST(BrandTable, SelectsTheFirstRowMatchingTheWholeName) {
  struct Case {
    const wchar_t* value;
    int exactRow;
    int relaxedRow;
  } cases[] = {
      {L"BRENN", 1, 1},
      {L"Velloran_NonPD", 2, 2},  // tested before row 3, and compared
                                  // whole
      {L"Velloran", 3, 3},
      {L"Ostrel", 4, 4},
      {L"Brivane", 5, 5},
      {L"Quenmar", 6, 6},
      {L"Dovik", 7, 7},
      {L"ostrel", 0, 4},  // letter case only counts in the exact mode
      {L"VELLORAN_nonpd", 0, 2},
      {L"BRENN ", 0, 0},  // no blanks are trimmed
      {L" BRENN", 0, 0},
      {L"Velloran_", 0, 0},
      {L"Vellora", 0, 0},
      {L"", 0, 0},
      {L"D\u00D6vik", 0, 0},  // outside ASCII nothing folds
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SelectedRow(c.value, BrandMatch::kExact), c.exactRow) << c.value;
    EXPECT_EQ(SelectedRow(c.value, BrandMatch::kRelaxed), c.relaxedRow) << c.value;
  }
}

}  // namespace
}  // namespace quaylin
