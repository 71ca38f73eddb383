#pragma once

#include <cstddef>
#include <string_view>

namespace zvc {

// Key filters of the input fields, as pure functions of the field's current
// text, the caret position (0 = before the first character) and the typed
// character. Texts and characters are UTF-16 so that a Qt validator or key
// handler can pass QString::utf16() and QChar::unicode() without conversion.
// Backspace is '\b'. Cursor and other editing keys are no characters and never
// reach a filter.

enum class KeyAction {
  Accept,   // insert the typed character
  Refuse,   // drop it
  Replace,  // insert `replacement` instead
};

struct KeyFilterResult {
  KeyAction action;
  char16_t replacement = 0;

  bool operator==(const KeyFilterResult&) const = default;
};

// One signature for both, so one event filter can serve any field.
using KeyFilter = KeyFilterResult (*)(std::u16string_view text, std::size_t caret, char16_t typed);

// Integer fields: digits and Backspace.
KeyFilterResult filterDigitKey(std::u16string_view text, std::size_t caret, char16_t typed);

// Real-number fields: digits, one "." (a typed "," becomes "."), one "e" at the
// end, a leading "-", a sign directly after the "e", at most two exponent digits.
KeyFilterResult filterRealKey(std::u16string_view text, std::size_t caret, char16_t typed);

}  // namespace zvc
