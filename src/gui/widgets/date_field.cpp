#include "gui/widgets/date_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zvc {

DateField::DateField(QWidget* parent) : QDateEdit(parent) {
  setDisplayFormat("dd.MM.yyyy");
}

void DateField::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  if (typed.isEmpty() || !typed.front().isPrint()) {
    QDateEdit::keyPressEvent(event);
    return;
  }
  // Qt takes typing only section by section: over the whole text it would refuse every key.
  if (lineEdit()->selectedText().size() > sectionText(currentSection()).size()) {
    setSelectedSection(sectionAt(0));
  }
  // A full section moves on by itself; the point typed after it is the one already there, and
  // Qt would take it for a step to the section after.
  const QString shown = lineEdit()->text();
  const int at =
      lineEdit()->hasSelectedText() ? lineEdit()->selectionStart() : lineEdit()->cursorPosition();
  if (at > 0 && at <= shown.size() && shown.at(at - 1) == typed.front() &&
      !typed.front().isDigit()) {
    return;
  }
  QDateEdit::keyPressEvent(event);
}

}  // namespace zvc
