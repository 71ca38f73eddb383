#include "core/common/text_codec.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace zvc {
namespace {

// Unicode code points of the upper halves (bytes 0x80..0xFF) of both code pages; the lower
// halves are ASCII in both.
using UpperHalf = std::array<char32_t, 128>;

// The one code Windows-1251 leaves undefined (0x98) reads as the replacement mark U+FFFD,
// which in turn has no Windows-1251 form.
constexpr char32_t kUndefined = 0xFFFD;

constexpr UpperHalf kCp1251 = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 0x88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 0x98, itself undefined
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // 0xA0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // 0xA8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // 0xB8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0xC0 А..я
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  //
};

constexpr UpperHalf kCp866 = {
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // 0x80 А..п
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // 0xB0 box drawing
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  //
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  //
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  //
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // 0xE0 р..я
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  //
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // 0xF0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // 0xF8
};

constexpr char32_t codePointOf(const UpperHalf& page, std::size_t byte) {
  return byte < 0x80 ? byte : page[byte - 0x80];
}

constexpr std::optional<std::uint8_t> byteOf(const UpperHalf& page, char32_t codePoint) {
  if (codePoint < 0x80) return static_cast<std::uint8_t>(codePoint);
  if (codePoint == kUndefined) return std::nullopt;
  for (std::size_t i = 0; i < page.size(); ++i) {
    if (page[i] == codePoint) return static_cast<std::uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

constexpr bool isBoxDrawing(char32_t codePoint) {
  return codePoint >= 0x2500 && codePoint <= 0x259F;
}

// DOS box drawing read by shape: shades and full or half blocks become "_", vertical lines
// (single or double) "¦", horizontal lines "-", and every corner, tee and cross "+".
constexpr std::uint8_t boxShapeIn1251(char32_t codePoint) {
  if (codePoint >= 0x2580) return '_';
  if (codePoint == 0x2502 || codePoint == 0x2551) return 0xA6;
  if (codePoint == 0x2500 || codePoint == 0x2550) return '-';
  return '+';
}

using ByteTable = std::array<std::uint8_t, 256>;
using ByteOverride = std::pair<std::uint8_t, std::uint8_t>;

// Look-alikes for Windows-1251 characters that CP866 lacks; §, ¶, « and » go to the DOS
// glyphs of the control codes.
constexpr ByteOverride kEncodeApproximations[] = {
    {0xA6, 0x7C}, {0xA7, 0x15}, {0xA9, 0x63}, {0xAB, 0x11}, {0xAC, 0x2D}, {0xAD, 0x2D},
    {0xAE, 0x72}, {0xB2, 0x49}, {0xB3, 0x69}, {0xB6, 0x14}, {0xBB, 0x10}, {0x95, 0xF9},
};

// The glyphs ☼, ¶ and § of control codes back to their Windows-1251 look-alikes; the bullet
// operator to the bullet; a non-breaking space is not brought back.
constexpr ByteOverride kDecodeExceptions[] = {
    {0x0F, 0xA4}, {0x14, 0xB6}, {0x15, 0xA7}, {0xF9, 0x95}, {0xFF, '_'},
};

constexpr ByteTable makeEncodeTable() {
  ByteTable table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    const char32_t codePoint = codePointOf(kCp1251, byte);
    table[byte] = byteOf(kCp866, codePoint).value_or('_');
  }
  for (auto [from, to] : kEncodeApproximations) table[from] = to;
  return table;
}

constexpr ByteTable makeDecodeTable() {
  ByteTable table{};
  for (std::size_t byte = 0; byte < table.size(); ++byte) {
    const char32_t codePoint = codePointOf(kCp866, byte);
    table[byte] = isBoxDrawing(codePoint) ? boxShapeIn1251(codePoint)
                                          : byteOf(kCp1251, codePoint).value_or('_');
  }
  for (auto [from, to] : kDecodeExceptions) table[from] = to;
  return table;
}

constexpr ByteTable kCp1251ToCp866 = makeEncodeTable();
constexpr ByteTable kCp866ToCp1251 = makeDecodeTable();

void translate(const ByteTable& table, std::uint8_t* field, std::size_t size) {
  std::transform(field, field + size, field, [&table](std::uint8_t byte) { return table[byte]; });
}

void appendUtf8(std::string& out, char32_t codePoint) {
  auto put = [&out](unsigned value) { out.push_back(static_cast<char>(value)); };
  if (codePoint < 0x80) {
    put(codePoint);
  } else if (codePoint < 0x800) {
    put(0xC0 | (codePoint >> 6));
    put(0x80 | (codePoint & 0x3F));
  } else {  // the code page holds nothing beyond the basic plane
    put(0xE0 | (codePoint >> 12));
    put(0x80 | ((codePoint >> 6) & 0x3F));
    put(0x80 | (codePoint & 0x3F));
  }
}

// What a UTF-8 lead byte promises: sequence length, its payload bits and the range of the
// second byte, which is narrower after some leads to refuse overlong forms and surrogates.
struct LeadByte {
  int length = 0;  // 0: not a lead byte
  char32_t bits = 0;
  std::uint8_t secondLow = 0x80;
  std::uint8_t secondHigh = 0xBF;
};

LeadByte describeLead(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2, lead & 0x1Fu};
  if (lead == 0xE0) return {3, lead & 0x0Fu, 0xA0};
  if (lead == 0xED) return {3, lead & 0x0Fu, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3, lead & 0x0Fu};
  if (lead == 0xF0) return {4, lead & 0x07u, 0x90};
  if (lead == 0xF4) return {4, lead & 0x07u, 0x80, 0x8F};
  if (lead >= 0xF1 && lead <= 0xF3) return {4, lead & 0x07u};
  return {};
}

