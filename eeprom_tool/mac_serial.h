// The MAC address and the serial number: their checks, and putting them into the image.
#pragma once

#include "eeprom_tool/srom_image.h"

#include <cstdint>
#include <string>

namespace eeprom_tool {

// 12 hexadecimal digits (either case) whose first octet is even: an individual address.
bool ValidateMacAddress(const std::string& text);

// 14 hexadecimal digits (either case).
bool ValidateSerialNumber(const std::string& text);

// The byte whose two hexadecimal digits (either case) these are.
uint8_t HexPairToByte(char high, char low);

// Bytes 0 to 5 := the MAC address of a text that passed ValidateMacAddress.
void PutMacAddress(const std::string& mac, SromImage& image);
// Bytes 76 to 89 := the 14 characters, as typed.
void PutSerialNumber(const std::string& serial, SromImage& image);

// Adds one to the 48-bit address in bytes 0 to 5; a carry into byte 0 moves it to the next
// even value, so the address stays an individual one.
void IncrementMacAddress(SromImage& image);

// Adds one to the 14 bytes 76 to 89 as one big-endian number (bytes, not decimal digits).
// False, with the image unchanged, when all 14 bytes are 0xFF: the serial number is full.
bool IncrementSerialNumber(SromImage& image);

}  // namespace eeprom_tool
