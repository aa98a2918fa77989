// Private-profile reading for the native build, parsing the file the way the Windows profile
// functions do, so the product's readers behave alike in both builds.
//
// Path rules: backslashes are taken as folder separators, so ".\Setup\setting.ini" is relative
// to the working folder, as on Windows. A bare file name would be looked up in the Windows
// folder there; this build has none, so such a file reads as missing.
#include "platform/profile_file.h"

#include "platform/text_codec.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

namespace platform {
namespace {

struct Entry {
  std::wstring key;
  std::optional<std::wstring> value;  // none for a line without '='
};

struct Section {
  std::wstring name;
  std::vector<Entry> entries;
};

// Blanks as the profile parser sees them (Ctrl-Z counts too: old editors ended files with it).
bool IsProfileSpace(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r' ||
         c == 0x1A;
}

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsProfileSpace(text[begin])) {
    ++begin;
  }
  while (end > begin && IsProfileSpace(text[end - 1])) {
    --end;
  }
  return text.substr(begin, end - begin);
}

wchar_t AsciiLower(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

std::string PosixPath(const std::wstring& path) {
  std::string converted = WideToUtf8(path);
  for (char& c : converted) {
    if (c == '\\') {
      c = '/';
    }
  }
  return converted;
}

bool HasSeparator(const std::wstring& path) {
  return path.find_first_of(L"\\/") != std::wstring::npos;
}

// The file's text: UTF-16LE or UTF-8 when it starts with their byte-order mark, else the ANSI
// code page.
std::optional<std::wstring> ReadProfileText(const std::wstring& path) {
  if (path.empty() || !HasSeparator(path)) {
    return std::nullopt;
  }
  std::ifstream in(PosixPath(path), std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
  }
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    return Utf8ToWide(std::string_view(bytes).substr(3));
  }
  return AnsiToWide(bytes);
}

// Sections in file order; lines before the first header belong to a section without a name.
std::vector<Section> Parse(const std::wstring& text) {
  std::vector<Section> sections(1);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find_first_of(L"\r\n", pos);
    if (end == std::wstring::npos) {
      end = text.size();
    }
    const std::wstring line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty()) {
      continue;
    }
    if (line[0] == L'[') {
      const size_t close = line.rfind(L']');
      if (close != std::wstring::npos) {
        sections.push_back({line.substr(1, close - 1), {}});
        continue;
      }
      // A header without its closing bracket is read as an ordinary line.
    }
    const size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) {
      sections.back().entries.push_back({line, std::nullopt});
    } else {
      sections.back().entries.push_back(
          {Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
  }
  return sections;
}

// The first section of that name is the one consulted, and its first entry of that key.
const Entry* Find(const std::vector<Section>& sections, const std::wstring& section,
                  const std::wstring& key) {
  for (size_t i = 1; i < sections.size(); ++i) {
    if (!SameName(sections[i].name, section)) {
      continue;
    }
    for (const Entry& entry : sections[i].entries) {
      if (SameName(entry.key, key)) {
        return &entry;
      }
    }
    return nullptr;
  }
  return nullptr;
}

std::wstring StripQuotes(const std::wstring& value) {
  if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

std::wstring Cut(const std::wstring& text, size_t bufferChars) {
  if (bufferChars == 0) {
    return {};
  }
  return text.substr(0, bufferChars - 1);
}

std::wstring WithoutTrailingBlanks(std::wstring text) {
  // The first character is kept even when it is a blank, as the profile functions do.
  while (text.size() > 1 && text.back() == L' ') {
    text.pop_back();
  }
  return text;
}

// Whole-value integer reading: optional sign, then "0x" and hex digits or decimal digits; the
// digits end at the first other character.
unsigned ParseProfileInt(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && text[i] <= L' ') {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == L'0' && text[i + 1] == L'x') {
    base = 16;
    i += 2;
  }
  unsigned total = 0;
  for (; i < text.size(); ++i) {
    const wchar_t c = text[i];
    unsigned digit = 0;
    if (c >= L'0' && c <= L'9') {
      digit = static_cast<unsigned>(c - L'0');
    } else if (c >= L'a' && c <= L'z') {
      digit = static_cast<unsigned>(c - L'a') + 10;
    } else if (c >= L'A' && c <= L'Z') {
      digit = static_cast<unsigned>(c - L'A') + 10;
    } else {
      break;
    }
    if (digit >= base) {
      break;
    }
    total = total * base + digit;  // wraps like the system's 32-bit reading
  }
  return negative ? 0u - total : total;
}

// The buffer GetPrivateProfileIntW reads the value into.
constexpr size_t kIntBufferChars = 30;

class PosixProfileFile final : public ProfileFile {
 public:
  std::wstring ReadString(const std::wstring& path, const std::wstring& section,
                          const std::wstring& key, const std::wstring& defaultValue,
                          size_t bufferChars) const override {
    const std::wstring fallback = Cut(WithoutTrailingBlanks(defaultValue), bufferChars);
    const std::optional<std::wstring> text = ReadProfileText(path);
    if (!text) {
      return fallback;
    }
    const std::vector<Section> sections = Parse(*text);
    const Entry* entry = Find(sections, section, key);
    if (entry == nullptr || !entry->value) {
      return fallback;
    }
    return Cut(StripQuotes(*entry->value), bufferChars);
  }

  int ReadInt(const std::wstring& path, const std::wstring& section, const std::wstring& key,
              int defaultValue) const override {
    const std::wstring value = ReadString(path, section, key, L"", kIntBufferChars);
    if (value.empty()) {
      return defaultValue;
    }
    return static_cast<int>(ParseProfileInt(value));
  }

  std::vector<std::wstring> SectionNames(const std::wstring& path,
                                         size_t bufferChars) const override {
    std::vector<std::wstring> names;
    const std::optional<std::wstring> text = ReadProfileText(path);
    if (!text || bufferChars < 2) {
      return names;
    }
    // Each name takes its length plus a terminator; one more place ends the list. A name that
    // does not fit whole is cut, and the list ends with it.
    size_t room = bufferChars - 1;
    for (const Section& section : Parse(*text)) {
      if (section.name.empty()) {
        continue;
      }
      const size_t needed = section.name.size() + 1;
      if (needed >= room) {
        if (room > 1) {
          names.push_back(section.name.substr(0, room - 1));
        }
        break;
      }
      names.push_back(section.name);
      room -= needed;
    }
    return names;
  }
};

}  // namespace

std::unique_ptr<ProfileFile> MakeSystemProfileFile() {
  return std::make_unique<PosixProfileFile>();
}

}  // namespace platform
