#!/usr/bin/env bash
# Installs the simulated Torv bridge driver into the prefix as a kernel driver service that
# starts with the prefix's services (Start = 2), so "\\.\TORVDEV01" and "\\.\TORVSIMCTL" exist
# while the Windows tests run. Runs with the services stopped: a service key added while
# services.exe runs stays unknown until wineserver -k.
set -euo pipefail
: "${WINEPREFIX:?}" "${DOCK_WINDOWS_BUILD:?}"
driver="$DOCK_WINDOWS_BUILD/sim/torv_driver/torvsim.sys"
if [ ! -f "$driver" ]; then
  echo "20-torv-driver: $driver is not built" >&2
  exit 1
fi
drivers="$WINEPREFIX/drive_c/windows/system32/drivers"
mkdir -p "$drivers"
cp -f "$driver" "$drivers/torvsim.sys"
key='HKLM\System\CurrentControlSet\Services\torvsim'
wine reg add "$key" /v Type /t REG_DWORD /d 1 /f >/dev/null
wine reg add "$key" /v Start /t REG_DWORD /d 2 /f >/dev/null
wine reg add "$key" /v ErrorControl /t REG_DWORD /d 1 /f >/dev/null
wine reg add "$key" /v ImagePath /t REG_EXPAND_SZ /d 'C:\windows\system32\drivers\torvsim.sys' /f >/dev/null
wineserver -w
echo "20-torv-driver: installed $driver"
