#pragma once

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

namespace zvc {

// A list of the given entries with the entry `chosen` selected, or none.
QComboBox* choiceBox(QWidget* parent, const char* objectName, const std::vector<std::string>& texts,
                     std::optional<int> chosen);
// Replaces the entries, keeping the selection when it is still one of them.
void setChoices(QComboBox* box, const std::vector<std::string>& texts);
void choose(QComboBox* box, std::optional<int> entry);
// The selected entry, or nothing.
std::optional<int> choiceOf(const QComboBox* box);

// An editable list of numbers that takes digits only; it shows `text`.
QComboBox* numberBox(QWidget* parent, const char* objectName, const std::vector<std::string>& texts,
                     const std::string& text);
// A text field of at most maxLength characters, as wide as they take.
QLineEdit* textField(QWidget* parent, const char* objectName, const std::string& text,
                     int maxLength);
// A field whose characters are shown masked; a secret typed into it is never echoed.
QLineEdit* maskedField(QWidget* parent, const char* objectName, int maxLength);
// A field that takes digits only.
QLineEdit* numberField(QWidget* parent, const char* objectName, const std::string& text,
                       int maxLength = 0);

// A field for a real number, held to the real-number key filter.
QLineEdit* realField(QWidget* parent, const char* objectName, const std::string& text,
                     int maxLength = 0);

std::string textOf(const QComboBox* editableBox);
std::string textOf(const QLineEdit* field);

}  // namespace zvc
