// Asking the outside updater and PeloISP which firmware the dock's chips carry.
#pragma once

#include "dock_utility/orchestration/command_runner.h"

#include <string>

namespace quaylin {

// Whole report lines (or "Error !!!" / "Open File Error"), searched later for expected versions.
struct ChipVersionLines {
  std::wstring billboardLine;
  std::wstring upstreamPdLine;
  std::wstring downstreamPdLine;
  std::wstring upstreamHubLine;
  std::wstring downstreamHubLine;
};

struct DisplayVersionLines {
  std::wstring hostLine;
  std::wstring port2Line;
};

inline constexpr wchar_t kHubPdVersionCommand[] =
    L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -v -pid 5217 -fupid 5218  > "
    L"\"%Temp%\\ch_device.txt\"";
inline constexpr wchar_t kDisplayVersionCommand[] =
    L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -ChipInfo > \"%Temp%\\ch_device.txt\"";
inline constexpr wchar_t kDeleteDisplayToolLogCommand[] = L"cmd.exe /c del PeloAuxISPTool.log";
inline constexpr uint32_t kVersionQueryTimeoutMs = 60000;

inline constexpr char kBillboardHeader[] = "BILLBOARD VERSION INFO";
inline constexpr char kUpstreamPdHeader[] = "UPSTREAM ORLX VERSION INFO";
inline constexpr char kDownstreamPdHeader[] = "DOWNSTREAM-1 ORLX VERSION INFO";
inline constexpr char kUpstreamHubHeader[] = "UPSTREAM RQ9 VERSION INFO";
inline constexpr char kDownstreamHubHeader[] = "DOWNSTREAM RQ9 VERSION INFO";
inline constexpr char kVersionPrefix[] = "\tVersion";
inline constexpr char kApplicationVersionPrefix[] = "\tApplication Version";

inline constexpr char kDisplayVersionHeader[] = "Current on-board F/W Version:";
inline constexpr char kHostLinePrefix[] = "  Host   Device: Talmont App: Tm7730";
inline constexpr char kPort2LinePrefix[] = "  Port#2 Device: Wrenlo App: WL4410";

// Runs the outside updater's -v once and overwrites all five lines.
void QueryHubAndPdVersions(CommandRunner& runner, ChipVersionLines& lines);

// Runs PeloISP -ChipInfo once, overwrites both lines, then deletes the tool's log.
void QueryDisplayControllerVersion(CommandRunner& runner, DisplayVersionLines& lines);

}  // namespace quaylin
