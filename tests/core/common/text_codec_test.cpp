#include "core/common/text_codec.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace zvc {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint8_t encoded(std::uint8_t byte) {
  encodeCp866(&byte, 1);
  return byte;
}

std::uint8_t decoded(std::uint8_t byte) {
  decodeCp866(&byte, 1);
  return byte;
}

// A UTF-8 text as it travels to a controller that keeps its names in CP866.
Bytes toCp866(const std::string& utf8) {
  const std::string cp1251 = utf8ToCp1251(utf8);
  Bytes field(cp1251.begin(), cp1251.end());
  encodeCp866(field.data(), field.size());
  return field;
}

std::string fromCp866(Bytes field) {
  decodeCp866(field.data(), field.size());
  return cp1251ToUtf8(std::string(field.begin(), field.end()));
}

TEST(Cp866, RussianAndUkrainianNamesSurviveTheRoundTrip) {
  for (const std::string text :
       {"Контроллер ЖВЦ_15", "Нитка 1", "Київ, Єва, Ўў, ёлка",
        "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ абвгдеёжзийклмнопрстуфхцчшщъыьэюя", "25 °C · № 7 ¤"}) {
    EXPECT_EQ(fromCp866(toCp866(text)), text);
  }
}

TEST(Cp866, LettersGoToTheirDosCodes) {
  EXPECT_EQ(toCp866("Нитка 1"), (Bytes{0x8D, 0xA8, 0xE2, 0xAA, 0xA0, 0x20, 0x31}));
  EXPECT_EQ(toCp866("АЯапряЁё"), (Bytes{0x80, 0x9F, 0xA0, 0xAF, 0xE0, 0xEF, 0xF0, 0xF1}));
  EXPECT_EQ(toCp866("ЄєЇїЎў°·№¤\u00A0"),
            (Bytes{0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xFA, 0xFC, 0xFD, 0xFF}));
}

TEST(Cp866, CharactersWithoutDosFormBecomeUnderscore) {
  EXPECT_EQ(toCp866("Ґанок ґ"), toCp866("_анок _"));
  EXPECT_EQ(fromCp866(toCp866("Ґ")), "_");
  for (std::uint8_t byte : {0x80, 0x82, 0x88, 0x98, 0x99, 0xA5, 0xB1, 0xB4, 0xB5, 0xBD}) {
    EXPECT_EQ(encoded(byte), '_') << std::hex << int(byte);
  }
}

TEST(Cp866, ApproximationsOfMissingCharacters) {
  struct Case {
    std::uint8_t cp1251;
    std::uint8_t cp866;
  };
  const Case cases[] = {
      {0xA6, 0x7C},  // ¦ → |
      {0xA7, 0x15},  // § → DOS glyph §
      {0xA9, 0x63},  // © → c
      {0xAB, 0x11},  // « → ◄
      {0xAC, 0x2D},  // ¬ → -
      {0xAD, 0x2D},  // soft hyphen → -
      {0xAE, 0x72},  // ® → r
      {0xB2, 0x49},  // І → I
      {0xB3, 0x69},  // і → i
      {0xB6, 0x14},  // ¶ → DOS glyph ¶
      {0xBB, 0x10},  // » → ►
      {0x95, 0xF9},  // • → ∙
  };
  for (const Case& c : cases) EXPECT_EQ(encoded(c.cp1251), c.cp866) << std::hex << int(c.cp1251);
  // « and » stay as the control codes whose DOS glyphs are ◄ and ►.
  EXPECT_EQ(fromCp866(toCp866("Іван і «ЖВЦ»")),
            "Iван i \x11"
            "ЖВЦ\x10");
}

TEST(Cp866, AsciiIsUnchangedBothWays) {
  for (int byte = 0; byte < 0x80; ++byte) {
    EXPECT_EQ(encoded(byte), byte);
    if (byte != 0x0F && byte != 0x14 && byte != 0x15) {
      EXPECT_EQ(decoded(byte), byte);
    }
  }
}

TEST(Cp866, DosGlyphsOfControlCodesAndTheLastRow) {
  EXPECT_EQ(
      cp1251ToUtf8(std::string{char(decoded(0x0F)), char(decoded(0x14)), char(decoded(0x15))}),
      "¤¶§");
  Bytes lastRow;
  for (int byte = 0xF0; byte <= 0xFF; ++byte) lastRow.push_back(byte);
  EXPECT_EQ(fromCp866(lastRow), "ЁёЄєЇїЎў°•·_№¤__");
  // Encoding keeps a non-breaking space, decoding does not bring it back.
  EXPECT_EQ(fromCp866(toCp866("a\u00A0b")), "a_b");
}

TEST(Cp866, BoxDrawingDecodesByShape) {
  Bytes box;
  for (int byte = 0xB0; byte <= 0xDF; ++byte) box.push_back(byte);
  EXPECT_EQ(fromCp866(box),
            "___¦++++++¦+++++"
            "++++-++++++++-++"
            "+++++++++++_____");
  // ╔═╗ / ║ ║ / ╚═╝
  EXPECT_EQ(fromCp866({0xC9, 0xCD, 0xBB, 0xBA, 0x20, 0xBA, 0xC8, 0xCD, 0xBC}), "+-+¦ ¦+-+");
}

