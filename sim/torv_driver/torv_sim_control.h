/* The simulated bridge driver's test side: a second device, "\\.\TORVSIMCTL", through which a
   test sets the bridge's EEPROM, busy reads and faults, reads them back, and makes the
   bridge's own device vanish as if no driver were installed. C, for the driver's sake. */
#ifndef TORV_SIM_CONTROL_H
#define TORV_SIM_CONTROL_H

#define TORV_SIM_CONTROL_PATH "\\\\.\\TORVSIMCTL"

/* Device type 0x22, buffered, any access: (0x22 << 16) | (function << 2). */
#define TORV_SIM_CODE(function) ((0x22u << 16) | ((function) << 2))

/* Everything back to a fresh bridge: erased EEPROM, no busy reads, no faults, present. */
#define TORV_SIM_RESET TORV_SIM_CODE(0x900u)
/* In: 256 bytes. */
#define TORV_SIM_SET_EEPROM TORV_SIM_CODE(0x901u)
/* Out: 256 bytes. */
#define TORV_SIM_GET_EEPROM TORV_SIM_CODE(0x902u)
/* In: 1 byte, 0 = the bridge's device name is gone, 1 = it is back. */
#define TORV_SIM_SET_PRESENT TORV_SIM_CODE(0x903u)
/* In: 32-bit little-endian count of busy reads after each read command. */
#define TORV_SIM_SET_BUSY_READS TORV_SIM_CODE(0x904u)
/* In: two 32-bit values: the call (0 EEPROM write, 1 register write, 2 register read) and the
   number of good calls before it starts failing. */
#define TORV_SIM_SET_FAULT TORV_SIM_CODE(0x905u)
/* Out: four 32-bit values: calls of the three codes, then the accepted whole-image writes. */
#define TORV_SIM_GET_COUNTS TORV_SIM_CODE(0x906u)

#endif
