#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zvc {

// Every parameter dialog edits one section of the configuration: the bytes of its tables, either
// in the configuration image (opened from the main menu, the controller is written afterwards)
// or in a configuration record (opened from the configuration editor, only the record changes).
// The dialog itself never talks to the controller; its mode only names the confirm button and
// decides what the controller's own limits allow to edit.
enum class SectionMode { kWrite, kAccept };

// "Записать в устройство" or "Принять".
std::string_view confirmCaption(SectionMode mode);
inline constexpr std::string_view kCancelCaption = "Отменить";

// One row of a dialog as the user reads it: its label (two-line labels hold "\n" between the
// lines) and the value shown, the text of the chosen list entry or of the field. zvc-cli prints
// the same rows.
struct ParameterLine {
  std::string label;
  std::string value;
  bool enabled = true;  // a disabled row is greyed
  bool alarm = false;   // shown in red
  bool operator==(const ParameterLine&) const = default;
};

// A label on one line: its lines without the blanks around them, joined by one blank.
std::string oneLineLabel(std::string_view label);
// "Group: label", both on one line, for rows inside a framed group of a dialog.
std::string groupedLabel(std::string_view group, std::string_view label);

// The number typed into a digit-only field; nullopt for an empty field. A number too long for
// any field's range reads as a value above every range, never as a small one.
std::optional<long long> fieldNumber(std::string_view text);

// The text of a check box's state, as zvc-cli shows it: "Да" or "Нет".
std::string_view checkText(bool ticked);

// Entries of a list of numbers first..last, each shown with "%d".
std::vector<std::string> numberTexts(int first, int last);
// Hours first..last, each shown with "%d:00".
std::vector<std::string> hourTexts(int first, int last);

// The entry of `texts` at `index`, or "" for no choice.
std::string choiceText(const std::vector<std::string>& texts, std::optional<int> index);

// A chosen value with its unit ("150 сс"); nothing when nothing is chosen.
std::string withUnit(const std::string& value, std::string_view unit);

// The index of value in first..last, or nullopt when the value is outside.
std::optional<int> indexInRange(int value, int first, int last);

}  // namespace zvc
