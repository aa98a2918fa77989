#!/usr/bin/env bash
# Demo: the real Torv_EEPROM_Console.exe programs the simulated bridge under Wine. Installs the
# simulated bridge driver into the prefix, starts from an erased bridge, programs it twice
# from one SROM.dat (the second run continues from the saved MAC address and serial number),
# shows the bridge's EEPROM, then shows what a PC without the driver prints.
# Needs the Windows build (DOCK_WINDOWS_BUILD, default build/windows) and scripts/setup.
set -euo pipefail
DOCK_ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$DOCK_ROOT/scripts/lib/wine-env.sh"
build=${DOCK_WINDOWS_BUILD:-$DOCK_ROOT/build/windows}
export DOCK_WINDOWS_BUILD="$build"
tool="$build/eeprom_tool/Torv_EEPROM_Console.exe"
ctl="$build/sim/torv_driver/torv_sim_ctl.exe"
for needed in "$tool" "$ctl"; do
  [ -f "$needed" ] || { echo "demo-eeprom: $needed is not built" >&2; exit 1; }
done

wine_services_stop
bash "$DOCK_ROOT/scripts/lib/prepare-wine-tests.d/20-torv-driver.sh"
wine_services_stop
wine_services_start
trap wine_services_stop EXIT

work=$(mktemp -d)
cp "$DOCK_ROOT/eeprom_tool/testdata/valid.dat" "$work/SROM.dat"
cd "$work"
show() { printf '\n$ %s\n' "$*"; "$@"; }

wine "$ctl" reset
echo "SROM.dat before (first line: MAC 00 0E C6 F9 D0 FF):"
head -n 1 SROM.dat
show wine "$tool" -f SROM.dat -p
show wine "$tool" -f SROM.dat -p
echo
echo "SROM.dat now (MAC 00 0E C6 F9 D1 01, serial ...03 at bytes 76-89):"
head -n 6 SROM.dat
echo
echo "The bridge's EEPROM, read back from the simulated driver:"
wine "$ctl" dump
show wine "$tool" -m 000EC6F9D000 -s 0000000000000A -p
wine "$ctl" absent
show wine "$tool" -m 000EC6F9D000 -p
show wine "$tool" -f SROM.dat -p
wine "$ctl" present
show wine "$tool" help
rm -rf "$work"
