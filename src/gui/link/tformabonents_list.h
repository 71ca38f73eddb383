#pragma once

#include <QDialog>
#include <variant>

#include "core/link/subscribers.h"

class QPushButton;
class QTableWidget;

namespace zvc {

class Frontend;

// "Список абонентов": browses, adds, changes, deletes and sorts a copy of a telephone or Ethernet
// address book; "Принять" puts the copy in place of the list.
class TFormAbonents_List : public QDialog {
  Q_OBJECT

 public:
  TFormAbonents_List(PhoneSubscriberList& list, Frontend& frontend, QWidget* parent = nullptr);
  TFormAbonents_List(EthernetSubscriberList& list, Frontend& frontend, QWidget* parent = nullptr);

 private:
  // numberColumn: the heading of the last column; numberSort: what its sort button does.
  TFormAbonents_List(std::variant<PhoneSubscriberList*, EthernetSubscriberList*> original,
                     const QString& numberColumn, const QString& numberSort, Frontend& frontend,
                     QWidget* parent);
  template <typename Action>
  auto withList(Action action) {
    return std::visit([&](auto& list) { return action(list); }, copy_);
  }
  void fillGrid();
  void setSortOrder(std::uint8_t order);
  void rowChosen(int row);
  void changeClicked();
  void addClicked();
  void deleteClicked();
  void acceptClicked();

  Frontend& frontend_;
  std::variant<PhoneSubscriberList*, EthernetSubscriberList*> original_;
  std::variant<PhoneSubscriberList, EthernetSubscriberList> copy_;
  QTableWidget* grid_ = nullptr;
  QPushButton* sortByName_ = nullptr;
  QPushButton* sortByNumber_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
};

}  // namespace zvc
