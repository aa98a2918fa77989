#include "dock_utility/orchestration/command_text.h"

#include <gtest/gtest.h>

namespace quaylin {
namespace {

TEST(CommandText, EscapesCmdOperatorsAndKeepsEverythingElse) {
  struct Case {
    const wchar_t* value;
    const wchar_t* escaped;
  } cases[] = {
      {L"5&2c2f29b4&0&1", L"5^&2c2f29b4^&0^&1"},
      {L"a|b<c>d^e", L"a^|b^<c^>d^^e"},
      {L"file name with blanks", L"file name with blanks"},
      {L"v1.2_(final)!", L"v1.2_(final)!"},
      {L"", L""},
  };
  for (const Case& c : cases) {
    const std::optional<std::wstring> escaped = EscapeForCommandLine(c.value);
    ASSERT_TRUE(escaped.has_value()) << c.value;
    EXPECT_EQ(*escaped, c.escaped);
  }
}

TEST(CommandText, RefusesWhatNoCaretMakesSafe) {
  for (const wchar_t* value : {L"50%", L"%Temp%", L"a\"b", L"line\r\nend", L"tab\there", L"\x7F"}) {
    EXPECT_FALSE(IsSafeCommandValue(value)) << value;
    EXPECT_FALSE(EscapeForCommandLine(value).has_value()) << value;
  }
  EXPECT_TRUE(IsSafeCommandValue(L"my file & co"));
}

}  // namespace
}  // namespace quaylin