TEST(Cp866, ConvertsOnlyTheGivenLength) {
  std::array<std::uint8_t, 4> field = {0xC0, 0xC0, 0xC0, 0xC0};
  encodeCp866(field.data(), 2);
  EXPECT_EQ(field, (std::array<std::uint8_t, 4>{0x80, 0x80, 0xC0, 0xC0}));
  decodeCp866(field.data(), 2);
  EXPECT_EQ(field, (std::array<std::uint8_t, 4>{0xC0, 0xC0, 0xC0, 0xC0}));
}

TEST(Cp1251, EveryDefinedUpperByteRoundTripsThroughUtf8) {
  std::set<std::string> seen;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    if (byte == 0x98) continue;
    const std::string original(1, static_cast<char>(byte));
    const std::string utf8 = cp1251ToUtf8(original);
    EXPECT_GE(utf8.size(), 2u) << std::hex << byte;
    EXPECT_EQ(utf8ToCp1251(utf8), original) << std::hex << byte;
    EXPECT_TRUE(seen.insert(utf8).second) << "two bytes read as " << utf8;
  }
}

TEST(Cp1251, KnownCharacters) {
  EXPECT_EQ(cp1251ToUtf8("\xCA\xEE\xE4 \xEE\xF8\xE8\xE1\xEA\xE8 = %d"), "Код ошибки = %d");
  std::string upperHalf;
  for (int byte = 0x80; byte < 0xC0; ++byte) upperHalf.push_back(static_cast<char>(byte));
  EXPECT_EQ(cp1251ToUtf8(upperHalf),
            "ЂЃ‚ѓ„…†‡€‰Љ‹ЊЌЋЏ"
            "ђ‘’“”•–—\uFFFD™љ›њќћџ"
            "\u00A0ЎўЈ¤Ґ¦§Ё©Є«¬\u00AD®Ї"
            "°±Ііґµ¶·ё№є»јЅѕї");
  EXPECT_EQ(cp1251ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(utf8ToCp1251("Нитка 2"), "\xCD\xE8\xF2\xEA\xE0 2");
}

TEST(Cp1251, UndefinedByteReadsAsReplacementMark) {
  EXPECT_EQ(cp1251ToUtf8("\x98"), "\uFFFD");
  EXPECT_EQ(utf8ToCp1251("\uFFFD"), "?");
}

TEST(Cp1251, CharactersWithoutFormAndBrokenUtf8BecomeQuestionMarks) {
  struct Case {
    const char* utf8;
    const char* cp1251;
  };
  const Case cases[] = {
      {"Ω", "?"},                   // valid, but not in the code page
      {"\xF0\x9F\x98\x80!", "?!"},  // four-byte character
      {"\x80", "?"},                // stray continuation byte
      {"\xD0", "?"},                // cut at the end
      {"\xD0"
       "A",
       "?A"},                        // cut before the next character
      {"\xE2\x84", "?"},             // three-byte form missing its last byte
      {"\xC0\xAF", "??"},            // overlong "/"
      {"\xE0\x80\xAF", "???"},       // overlong three-byte form
      {"\xED\xA0\x80", "???"},       // surrogate
      {"\xF4\x90\x80\x80", "????"},  // beyond U+10FFFF
      {"\xFF\xFE", "??"},            // never valid
      {"Ж\xD0Ж", "\xC6?\xC6"},       // broken character between good ones
  };
  for (const Case& c : cases) EXPECT_EQ(utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
}

TEST(FixedField, DisplayTrimsBlankAndNulPadding) {
  struct Case {
    std::string bytes;
    std::string shown;
  };
  const Case cases[] = {
      {std::string("\xCD\xE8\xF2\xEA\xE0 1\0\0\0\0", 11), "Нитка 1"},  // our NUL padding
      {"\xCD\xE8\xF2\xEA\xE0 1    ", "Нитка 1"},                       // controller's blanks
      {std::string("  \xCD\xE8\xF2\xEA\xE0 1  \0\0", 13), "Нитка 1"},  // both, and leading
      {"ABCDEFGH", "ABCDEFGH"},                                        // full, no terminator
      {std::string("AB\0CD", 5), "AB"},                                // rubbish after the end
      {std::string("\0\0\0\0", 4), ""},
      {"    ", ""},
      {"A  B", "A  B"},  // inner blanks stay
  };
  for (const Case& c : cases) {
    const auto* field = reinterpret_cast<const std::uint8_t*>(c.bytes.data());
    EXPECT_EQ(fieldToUtf8(field, c.bytes.size()), c.shown);
  }
}

TEST(FixedField, WritingCutsAndPadsWithinTheField) {
  // One spare byte on each side catches a write outside the field.
  std::array<std::uint8_t, 22> buffer;
  auto write = [&buffer](const std::string& text) {
    buffer.fill(0xEE);
    utf8ToField(text, buffer.data() + 1, 20);
    EXPECT_EQ(buffer.front(), 0xEE);
    EXPECT_EQ(buffer.back(), 0xEE);
    return std::string(buffer.begin() + 1, buffer.end() - 1);
  };
  EXPECT_EQ(write("Нитка 1"), std::string("\xCD\xE8\xF2\xEA\xE0 1") + std::string(13, '\0'));
  EXPECT_EQ(write(""), std::string(20, '\0'));
  EXPECT_EQ(cp1251ToUtf8(write("В нач. часа (безусл.)")), "В нач. часа (безусл.");
  EXPECT_EQ(write(std::string(30, 'x')), std::string(20, 'x'));
  EXPECT_EQ(fieldToUtf8(buffer.data() + 1, 20), std::string(20, 'x'));
}

}  // namespace
}  // namespace zvc
