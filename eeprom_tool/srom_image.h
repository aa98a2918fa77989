// The bridge's 256-byte EEPROM image and its text file form (SROM.dat).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace eeprom_tool {

inline constexpr size_t kSromSize = 256;
using SromImage = std::array<uint8_t, kSromSize>;

// Where the tool gives the bytes a meaning.
inline constexpr size_t kMacOffset = 0;
inline constexpr size_t kMacSize = 6;
inline constexpr size_t kChecksumFirst = 6;
inline constexpr size_t kChecksumLast = 9;
inline constexpr size_t kChecksumOffset = 10;
inline constexpr size_t kSerialOffset = 76;
inline constexpr size_t kSerialSize = 14;

// The result text of the readers on success.
inline constexpr const char kSuccess[] = "Success";

// The 8-bit one's-complement sum of bytes 6 to 9, complemented: the value byte 10 must hold.
uint8_t SromChecksum(const SromImage& image);

// Loads the text form: 256 hexadecimal values of one or two digits separated by white space.
// Returns "Success", or the message to print; `image` is changed only on success.
std::string ReadSromFile(const std::string& file, SromImage& image);

// Creates or truncates the file and writes the text form: 16 lines of 16 "%02X " values,
// each line ended by CR LF bytes. False when the file could not be written completely.
bool SaveSromFile(const std::string& file, const SromImage& image);

// The text form itself.
std::string FormatSromText(const SromImage& image);

}  // namespace eeprom_tool
