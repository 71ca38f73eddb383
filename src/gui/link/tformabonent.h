#pragma once

#include <QDialog>
#include <array>

#include "core/link/subscribers.h"

class QLineEdit;

namespace zvc {

class Frontend;

enum class EntryMode { kNew, kChange };

// "Параметры абонента": one telephone or Ethernet subscriber. The entry changes only when
// "Принять" finds every field in order.
class TFormAbonent : public QDialog {
  Q_OBJECT

 public:
  TFormAbonent(PhoneSubscriber& entry, EntryMode mode, Frontend& frontend,
               QWidget* parent = nullptr);
  TFormAbonent(EthernetSubscriber& entry, EntryMode mode, Frontend& frontend,
               QWidget* parent = nullptr);

 private:
  explicit TFormAbonent(Frontend& frontend, QWidget* parent);
  QLineEdit* textField(const char* objectName, std::size_t maxChars);
  QLineEdit* numberField(const char* objectName, int maxDigits);
  void addButtons();
  void acceptClicked();
  std::optional<InputError> acceptInput();

  Frontend& frontend_;
  PhoneSubscriber* phone_ = nullptr;
  EthernetSubscriber* ethernet_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* address_ = nullptr;
  QLineEdit* phoneNumber_ = nullptr;
  std::array<QLineEdit*, 4> ipParts_{};
  QLineEdit* port_ = nullptr;
};

}  // namespace zvc
