#pragma once

#include <QObject>

#include "core/common/key_filter.h"

class QComboBox;
class QLineEdit;

namespace zvc {

// Holds an input field to what one of the key filters admits: each typed character goes through
// the filter; cursor and other editing keys pass untouched.
class FieldKeyFilter : public QObject {
  Q_OBJECT

 public:
  FieldKeyFilter(KeyFilter filter, QObject* parent);

  // Integer fields; the filter belongs to the field.
  static void digitsOnly(QLineEdit* field);
  static void digitsOnly(QComboBox* editableBox);
  // Real-number fields.
  static void realNumber(QLineEdit* field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  KeyFilter filter_;
};

}  // namespace zvc
