#!/usr/bin/env bash
# Attaches a simulated dock to the prefix: Wine lists the instance keys under Enum\USB as present
# USB devices. A "Velloran" dock's detection device whose instance part is a generated one (no
# USB serial number), and the Ethernet bridge, whose serial is the 14 hex digits its EEPROM tool
# accepts.
set -euo pipefail
enum='HKLM\System\CurrentControlSet\Enum\USB'
# Wine lists an instance only when it names its setup class: the USB class here.
usb_class='{36FC9E60-C465-11CF-8056-444553540000}'
add_device() {
  wine reg add "$enum\\$1\\$2" /v DeviceDesc /t REG_SZ /d "$3" /f >/dev/null 2>&1
  wine reg add "$enum\\$1\\$2" /v ClassGUID /t REG_SZ /d "$usb_class" /f >/dev/null 2>&1
}
add_device 'VID_047D&PID_8023' '5&2c2f29b4&0&1' 'Simulated dock detection device'
add_device 'VID_04B4&PID_3610' '000EC6000000A1' 'Simulated Ethernet bridge'
wineserver -w
