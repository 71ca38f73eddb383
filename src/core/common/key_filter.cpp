#include "core/common/key_filter.h"

#include <algorithm>

namespace zvc {
namespace {

constexpr char16_t kBackspace = u'\b';

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

KeyFilterResult verdict(bool accepted) {
  return {accepted ? KeyAction::Accept : KeyAction::Refuse};
}

// The exponent is the part after the "e"; the caret is in it when it stands
// after the "e".
struct Exponent {
  bool present = false;
  bool caretInside = false;
  bool caretRightAfterE = false;
  bool hasSign = false;
  std::size_t digits = 0;
};

Exponent exponentOf(std::u16string_view text, std::size_t caret) {
  Exponent exponent;
  const std::size_t e = text.find(u'e');
  if (e == std::u16string_view::npos) return exponent;
  const std::u16string_view part = text.substr(e + 1);
  exponent.present = true;
  exponent.caretInside = caret > e;
  exponent.caretRightAfterE = caret == e + 1;
  exponent.hasSign = !part.empty() && (part.front() == u'+' || part.front() == u'-');
  exponent.digits = static_cast<std::size_t>(std::count_if(part.begin(), part.end(), isDigit));
  return exponent;
}

}  // namespace

KeyFilterResult filterDigitKey(std::u16string_view /*text*/, std::size_t /*caret*/,
                               char16_t typed) {
  return verdict(isDigit(typed) || typed == kBackspace);
}

KeyFilterResult filterRealKey(std::u16string_view text, std::size_t caret, char16_t typed) {
  caret = std::min(caret, text.size());
  const Exponent exponent = exponentOf(text, caret);
  if (typed == kBackspace) return verdict(true);
  if (isDigit(typed)) return verdict(!exponent.caretInside || exponent.digits < 2);
  if (typed == u'.' || typed == u',') {
    if (text.find(u'.') != std::u16string_view::npos || exponent.caretInside) return verdict(false);
    return typed == u'.' ? verdict(true) : KeyFilterResult{KeyAction::Replace, u'.'};
  }
  if (typed == u'e') return verdict(!text.empty() && caret == text.size() && !exponent.present);
  const bool exponentSign = exponent.caretRightAfterE && !exponent.hasSign;
  if (typed == u'-') return verdict((caret == 0 && !text.starts_with(u'-')) || exponentSign);
  if (typed == u'+') return verdict(exponentSign);
  return verdict(false);
}

}  // namespace zvc
