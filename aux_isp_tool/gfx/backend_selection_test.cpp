#include "aux_isp_tool/gfx/backend_selection.h"

#include "aux_isp_tool/gfx/testing/scripted_gfx_lib.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace peloisp {
namespace {

using testing::ScriptedGfxLib;

struct Script {
  int32_t init;     // Init's result
  int32_t connect;  // Connect's result
  int32_t id;       // the id Connect finds
};

// Each backend's lines name it, so the order in the report shows the order of the calls.
class Backends {
 public:
  Backends(const Script& n, const Script& a, const Script& l, const Script& i) {
    Set(nvidia, n, L"NV");
    Set(amd, a, L"AMD");
    Set(lsPcon, l, L"LSPCON");
    Set(intel, i, L"INTEL");
  }
  std::vector<std::wstring> calls;
  ScriptedGfxLib nvidia{L"N", &calls};
  ScriptedGfxLib amd{L"A", &calls};
  ScriptedGfxLib lsPcon{L"L", &calls};
  ScriptedGfxLib intel{L"I", &calls};

  BackendSet Set() { return BackendSet{nvidia, amd, lsPcon, intel}; }

 private:
  static void Set(ScriptedGfxLib& backend, const Script& script, const std::wstring& tag) {
    backend.initResult = script.init;
    backend.initText = tag + (script.init == 0 ? L" init done!\r\n" : L" init failed!\r\n");
    backend.connectResult = script.connect;
    backend.connectDeviceId = script.id;
    backend.connectText = tag + (script.connect == 0 ? L" OK\r\n" : L" none\r\n");
  }
};

struct SelectionResult {
  int result;
  std::wstring message;
  std::wstring label;
  GfxLib* active;
  int32_t deviceId;
};

SelectionResult RunSelection(Backends& backends, int selection, int32_t deviceId) {
  SelectionResult out{};
  int32_t address = 0x6E;
  out.deviceId = deviceId;
  out.active = nullptr;
  out.result =
      SelectBackend(out.message, backends.Set(),
                    BackendChoice{selection, out.deviceId, address, out.active, out.label});
  return out;
}

constexpr Script kNoDriver{1001, 5, 0};
constexpr Script kNoDisplay{0, 5, 0};

TEST(SelectBackend, AutomaticModeTriesNvidiaAmdLsPconIntelInTurn) {
  // No NVIDIA or AMD driver; the chip answers behind LS-PCON device number 13.
  Backends b(kNoDriver, Script{1004, 5, 0}, Script{0, 0, 13}, Script{0, 0, 99});
  const SelectionResult r = RunSelection(b, 0, 0);
  EXPECT_EQ(r.result, kBackendConnected);
  EXPECT_EQ(r.message,
            L"Gfx Selection = 0\r\nNV init failed!\r\nAMD init failed!\r\n"
            L"LSPCON init done!\r\nLSPCON OK\r\n");
  EXPECT_EQ(r.label, L"Intel (LS-PCON): 0x0D");
  EXPECT_EQ(r.active, &b.lsPcon);
  EXPECT_EQ(r.deviceId, 13);
  EXPECT_EQ(b.calls, (std::vector<std::wstring>{L"N.Init", L"A.Init", L"L.Init", L"L.Connect"}));
}

TEST(SelectBackend, NamedIntelDisplaySkipsConnect) {
  for (const int selection : {kSelectIntel, kSelectIntelLsPcon}) {
    Backends b(kNoDriver, kNoDriver, kNoDisplay, kNoDisplay);
    const SelectionResult r = RunSelection(b, selection, 5);
    EXPECT_EQ(r.result, kBackendConnected) << selection;
    EXPECT_EQ(r.label, selection == kSelectIntel ? L"Intel: 0x05" : L"Intel (LS-PCON): 0x05");
    EXPECT_EQ(r.deviceId, 5);
    EXPECT_EQ(b.calls.size(), 1u) << selection;  // Init only
    EXPECT_EQ(r.message, selection == kSelectIntel ? L"Gfx Selection = 4\r\nINTEL init done!\r\n"
                                                   : L"Gfx Selection = 3\r\nLSPCON init done!\r\n");
  }
  // Without a device id the display is searched; and the shortcut is Intel's alone.
  Backends intel(kNoDriver, kNoDriver, kNoDisplay, Script{0, 0, 0x1234});
  const SelectionResult searched = RunSelection(intel, kSelectIntel, 0);
  EXPECT_EQ(searched.result, kBackendConnected);
  EXPECT_EQ(searched.label, L"Intel: 0x1234");
  Backends nvidia(Script{0, 0, static_cast<int32_t>(0x80061001u)}, kNoDriver, kNoDisplay,
                  kNoDisplay);
  const SelectionResult nv = RunSelection(nvidia, kSelectNvidia, 7);
  EXPECT_EQ(nvidia.calls, (std::vector<std::wstring>{L"N.Init", L"N.Connect"}));
  EXPECT_EQ(nvidia.nvidia.connectDeviceIdSeen, 7);
  EXPECT_EQ(nv.label, L"NVIDIA: 0x80061001");
}

struct ScanCase {
  const char* name;
  Script nvidia, amd, lsPcon, intel;
  int selection;
  int expectedResult;
  std::wstring expectedLabel;
  std::vector<std::wstring> expectedCalls;
  char expectedActive;  // N, A, L, I
};

TEST(SelectBackend, ScanEndsAndResultsAsTheBackendsAnswer) {
  const ScanCase cases[] = {
      {"LS-PCON init fails: plain Intel is dropped, nothing initialised",
       kNoDriver,
       kNoDriver,
       kNoDriver,
       kNoDisplay,
       0,
       kBackendNoneInitialised,
       L"N/A",
       {L"N.Init", L"A.Init", L"L.Init"},
       'L'},
      {"LS-PCON init fails after NVIDIA initialised",
       kNoDisplay,
       kNoDriver,
       kNoDriver,
       kNoDisplay,
       0,
       kBackendNotConnected,
       L"N/A",
       {L"N.Init", L"N.Connect", L"A.Init", L"L.Init"},
       'L'},
      {"AMD gives up graphics: no Intel backend tried",
       kNoDriver,
       Script{0, 3, 0},
       kNoDisplay,
       kNoDisplay,
       0,
       kBackendGaveUp,
       L"AMD: failed",
       {L"N.Init", L"A.Init", L"A.Connect"},
       'A'},
      {"Connect 3 gives up in a fixed selection too",
       kNoDriver,
       Script{0, 3, 0},
       kNoDisplay,
       kNoDisplay,
       kSelectAmd,
       kBackendGaveUp,
       L"AMD: failed",
       {L"A.Init", L"A.Connect"},
       'A'},
      {"LS-PCON finds nothing: plain Intel connects",
       kNoDriver,
       kNoDriver,
       kNoDisplay,
       Script{0, 0, 16},
       0,
       kBackendConnected,
       L"Intel: 0x10",
       {L"N.Init", L"A.Init", L"L.Init", L"L.Connect", L"I.Init", L"I.Connect"},
       'I'},
      {"nothing connects: the last backend stays active",
       kNoDisplay,
       kNoDisplay,
       kNoDisplay,
       kNoDisplay,
       0,
       kBackendNotConnected,
       L"N/A",
       {L"N.Init", L"N.Connect", L"A.Init", L"A.Connect", L"L.Init", L"L.Connect", L"I.Init",
        L"I.Connect"},
       'I'},
      {"fixed AMD without driver",
       kNoDisplay,
       kNoDriver,
       kNoDisplay,
       kNoDisplay,
       kSelectAmd,
       kBackendNoneInitialised,
       L"AMD: failed",
       {L"A.Init"},
       'A'},
      {"fixed NVIDIA initialised, no display",
       kNoDisplay,
       kNoDisplay,
       kNoDisplay,
       kNoDisplay,
       kSelectNvidia,
       kBackendNotConnected,
       L"NVIDIA: failed",
       {L"N.Init", L"N.Connect"},
       'N'},
      {"fixed LS-PCON without driver: Intel not tried",
       kNoDisplay,
       kNoDisplay,
       kNoDriver,
       kNoDisplay,
       kSelectIntelLsPcon,
       kBackendNoneInitialised,
       L"Intel (LS-PCON): failed",
       {L"L.Init"},
       'L'},
      {"NVIDIA connected first",
       Script{0, 0, 15},
       kNoDisplay,
       kNoDisplay,
       kNoDisplay,
       0,
       kBackendConnected,
       L"NVIDIA: 0x0F",
       {L"N.Init", L"N.Connect"},
       'N'},
  };
  for (const ScanCase& c : cases) {
    Backends b(c.nvidia, c.amd, c.lsPcon, c.intel);
    const SelectionResult r = RunSelection(b, c.selection, 0);
    EXPECT_EQ(r.result, c.expectedResult) << c.name;
    EXPECT_EQ(r.label, c.expectedLabel) << c.name;
    EXPECT_EQ(b.calls, c.expectedCalls) << c.name;
    GfxLib* const byLetter[] = {&b.nvidia, &b.amd, &b.lsPcon, &b.intel};
    const std::string letters = "NALI";
    EXPECT_EQ(r.active, byLetter[letters.find(c.expectedActive)]) << c.name;
  }
}

TEST(SelectBackend, EveryInitAndConnectTextStaysInTheReport) {
  Backends b(kNoDisplay, Script{1004, 5, 0}, kNoDisplay, Script{0, 0, 2});
  const SelectionResult r = RunSelection(b, 0, 0);
  EXPECT_EQ(r.message,
            L"Gfx Selection = 0\r\nNV init done!\r\nNV none\r\nAMD init failed!\r\n"
            L"LSPCON init done!\r\nLSPCON none\r\nINTEL init done!\r\nINTEL OK\r\n");
  EXPECT_EQ(r.label, L"Intel: 0x02");
}

TEST(SelectBackend, DeviceIdSuffixWidth) {
  const struct {
    int32_t id;
    const wchar_t* suffix;
  } cases[] = {{0, L"0x00"},  {5, L"0x05"},          {12, L"0x0C"},      {15, L"0x0F"},
               {16, L"0x10"}, {0x10001, L"0x10001"}, {-1, L"0xFFFFFFFF"}};
  for (const auto& c : cases) {
    EXPECT_EQ(DeviceIdSuffix(c.id), c.suffix) << c.id;
  }
}

}  // namespace
}  // namespace peloisp
