#pragma once

#include <QDialog>
#include <optional>

#include "core/tables/parameter_section.h"
#include "core/ui/input_error.h"

class QBoxLayout;
class QPushButton;

namespace zvc {

class Frontend;

// The shape of every parameter dialog: it shows one section of the configuration (the bytes of
// its tables, in the image from the main menu or in a configuration record from the
// configuration editor), and its confirm button - "Записать в устройство" in write mode,
// "Принять" in accept mode - checks the fields with the section's rules and stores them into the
// section in place; a refusal is shown as an input error and keeps the dialog open. "Отменить"
// leaves the section as it was. exec() returns Accepted once the section is stored.
//
// The dialog never talks to the controller: the caller reads the tables before and, in write
// mode, writes what changed after an accepted exec(). So the configuration editor hosts the same
// dialogs on a record without any change.
class SectionDialog : public QDialog {
  Q_OBJECT

 public:
  SectionMode mode() const { return mode_; }

 protected:
  SectionDialog(SectionMode mode, Frontend& frontend, QWidget* parent);

  // The confirm and cancel buttons, centred at the end of layout.
  void addButtonRow(QBoxLayout* layout);
  // The rules and the store; nothing is stored when an error comes back.
  virtual std::optional<InputError> store() = 0;

  Frontend& frontend() const { return frontend_; }

 private:
  void confirmClicked();

  SectionMode mode_;
  Frontend& frontend_;
};

}  // namespace zvc
