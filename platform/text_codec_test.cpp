#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(TextCodec, Utf8RoundTripKeepsEveryCharacter) {
  const std::wstring text = L"Port#2 \u00e9\u4e2d\U0001F50C";
  const std::string utf8 = WideToUtf8(text);
  EXPECT_EQ(utf8, "Port#2 \xC3\xA9\xE4\xB8\xAD\xF0\x9F\x94\x8C");
  EXPECT_EQ(Utf8ToWide(utf8), text);
}

TEST(TextCodec, InvalidUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToWide("a\xFF"
                       "b"),
            L"a\uFFFDb");
  EXPECT_EQ(Utf8ToWide("\xC3"), L"\uFFFD");            // cut short
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), L"\uFFFD\uFFFD");  // overlong form
}

TEST(TextCodec, AnsiKeepsAsciiAsIs) {
  EXPECT_EQ(AnsiToWide("\tVersion: 0.1.0.15"), L"\tVersion: 0.1.0.15");
  EXPECT_EQ(AnsiToWide(""), L"");
}

}  // namespace
}  // namespace platform
