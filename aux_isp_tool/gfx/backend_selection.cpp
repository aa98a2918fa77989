#include "aux_isp_tool/gfx/backend_selection.h"

#include "aux_isp_tool/gfx/format_text.h"

namespace peloisp {
namespace {

struct Candidate {
  GfxLib* backend;
  const wchar_t* name;
  int selection;
};

}  // namespace

std::wstring DeviceIdSuffix(int32_t deviceId) {
  // A 32-bit id: a negative one is a large unsigned id.
  const auto id = static_cast<uint32_t>(deviceId);
  return FormatText(id < 16 ? "0x%02X" : "0x%X", static_cast<unsigned>(id));
}

int SelectBackend(std::wstring& message, const BackendSet& backends, const BackendChoice& choice) {
  const int selection = choice.backendSelection;
  message += FormatText("Gfx Selection = %d\r\n", selection);

  const Candidate all[] = {
      {&backends.nvidia, L"NVIDIA: ", kSelectNvidia},
      {&backends.amd, L"AMD: ", kSelectAmd},
      {&backends.intelLsPcon, L"Intel (LS-PCON): ", kSelectIntelLsPcon},
      {&backends.intel, L"Intel: ", kSelectIntel},
  };
  const bool automatic = selection == kSelectAutomatic;
  const wchar_t* lastName = nullptr;
  bool initialised = false;

  for (const Candidate& candidate : all) {
    if (!automatic && candidate.selection != selection) {
      continue;
    }
    lastName = candidate.name;
    choice.activeBackend = candidate.backend;
    choice.adapterLabel = candidate.name;

    std::wstring initText;
    const int32_t initResult = candidate.backend->Init(initText);
    message += initText;
    bool connected = false;
    if (initResult == 0) {
      initialised = true;
      const bool fixedIntel = selection == kSelectIntelLsPcon || selection == kSelectIntel;
      if (fixedIntel && choice.deviceId != 0) {
        // The display is named in Config.ini: no search.
        connected = true;
      } else {
        std::wstring connectText;
        const int32_t connectResult =
            candidate.backend->Connect(choice.deviceId, choice.i2cAddress, connectText);
        message += connectText;
        if (connectResult == kConnectGiveUp) {
          choice.adapterLabel += L"failed";
          return kBackendGaveUp;
        }
        connected = connectResult == 0;
      }
    }
    if (connected) {
      choice.adapterLabel += DeviceIdSuffix(choice.deviceId);
      return kBackendConnected;
    }
    // The LS-PCON and plain Intel backends share one COM server: if it cannot be created for
    // one, it cannot for the other.
    if (!automatic || (initResult != 0 && candidate.selection == kSelectIntelLsPcon)) {
      break;
    }
  }

  if (automatic || lastName == nullptr) {
    choice.adapterLabel = L"N/A";
  } else {
    choice.adapterLabel = std::wstring(lastName) + L"failed";
  }
  return initialised ? kBackendNotConnected : kBackendNoneInitialised;
}

}  // namespace peloisp
