#include "core/common/key_filter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace zvc {

void PrintTo(const KeyFilterResult& result, std::ostream* out) {
  static const char* const kNames[] = {"Accept", "Refuse", "Replace"};
  *out << kNames[static_cast<int>(result.action)];
  if (result.action == KeyAction::Replace)
    *out << " '" << static_cast<char>(result.replacement) << "'";
}

namespace {

constexpr KeyFilterResult kAccept{KeyAction::Accept};
constexpr KeyFilterResult kRefuse{KeyAction::Refuse};
constexpr KeyFilterResult kPoint{KeyAction::Replace, u'.'};

TEST(KeyFilter, DigitFieldTakesDigitsAndBackspaceOnly) {
  for (char16_t c = u'0'; c <= u'9'; ++c) EXPECT_EQ(filterDigitKey(u"12", 2, c), kAccept);
  EXPECT_EQ(filterDigitKey(u"12", 2, u'\b'), kAccept);
  for (char16_t c : std::u16string(u"-+.,e aЖ\t")) {
    EXPECT_EQ(filterDigitKey(u"12", 1, c), kRefuse) << static_cast<int>(c);
  }
}

struct RealCase {
  const char16_t* text;
  std::size_t caret;
  char16_t typed;
  KeyFilterResult expected;
  const char* why;
};

TEST(KeyFilter, RealField) {
  const RealCase cases[] = {
      {u"", 0, u'5', kAccept, "digit in an empty field"},
      {u"1.5e-0", 6, u'\b', kAccept, "backspace always"},
      {u"12", 2, u'x', kRefuse, "letters"},
      {u"12", 2, u'E', kRefuse, "capital E"},
      {u"12", 2, u' ', kRefuse, "blank"},
      // Separator.
      {u"12", 2, u'.', kAccept, "point"},
      {u"12", 1, u',', kPoint, "comma becomes point"},
      {u"1.2", 3, u'.', kRefuse, "second point"},
      {u"1.2", 3, u',', kRefuse, "comma when a point is there"},
      {u"12e", 3, u'.', kRefuse, "point in the exponent"},
      {u"12e5", 4, u',', kRefuse, "comma in the exponent"},
      {u"12e5", 1, u'.', kAccept, "point in the mantissa of a number with exponent"},
      // The "e".
      {u"", 0, u'e', kRefuse, "e in an empty field"},
      {u"12", 2, u'e', kAccept, "e at the end"},
      {u"12", 1, u'e', kRefuse, "e in the middle"},
      {u"1e5", 3, u'e', kRefuse, "second e"},
      // Exponent digits: at most two, the sign not counted.
      {u"1e", 2, u'0', kAccept, "first exponent digit"},
      {u"1e1", 3, u'2', kAccept, "second exponent digit"},
      {u"1e12", 4, u'3', kRefuse, "third exponent digit"},
      {u"1e-12", 5, u'3', kRefuse, "third exponent digit after a sign"},
      {u"1e-1", 4, u'2', kAccept, "sign is not a digit"},
      {u"1e12", 3, u'3', kRefuse, "third exponent digit in the middle"},
      {u"1e12", 1, u'3', kAccept, "mantissa digit with a full exponent"},
      {u"12e34", 2, u'5', kAccept, "caret right before the e is in the mantissa"},
      // Minus.
      {u"", 0, u'-', kAccept, "minus in an empty field"},
      {u"12", 0, u'-', kAccept, "minus at the start"},
      {u"-12", 0, u'-', kRefuse, "second leading minus"},
      {u"12", 1, u'-', kRefuse, "minus in the middle"},
      {u"1e", 2, u'-', kAccept, "minus right after the e"},
      {u"1e5", 2, u'-', kAccept, "minus right after the e before its digits"},
      {u"-1e", 3, u'-', kAccept, "exponent minus after a negative mantissa"},
      {u"1e-", 2, u'-', kRefuse, "exponent already signed"},
      {u"1e+5", 2, u'-', kRefuse, "exponent already signed by plus"},
      {u"1e5", 3, u'-', kRefuse, "minus after an exponent digit"},
      // Plus.
      {u"", 0, u'+', kRefuse, "plus at the start"},
      {u"1e", 2, u'+', kAccept, "plus right after the e"},
      {u"1e-", 2, u'+', kRefuse, "plus before the sign"},
      {u"1e5", 2, u'+', kAccept, "plus right after the e before its digits"},
      {u"1e-5", 2, u'+', kRefuse, "plus when a minus is there"},
      // A caret beyond the text counts as at its end.
      {u"12", 9, u'e', kAccept, "caret past the end"},
  };
  for (const RealCase& c : cases) {
    EXPECT_EQ(filterRealKey(c.text, c.caret, c.typed), c.expected) << c.why;
  }
}

}  // namespace
}  // namespace zvc
