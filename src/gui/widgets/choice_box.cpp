#include "gui/widgets/choice_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

// Long lists (255 timeouts) open as a scrolled column, not as a screen-high menu.
constexpr int kVisibleEntries = 20;

void addTexts(QComboBox* box, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) box->addItem(QString::fromStdString(text));
}

}  // namespace

QComboBox* choiceBox(QWidget* parent, const char* objectName, const std::vector<std::string>& texts,
                     std::optional<int> chosen) {
  auto* box = new QComboBox(parent);
  box->setObjectName(objectName);
  box->setMaxVisibleItems(kVisibleEntries);
  addTexts(box, texts);
  choose(box, chosen);
  return box;
}

void setChoices(QComboBox* box, const std::vector<std::string>& texts) {
  const int kept = box->currentIndex();
  box->clear();
  addTexts(box, texts);
  box->setCurrentIndex(kept < box->count() ? kept : -1);
}

void choose(QComboBox* box, std::optional<int> entry) {
  box->setCurrentIndex(entry && *entry < box->count() ? *entry : -1);
}

std::optional<int> choiceOf(const QComboBox* box) {
  if (box->currentIndex() < 0) return std::nullopt;
  return box->currentIndex();
}

QComboBox* numberBox(QWidget* parent, const char* objectName, const std::vector<std::string>& texts,
                     const std::string& text) {
  QComboBox* box = choiceBox(parent, objectName, texts, std::nullopt);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setEditText(QString::fromStdString(text));
  FieldKeyFilter::digitsOnly(box);
  return box;
}

QLineEdit* textField(QWidget* parent, const char* objectName, const std::string& text,
                     int maxLength) {
  auto* field = new QLineEdit(QString::fromStdString(text), parent);
  field->setObjectName(objectName);
  field->setMaxLength(maxLength);
  fitFieldToText(field, QString(maxLength, u'x'));
  return field;
}

QLineEdit* maskedField(QWidget* parent, const char* objectName, int maxLength) {
  auto* field = new QLineEdit(parent);
  field->setObjectName(objectName);
  field->setEchoMode(QLineEdit::Password);
  field->setMaxLength(maxLength);
  return field;
}

QLineEdit* numberField(QWidget* parent, const char* objectName, const std::string& text,
                       int maxLength) {
  auto* field = new QLineEdit(QString::fromStdString(text), parent);
  field->setObjectName(objectName);
  if (maxLength > 0) field->setMaxLength(maxLength);
  FieldKeyFilter::digitsOnly(field);
  return field;
}

QLineEdit* realField(QWidget* parent, const char* objectName, const std::string& text,
                     int maxLength) {
  auto* field = new QLineEdit(QString::fromStdString(text), parent);
  field->setObjectName(objectName);
  if (maxLength > 0) field->setMaxLength(maxLength);
  FieldKeyFilter::realNumber(field);
  return field;
}

std::string textOf(const QComboBox* editableBox) {
  return editableBox->currentText().toStdString();
}

std::string textOf(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace zvc
