#include "aux_isp_tool/shell/status_output.h"

#include "platform/text_codec.h"

#include <utility>

namespace peloisp {

const char kFailedBanner[] =
    "#############################################################\r\n"
    "#                                                           #\r\n"
    "#    ########    ###    #### ##       ######## ########     #\r\n"
    "#    ##         ## ##    ##  ##       ##       ##     ##    #\r\n"
    "#    ##        ##   ##   ##  ##       ##       ##     ##    #\r\n"
    "#    ######   ##     ##  ##  ##       ######   ##     ##    #\r\n"
    "#    ##       #########  ##  ##       ##       ##     ##    #\r\n"
    "#    ##       ##     ##  ##  ##       ##       ##     ##    #\r\n"
    "#    ##       ##     ## #### ######## ######## ########     #\r\n"
    "#                                                           #\r\n"
    "#############################################################\r\n";

StatusOutput::StatusOutput()
    : ownedConsole_(platform::MakeSystemConsole()),
      ownedLog_(platform::MakeSystemLogFile()),
      console_(*ownedConsole_),
      log_(*ownedLog_) {}

StatusOutput::StatusOutput(platform::Console& console, platform::LogFile& log)
    : console_(console), log_(log) {}

void StatusOutput::PrintConsole(std::wstring_view text) {
  console_.WriteWide(text);
}

void StatusOutput::PrintConsoleNarrow(std::string_view text) {
  console_.WriteNarrow(text);
}

void StatusOutput::ShowNotice(std::wstring_view text) {
  console_.SetTextAttribute(kAttrNotice);
  PrintConsole(text);
  console_.SetTextAttribute(kAttrNormal);
}

void StatusOutput::ShowErrorBox(std::wstring_view text) {
  console_.SetTextAttribute(kAttrFailedBanner);
  PrintConsoleNarrow(kFailedBanner);
  console_.SetTextAttribute(kAttrNotice);
  PrintConsole(text);
  console_.SetTextAttribute(kAttrNormal);
}

void StatusOutput::ShowSuccess(std::wstring_view text) {
  console_.SetTextAttribute(kAttrSuccess);
  PrintConsole(text);
  console_.SetTextAttribute(kAttrNormal);
}

void StatusOutput::WriteLog(std::wstring_view text) {
  // The text ends at its first zero, as a zero-terminated conversion would read it.
  const size_t end = text.find(L'\0');
  if (end != std::wstring_view::npos) {
    text = text.substr(0, end);
  }
  const std::string bytes = platform::WideToUtf8(text);
  if (bytes.size() + 1 > kLogTextBytes || logFileName_.empty()) {
    return;
  }
  log_.Append(logFileName_, bytes);
}

}  // namespace peloisp