// Reads the character at text[pos] and moves pos past it. An ill-formed sequence gives
// nullopt and pos moves past its longest prefix that could have started a character.
std::optional<char32_t> nextCodePoint(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(text[pos++]);
  if (lead < 0x80) return lead;
  const LeadByte expected = describeLead(lead);
  if (expected.length == 0) return std::nullopt;
  char32_t codePoint = expected.bits;
  std::uint8_t low = expected.secondLow;
  std::uint8_t high = expected.secondHigh;
  for (int i = 1; i < expected.length; ++i) {
    if (pos >= text.size()) return std::nullopt;
    const auto next = static_cast<std::uint8_t>(text[pos]);
    if (next < low || next > high) return std::nullopt;
    codePoint = (codePoint << 6) | (next & 0x3Fu);
    low = 0x80;
    high = 0xBF;
    ++pos;
  }
  return codePoint;
}

bool isBlank(std::uint8_t byte) {
  return byte == ' ';
}

char upperCp1251Char(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 0x20);
  if (c >= 0xE0) return static_cast<char>(c - 0x20);  // а..я
  switch (c) {
    case 0x83:
      return static_cast<char>(0x81);  // ѓ
    case 0x90:
      return static_cast<char>(0x80);  // ђ
    case 0x9A:
      return static_cast<char>(0x8A);  // љ
    case 0x9C:
      return static_cast<char>(0x8C);  // њ
    case 0x9D:
      return static_cast<char>(0x8D);  // ќ
    case 0x9E:
      return static_cast<char>(0x8E);  // ћ
    case 0x9F:
      return static_cast<char>(0x8F);  // џ
    case 0xA2:
      return static_cast<char>(0xA1);  // ў
    case 0xB3:
      return static_cast<char>(0xB2);  // і
    case 0xB4:
      return static_cast<char>(0xA5);  // ґ
    case 0xB8:
      return static_cast<char>(0xA8);  // ё
    case 0xBA:
      return static_cast<char>(0xAA);  // є
    case 0xBC:
      return static_cast<char>(0xA3);  // ј
    case 0xBE:
      return static_cast<char>(0xBD);  // ѕ
    case 0xBF:
      return static_cast<char>(0xAF);  // ї
    default:
      return static_cast<char>(c);
  }
}

}  // namespace

std::string cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) appendUtf8(out, codePointOf(kCp1251, static_cast<std::uint8_t>(c)));
  return out;
}

std::string utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::optional<char32_t> codePoint = nextCodePoint(utf8, pos);
    const std::optional<std::uint8_t> byte = codePoint ? byteOf(kCp1251, *codePoint) : std::nullopt;
    out.push_back(byte ? static_cast<char>(*byte) : '?');
  }
  return out;
}

std::string fieldToUtf8(const std::uint8_t* field, std::size_t size) {
  const std::uint8_t* end = std::find(field, field + size, 0);
  const std::uint8_t* begin = std::find_if_not(field, end, isBlank);
  while (end != begin && isBlank(end[-1])) --end;
  return cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(begin), end - begin));
}

void utf8ToField(std::string_view utf8, std::uint8_t* field, std::size_t size) {
  const std::string bytes = utf8ToCp1251(utf8);
  const std::size_t kept = std::min(bytes.size(), size);
  std::copy_n(bytes.begin(), kept, field);
  std::fill(field + kept, field + size, 0);
}

void encodeCp866(std::uint8_t* field, std::size_t size) {
  translate(kCp1251ToCp866, field, size);
}

void decodeCp866(std::uint8_t* field, std::size_t size) {
  translate(kCp866ToCp1251, field, size);
}

std::string upperCp1251(std::string_view cp1251) {
  std::string upper(cp1251);
  for (char& c : upper) c = upperCp1251Char(static_cast<unsigned char>(c));
  return upper;
}

}  // namespace zvc
