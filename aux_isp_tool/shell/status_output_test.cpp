#include "aux_isp_tool/shell/status_output.h"

#include "aux_isp_tool/shell/status_updater.h"
#include "aux_isp_tool/shell/testing/scratch_folder.h"
#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace peloisp {
namespace {

using testing::ScratchFolder;

// Records every console operation in call order: "attr E9", "wide <text>", "narrow <text>".
class RecordingConsole final : public platform::Console {
 public:
  std::vector<std::string> ops;
  void WriteWide(std::wstring_view text) override {
    ops.push_back("wide " + platform::WideToUtf8(text));
  }
  void WriteNarrow(std::string_view bytes) override {
    ops.push_back("narrow " + std::string(bytes));
  }
  void SetTextAttribute(uint16_t attribute) override {
    char text[16];
    std::snprintf(text, sizeof text, "attr %02X", attribute);
    ops.emplace_back(text);
  }
};

class NoLog final : public platform::LogFile {
 public:
  bool Append(const std::wstring&, std::string_view) override { return false; }
  bool Remove(const std::wstring&) override { return false; }
};

TEST(StatusOutput, ColouredOutputIsFramedByItsAttributeAndNormal) {
  RecordingConsole console;
  NoLog log;
  StatusOutput output(console, log);
  output.ShowNotice(L"Please ensure that Config.ini is present and is not corrupted.\r\n");
  output.ShowSuccess(L"ISP completed!\r\n");
  output.ShowErrorBox(L"ISP initialization failed!\r\n");
  const std::vector<std::string> expected = {
      "attr E9",
      "wide Please ensure that Config.ini is present and is not corrupted.\r\n",
      "attr 07",
      "attr A9",
      "wide ISP completed!\r\n",
      "attr 07",
      "attr 0C",
      std::string("narrow ") + kFailedBanner,
      "attr E9",
      "wide ISP initialization failed!\r\n",
      "attr 07",
  };
  EXPECT_EQ(console.ops, expected);
}

TEST(StatusOutput, FailedBannerIsElevenLinesOfSixtyOneCharacters) {
  const std::string banner = kFailedBanner;
  ASSERT_EQ(banner.size(), 11u * 63u);
  for (size_t line = 0; line < 11; ++line) {
    const std::string text = banner.substr(line * 63, 63);
    EXPECT_EQ(text.substr(61), "\r\n") << line;
    EXPECT_EQ(text.front(), '#') << line;
    EXPECT_EQ(text[60], '#') << line;
  }
  EXPECT_EQ(banner.substr(2 * 63, 61),
            "#    ########    ###    #### ##       ######## ########     #");
  EXPECT_EQ(banner.substr(8 * 63, 61),
            "#    ##       ##     ## #### ######## ######## ########     #");
}

TEST(StatusUpdater, CounterIsFourCharactersAfterFourBackspaces) {
  const struct {
    int done, total;
    const char* printed;
  } cases[] = {
      {5, 10, "\b\b\b\b 50%"},
      {1, 200, "\b\b\b\b  0%"},
      {30, 30, "\b\b\b\b100%"},
      {9, 100, "\b\b\b\b  9%"},
      {10, 100, "\b\b\b\b 10%"},
      {99, 100, "\b\b\b\b 99%"},
      {2147483647, 2147483647, "\b\b\b\b100%"},  // done * 100 must not overflow
  };
  for (const auto& c : cases) {
    RecordingConsole console;
    NoLog log;
    StatusOutput output(console, log);
    StatusUpdater updater(output);
    updater.ReportProgress(c.done, c.total);
    ASSERT_EQ(console.ops.size(), 1u) << c.printed;
    EXPECT_EQ(console.ops[0], std::string("narrow ") + c.printed);
  }
  RecordingConsole console;
  NoLog log;
  StatusOutput output(console, log);
  StatusUpdater updater(output);
  updater.ReportProgress(3, 0);
  EXPECT_TRUE(console.ops.empty());
}

class LogFileTest : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  std::unique_ptr<platform::LogFile> log_ = platform::MakeSystemLogFile();
  std::unique_ptr<platform::Console> console_ = platform::MakeSystemConsole();

  StatusOutput Output() {
    StatusOutput output(*console_, *log_);
    output.SetLogFileName(folder_.File("PeloAuxISPTool.log"));
    return output;
  }
};

TEST_F(LogFileTest, LinesAreAppendedAsUtf8AcrossRuns) {
  {
    StatusOutput first = Output();
    first.WriteLog(L"Saltmere AUX-ISP Tool (console) v3.5\r\n");
    first.WriteLog(L"Gr\u00f6\u00dfe \u2713 \U0001F50C\r\n");
  }
  {
    StatusOutput second = Output();  // a second run keeping the log
    second.WriteLog(L"Loading ISP driver...... Done\r\n");
  }
  EXPECT_EQ(folder_.Read("PeloAuxISPTool.log"),
            "Saltmere AUX-ISP Tool (console) v3.5\r\n"
            "Gr\xC3\xB6\xC3\x9F"
            "e \xE2\x9C\x93 \xF0\x9F\x94\x8C\r\n"
            "Loading ISP driver...... Done\r\n");
}

TEST_F(LogFileTest, TextWhoseUtf8FormDoesNotFit2048BytesIsNotLoggedAtAll) {
  const struct {
    const char* name;
    std::wstring text;
    bool logged;
  } cases[] = {
      {"2047 ASCII bytes", std::wstring(2047, L'a'), true},
      {"2048 ASCII bytes", std::wstring(2048, L'b'), false},
      {"682 three-byte characters and one byte: 2047", std::wstring(682, L'\u2713') + L"c", true},
      {"683 three-byte characters: 2049", std::wstring(683, L'\u2713'), false},
      {"1024 two-byte characters: 2048", std::wstring(1024, L'\u00e9'), false},
  };
  for (const auto& c : cases) {
    folder_.Write("PeloAuxISPTool.log", "");
    StatusOutput output = Output();
    output.WriteLog(c.text);
    const std::string written = folder_.Read("PeloAuxISPTool.log");
    EXPECT_EQ(written, c.logged ? platform::WideToUtf8(c.text) : std::string()) << c.name;
  }
}

TEST_F(LogFileTest, TextEndsAtItsFirstZeroAndAnUnwritableLogLosesOnlyItsLine) {
  StatusOutput output = Output();
  output.WriteLog(std::wstring(L"kept\0dropped", 12));
  EXPECT_EQ(folder_.Read("PeloAuxISPTool.log"), "kept");

  StatusOutput nowhere(*console_, *log_);
  nowhere.SetLogFileName(folder_.File("missing-folder/PeloAuxISPTool.log"));
  nowhere.WriteLog(L"lost\r\n");
  EXPECT_FALSE(folder_.Exists("missing-folder"));

  EXPECT_TRUE(log_->Remove(folder_.File("PeloAuxISPTool.log")));
  EXPECT_FALSE(folder_.Exists("PeloAuxISPTool.log"));
  EXPECT_FALSE(log_->Remove(folder_.File("PeloAuxISPTool.log")));
}

}  // namespace
}  // namespace peloisp
