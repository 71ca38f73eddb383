#pragma once

#include <QDateEdit>

namespace zvc {

// A date field "dd.MM.yyyy" that also takes a whole date typed over its selected text: typing
// over a selection of more than one section starts again at the day. The arrow keys step the
// section under the cursor as in any date field.
class DateField : public QDateEdit {
  Q_OBJECT

 public:
  explicit DateField(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zvc
