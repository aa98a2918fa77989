#include "aux_isp_tool/isp/chip_identification.h"

#include "aux_isp_tool/gfx/format_text.h"
#include "aux_isp_tool/isp/ddc_transport.h"

#include <cstring>
#include <string>

namespace peloisp {
namespace {

constexpr int kCutNameBytes = 6;

bool NameIs(const ChipIdentification& id, const char* expected, size_t count = kCutNameBytes) {
  return std::memcmp(id.name.data(), expected, count) == 0;
}

// The name as the chip gave it, each byte one character, up to a zero byte.
std::string NameText(const ChipIdentification& id) {
  std::string name;
  for (uint8_t c : id.name) {
    if (c == 0) {
      break;
    }
    name += static_cast<char>(c);
  }
  return name;
}

std::string Narrow(const std::wstring& text) {
  std::string narrow;
  for (wchar_t c : text) {
    narrow += static_cast<char>(c);
  }
  return narrow;
}

std::wstring Cut(int a, int b) {
  return FormatText("(cut%d.%d)", a, b);
}

}  // namespace

int QueryChipType(IspContext& context, EngineOutput& output) {
  DdcTransport ddc(context, output);
  const int r = ddc.ReadRegister(kRegChipId);
  if (r == -1) {
    return kChipNoAnswer;
  }
  const int high = (r >> 8) & 0xFF;
  if (high == 0x28) {
    return kChipWrenlo;
  }
  if (high == 0x26) {
    return kChipCorbelle;
  }
  const int r2 = ddc.ReadRegister(kRegChipIdAlt);
  if ((r2 & 0xFF) == 0x64) {
    return kChipFenn;
  }
  if (((r2 >> 8) & 0xFF) == 0x43) {
    return kChipTalmont;
  }
  return kChipNone;
}

bool ReadIdentification(IspContext& context, EngineOutput& output, ChipIdentification& id) {
  std::array<uint8_t, kIdentificationBytes> bytes{};
  bool read = context.activeBackend != nullptr &&
              context.activeBackend->AuxRead(context.deviceId, kDpcdIdentification, bytes.data(),
                                             kIdentificationBytes) == kGfxOk;
  if (!read) {
    DdcTransport ddc(context, output);
    read = ddc.ReadMemory(bytes.data(), kIdentificationBytes, kMemoryIdentification);
  }
  if (!read) {
    return false;
  }
  std::memcpy(id.name.data(), bytes.data(), id.name.size());
  id.hw = bytes[6];
  id.version =
      static_cast<uint32_t>(bytes[9]) << 16 | static_cast<uint32_t>(bytes[7]) << 8 | bytes[8];
  return true;
}

std::wstring FormatVersionNumber(uint32_t v, int type) {
  if (v == 0) {
    return {};
  }
  const int b = static_cast<int>((v >> 8) & 0xFF);
  const int lo = static_cast<int>(v & 0xFF);
  const int hi = static_cast<int>((v >> 16) & 0xFF);
  switch (type) {
    case kChipTalmont: {
      const int major = static_cast<int>((v >> 14) & 3);
      const int minor = static_cast<int>((v >> 5) & 0x1FF);
      const int build = static_cast<int>(v & 0x1F);
      return hi != 0 ? FormatText("v%d.%02d.%d.%d", major, minor, build, hi)
                     : FormatText("v%d.%d.%d", major, minor, build);
    }
    case kChipFenn:
      return FormatText("v%d.%02X", b, lo);
    case kChipWrenlo:
    case kChipWrenloApp:
      return hi != 0 ? FormatText("v%d.%02d.%02d", b, lo, hi) : FormatText("v%d.%02d", b, lo);
    default:
      return FormatText("v%d.%02d", b, lo);
  }
}

std::wstring ChipVersionText(const ChipIdentification& id, int& type) {
  const uint32_t v = id.version;
  const std::string name = NameText(id);
  const std::string verText = Narrow(FormatVersionNumber(v, type));
  const int b = static_cast<int>((v >> 8) & 0xFF);
  const int lo = static_cast<int>(v & 0xFF);
  const int cutA = (id.hw >> 4) & 0xF;
  const int cutB = id.hw & 0xF;
  switch (type) {
    case kChipWrenlo:
      if (NameIs(id, "WL4400") || NameIs(id, "WL4410")) {
        type = NameIs(id, "WL4400") ? kChipWrenlo : kChipWrenloApp;
        return FormatText("Wrenlo App: %s %s  %s", name.c_str(), verText.c_str(),
                          Narrow(Cut(cutA, cutB)).c_str());
      }
      if (NameIs(id, "WRNLBC")) {
        type = kChipWrenloApp;
        return FormatText("Wrenlo Boot-code: v%d.%d  %s", b, lo,
                          Narrow(Cut(cutA, cutB - 1)).c_str());
      }
      type = kChipWrenloRom;
      return FormatText("Wrenlo iROM: v%d.%d  %s", b, lo, Narrow(Cut(cutA, cutB - 1)).c_str());
    case kChipTalmont:
      if (NameIs(id, "TLMTG", 5)) {
        return FormatText("Talmont iROM: v%d.%d", static_cast<int>(v >> 8), lo);
      }
      if (NameIs(id, "TLMTBC")) {
        return FormatText("Talmont Boot-code: v%d.%d", b, lo);
      }
      return FormatText("Talmont App: %s %s  (HWver=0x%02X)", name.c_str(), verText.c_str(),
                        static_cast<unsigned>(id.hw));
    case kChipFenn:
      if (NameIs(id, "DVgaBC")) {
        return FormatText("DP2VGA Boot-code: v%d.%d  (cut%d.%d)", b, lo, cutA - 4, cutB - 5);
      }
      return FormatText("DP2VGA: %s %s  (cut%d.%d)", name.c_str(), verText.c_str(), cutA - 4,
                        cutB - 5);
    case kChipCorbelle:
      if (NameIs(id, "CRBLBC")) {
        return FormatText("Corbelle: Boot-code %s  (cut%d.%d)", verText.c_str(), cutA, cutB - 1);
      }
      return FormatText("Corbelle: %s %s  (cut%d.%d)", name.c_str(), verText.c_str(), cutA,
                        cutB - 1);
    default:
      return FormatText("%s FW Ver=0x%06X  (HWver=0x%02X)", name.c_str(), v & 0xFFFFFF,
                        static_cast<unsigned>(id.hw));
  }
}

void FormatChipVersion(IspContext& context, EngineOutput& output, std::wstring& text, int& type) {
  ChipIdentification id;
  if (!ReadIdentification(context, output, id)) {
    context.onBoardVersion = 0;
    text = L"N/A";
    return;
  }
  context.onBoardVersion = id.version;
  text = ChipVersionText(id, type);
}

void ShowChipInfo(IspContext& context, EngineOutput& output, const RunSettings& settings) {
  const int hostType = QueryChipType(context, output);
  if (hostType == kChipNoAnswer) {
    const std::wstring message = L"System connection failed!\r\n";
    output.ShowErrorBox(message);
    output.WriteLog(message);
    return;
  }
  int type = hostType;
  std::wstring hostText;
  FormatChipVersion(context, output, hostText, type);

  std::wstring report;
  if (!settings.port1Configured && !settings.port2Configured) {
    report = L"Current on-board F/W Version: " + hostText + L"\r\n";
  } else {
    report = L"Current on-board F/W Version:\r\n  Host   Device: " + hostText + L"\r\n";
    const int32_t hostAddress = context.i2cAddress;
    DdcTransport ddc(context, output);
    const struct {
      int port;
      bool configured;
      int32_t address;
    } ports[] = {{1, settings.port1Configured, settings.port1Addr},
                 {2, settings.port2Configured, settings.port2Addr}};
    for (const auto& p : ports) {
      if (!p.configured) {
        continue;
      }
      std::wstring line = FormatText("  Port#%d Device: ", p.port);
      if (ddc.SelectPort(p.port)) {
        context.i2cAddress = p.address;
        int portType = QueryChipType(context, output);
        std::wstring portText;
        FormatChipVersion(context, output, portText, portType);
        line += portText + L"\r\n";
        ddc.ReleasePort(p.port);
        context.i2cAddress = hostAddress;
      } else {
        line += L"Failed to get connection\r\n";
      }
      report += line;
    }
  }
  output.PrintConsole(report);
  output.WriteLog(report);
}

void ShowCurrentVersion(IspContext& context, EngineOutput& output) {
  context.onBoardChipType = QueryChipType(context, output);
  std::wstring text;
  FormatChipVersion(context, output, text, context.onBoardChipType);
  output.PrintConsole(L"Current Firmware Version: " + text + L"\r\n");
  output.WriteLog(L"Current Firmware Version: " + text + L"\r\n");
}

}  // namespace peloisp
