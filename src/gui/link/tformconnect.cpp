#include "gui/link/tformconnect.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/link/connect_dialog_logic.h"
#include "core/link/link_status.h"
#include "core/ui/status_bar_visibility.h"
#include "gui/link/tformabonent.h"
#include "gui/link/tformabonents_list.h"
#include "gui/link/tformconn_par.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {
constexpr int kAddressDigits = 3;
}  // namespace

TFormConnect::TFormConnect(kpsbox& engine, LinkSettingsStore& store, Frontend& frontend,
                           StatusBarVisibility& statusBars, QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      store_(store),
      frontend_(frontend),
      statusBars_(statusBars) {
  setWindowTitle("Установка связи с устройством");

  linkKind_ = new QComboBox(this);
  linkKind_->setObjectName("linkKind");
  linkKind_->addItems({"Непосредственная связь", "Связь по телефону", "Ethernet-интерфейс"});

  address_ = new QComboBox(this);
  address_->setObjectName("address");
  address_->setEditable(true);
  address_->setInsertPolicy(QComboBox::NoInsert);
  for (int n = kAddressRange.min; n <= kAddressRange.max; ++n)
    address_->addItem(QString::number(n));
  address_->lineEdit()->setMaxLength(kAddressDigits);
  FieldKeyFilter::digitsOnly(address_);

  subscriberRow_ = new QWidget(this);
  subscriber_ = new QComboBox(subscriberRow_);
  subscriber_->setObjectName("subscriber");
  subscriber_->setMinimumWidth(260);
  auto* list = new QPushButton("Список абонентов", subscriberRow_);
  list->setObjectName("subscriberList");
  auto* subscriberLayout = new QHBoxLayout(subscriberRow_);
  subscriberLayout->setContentsMargins(0, 0, 0, 0);
  subscriberLayout->addWidget(new QLabel("Абонент", subscriberRow_));
  subscriberLayout->addWidget(subscriber_, 1);
  subscriberLayout->addWidget(list);

  auto* form = new QFormLayout;
  form->addRow("Тип связи", linkKind_);
  form->addRow("Адрес устройства", address_);

  connect_ = new QPushButton("Связаться", this);
  parameters_ = new QPushButton("Изменить параметры связи", this);
  auto* exit = new QPushButton("Выход", this);
  connect_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(connect_);
  buttons->addWidget(parameters_);
  buttons->addStretch();
  buttons->addWidget(exit);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(subscriberRow_);
  layout->addLayout(buttons);

  {
    const QSignalBlocker quiet(linkKind_);
    linkKind_->setCurrentIndex(linkKind());
  }
  connect(linkKind_, &QComboBox::currentIndexChanged, this, &TFormConnect::linkKindChosen);
  connect(subscriber_, &QComboBox::currentIndexChanged, this, &TFormConnect::subscriberChosen);
  connect(list, &QPushButton::clicked, this, &TFormConnect::listClicked);
  connect(connect_, &QPushButton::clicked, this, &TFormConnect::connectClicked);
  connect(parameters_, &QPushButton::clicked, this, &TFormConnect::parametersClicked);
  connect(exit, &QPushButton::clicked, this, &QDialog::reject);
  applyLinkKind();
}

int TFormConnect::subscriberCount() {
  return withSubscriberList([](const auto& list) { return static_cast<int>(list.count); });
}

void TFormConnect::saveSubscriberList() {
  if (linkKind() == kPhoneLink) {
    store_.savePhoneList();
  } else {
    store_.saveEthernetList();
  }
}

void TFormConnect::linkKindChosen(int index) {
  if (index < 0) return;
  store_.settings.general.linkKind = static_cast<std::uint8_t>(index);
  applyLinkKind();
}

void TFormConnect::applyLinkKind() {
  const bool direct = linkKind() == kDirectLink;
  statusBars_.setSubscriberBarsVisible(!direct);
  subscriberRow_->setVisible(!direct);
  address_->setEnabled(direct);
  if (direct) {
    setAddress(store_.settings.direct.address);
    refreshLinkStatus(store_.settings, frontend_);
    setActionsEnabled(true);
    return;
  }
  fillSubscribers();
  if (subscriberCount() > 0) {
    showChosenSubscriber();
  } else {
    refreshLinkStatus(store_.settings, frontend_);
    setActionsEnabled(false);
  }
}

// The names, then "Новый абонент" while there is room; the stored selection chosen.
void TFormConnect::fillSubscribers() {
  const QSignalBlocker quiet(subscriber_);
  subscriber_->clear();
  withSubscriberList([this](const auto& list) {
    for (int i = 0; i < list.count; ++i) {
      subscriber_->addItem(QString::fromStdString(list.entries[i].name));
    }
    if (canAddSubscriber(list)) subscriber_->addItem("Новый абонент");
    subscriber_->setCurrentIndex(list.count > 0 ? list.selected : -1);
  });
}

void TFormConnect::subscriberChosen(int index) {
  if (index < 0) {
    setActionsEnabled(false);
  } else if (index < subscriberCount()) {
    withSubscriberList([index](auto& list) { list.selected = static_cast<std::uint8_t>(index); });
    showChosenSubscriber();
  } else {
    addNewSubscriber();
  }
}

void TFormConnect::showChosenSubscriber() {
  setAddress(
      withSubscriberList([](const auto& list) { return list.entries[list.selected].address; }));
  refreshLinkStatus(store_.settings, frontend_);
  setActionsEnabled(true);
}

void TFormConnect::addNewSubscriber() {
  const bool added = withSubscriberList([this](auto& list) {
    auto entry = list.entries[list.count];  // the slot after the last entry
    TFormAbonent dialog(entry, EntryMode::kNew, frontend_, this);
    if (dialog.exec() != QDialog::Accepted) return false;
    addSubscriber(list, entry);
    return true;
  });
  if (added) saveSubscriberList();
  // Cancelled: the previous selection comes back, none for an empty list.
  fillSubscribers();
  if (subscriberCount() > 0) showChosenSubscriber();
}

void TFormConnect::listClicked() {
  const bool changed = withSubscriberList([this](auto& list) {
    TFormAbonents_List dialog(list, frontend_, this);
    return dialog.exec() == QDialog::Accepted;
  });
  if (!changed) return;
  saveSubscriberList();
  fillSubscribers();
  if (subscriberCount() > 0) {
    showChosenSubscriber();
  } else {
    refreshLinkStatus(store_.settings, frontend_);
    setActionsEnabled(false);
  }
}

void TFormConnect::parametersClicked() {
  TFormConn_Par dialog(engine_, store_.settings, frontend_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  store_.save();
  refreshLinkStatus(store_.settings, frontend_);
  if (linkKind() == kDirectLink) setAddress(store_.settings.direct.address);
}

void TFormConnect::connectClicked() {
  const int chosen = subscriber_->currentIndex();
  ConnectChoice choice;
  if (linkKind_->currentIndex() >= 0) {
    choice.linkKind = static_cast<std::uint8_t>(linkKind_->currentIndex());
  }
  choice.addressText = address_->currentText().toStdString();
  choice.subscriberChosen = linkKind() != kDirectLink && chosen >= 0 && chosen < subscriberCount();
  if (connectChosenLink(engine_, store_, choice, frontend_)) accept();
}

void TFormConnect::setAddress(int address) {
  address_->setCurrentIndex(address_->findText(QString::number(address)));
}

void TFormConnect::setActionsEnabled(bool enabled) {
  connect_->setEnabled(enabled);
  parameters_->setEnabled(enabled);
}

}  // namespace zvc
