#include "gui/widgets/field_key_filter.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <string_view>

namespace zvc {
namespace {

constexpr char16_t kBackspace = u'\b';

// The typed character, or 0 for keys that are no characters (cursor keys, Enter, Delete, Tab,
// shortcuts with Ctrl).
char16_t typedCharacter(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) return kBackspace;
  const QString text = key.text();
  if (text.size() != 1 || key.modifiers() & Qt::ControlModifier) return 0;
  const char16_t c = text.at(0).unicode();
  return c < u' ' || c == u'\x7f' ? 0 : c;
}

}  // namespace

FieldKeyFilter::FieldKeyFilter(KeyFilter filter, QObject* parent)
    : QObject(parent), filter_(filter) {}

void FieldKeyFilter::digitsOnly(QLineEdit* field) {
  field->installEventFilter(new FieldKeyFilter(filterDigitKey, field));
}

void FieldKeyFilter::digitsOnly(QComboBox* editableBox) {
  // The box hands the keys it gets to its edit field without passing them through the field's
  // filters.
  editableBox->installEventFilter(new FieldKeyFilter(filterDigitKey, editableBox));
  digitsOnly(editableBox->lineEdit());
}

void FieldKeyFilter::realNumber(QLineEdit* field) {
  field->installEventFilter(new FieldKeyFilter(filterRealKey, field));
}

bool FieldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* box = qobject_cast<QComboBox*>(watched);
  QLineEdit* field = box ? box->lineEdit() : qobject_cast<QLineEdit*>(watched);
  if (!field) return false;
  const char16_t typed = typedCharacter(*static_cast<QKeyEvent*>(event));
  if (typed == 0) return false;
  const QString text = field->text();
  const std::u16string_view view(reinterpret_cast<const char16_t*>(text.utf16()),
                                 static_cast<std::size_t>(text.size()));
  const KeyFilterResult result =
      filter_(view, static_cast<std::size_t>(field->cursorPosition()), typed);
  switch (result.action) {
    case KeyAction::Accept:
      return false;
    case KeyAction::Refuse:
      return true;
    case KeyAction::Replace:
      field->insert(QString(QChar(result.replacement)));
      return true;
  }
  return false;
}

}  // namespace zvc
