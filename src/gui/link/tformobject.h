#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace zvc {

class Frontend;

// " Параметры объекта": the name of one object of the passports.
class TFormObject : public QDialog {
  Q_OBJECT

 public:
  TFormObject(std::string& name, Frontend& frontend, QWidget* parent = nullptr);

 private:
  void acceptClicked();

  std::string& name_;
  Frontend& frontend_;
  QLineEdit* field_ = nullptr;
};

}  // namespace zvc
