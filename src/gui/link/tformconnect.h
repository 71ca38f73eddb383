#pragma once

#include <QDialog>

#include "core/link/link_settings.h"

class QComboBox;
class QPushButton;
class QWidget;

namespace zvc {

class Frontend;
class StatusBarVisibility;
class kpsbox;

// "Установка связи с устройством": the link kind, the controller address or the subscriber, and
// "Связаться". Accepted means connected.
class TFormConnect : public QDialog {
  Q_OBJECT

 public:
  TFormConnect(kpsbox& engine, LinkSettingsStore& store, Frontend& frontend,
               StatusBarVisibility& statusBars, QWidget* parent = nullptr);

 private:
  // The address book of the chosen telephone or Ethernet link.
  template <typename Action>
  auto withSubscriberList(Action action) {
    if (linkKind() == kPhoneLink) return action(store_.settings.phone.subscribers);
    return action(store_.settings.ethernet.subscribers);
  }
  std::uint8_t linkKind() const { return store_.settings.general.linkKind; }
  int subscriberCount();
  void saveSubscriberList();

  void linkKindChosen(int index);
  void applyLinkKind();
  void fillSubscribers();
  void subscriberChosen(int index);
  void showChosenSubscriber();
  void addNewSubscriber();
  void listClicked();
  void parametersClicked();
  void connectClicked();
  void setAddress(int address);
  void setActionsEnabled(bool enabled);

  kpsbox& engine_;
  LinkSettingsStore& store_;
  Frontend& frontend_;
  StatusBarVisibility& statusBars_;
  QComboBox* linkKind_ = nullptr;
  QComboBox* address_ = nullptr;
  QWidget* subscriberRow_ = nullptr;
  QComboBox* subscriber_ = nullptr;
  QPushButton* connect_ = nullptr;
  QPushButton* parameters_ = nullptr;
};

}  // namespace zvc
