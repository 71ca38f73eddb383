#include "gui/link/tformabonent.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/ui/frontend.h"
#include "gui/widgets/choice_box.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/field_key_filter.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;
constexpr int kAddressDigits = 3;
constexpr int kTcpPortDigits = 5;

std::string fieldText(const QLineEdit* field) {
  return field->text().toStdString();
}

}  // namespace

TFormAbonent::TFormAbonent(Frontend& frontend, QWidget* parent)
    : QDialog(parent), frontend_(frontend) {
  auto* form = new QFormLayout(this);
  // Each field as wide as what it takes, not stretched across the dialog.
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  name_ = textField("name", kSubscriberNameChars);
  form->addRow("Наименование", name_);
  address_ = numberField("address", kAddressDigits);
  form->addRow("Адрес устройства", address_);
}

TFormAbonent::TFormAbonent(PhoneSubscriber& entry, EntryMode mode, Frontend& frontend,
                           QWidget* parent)
    : TFormAbonent(frontend, parent) {
  phone_ = &entry;
  setWindowTitle("Параметры абонента (связь по телефону)");
  phoneNumber_ = textField("phone", kPhoneNumberChars);
  static_cast<QFormLayout*>(layout())->addRow("№ телефона", phoneNumber_);
  if (mode == EntryMode::kChange) {
    name_->setText(qtText(entry.name));
    address_->setText(QString::number(entry.address));
    phoneNumber_->setText(qtText(entry.phone));
  }
  addButtons();
}

TFormAbonent::TFormAbonent(EthernetSubscriber& entry, EntryMode mode, Frontend& frontend,
                           QWidget* parent)
    : TFormAbonent(frontend, parent) {
  ethernet_ = &entry;
  setWindowTitle("Параметры абонента (Ethernet-интерфейс)");
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  for (std::size_t i = 0; i < ipParts_.size(); ++i) {
    ipParts_[i] =
        numberField(qPrintable(QString("ip%1").arg(i + 1)), static_cast<int>(kIpPartDigits));
    if (i > 0) row->addWidget(new QLabel(".", this));
    row->addWidget(ipParts_[i]);
  }
  port_ = numberField("port", kTcpPortDigits);
  row->addWidget(new QLabel(":", this));
  row->addWidget(port_);
  row->addStretch();
  static_cast<QFormLayout*>(layout())->addRow("IP-адрес:порт", row);
  if (mode == EntryMode::kChange) {
    name_->setText(qtText(entry.name));
    address_->setText(QString::number(entry.address));
    const std::array<int, 4> parts = ipParts(entry.ip);
    for (std::size_t i = 0; i < parts.size(); ++i) ipParts_[i]->setText(QString::number(parts[i]));
    port_->setText(QString::number(entry.port));
  }
  addButtons();
}

QLineEdit* TFormAbonent::textField(const char* objectName, std::size_t maxChars) {
  return zvc::textField(this, objectName, {}, static_cast<int>(maxChars));
}

QLineEdit* TFormAbonent::numberField(const char* objectName, int maxDigits) {
  auto* field = new QLineEdit(this);
  field->setObjectName(objectName);
  field->setMaxLength(maxDigits);
  fitFieldToText(field, QString(maxDigits, u'0'));
  FieldKeyFilter::digitsOnly(field);
  return field;
}

void TFormAbonent::addButtons() {
  auto* row = new QHBoxLayout;
  auto* accept = new QPushButton("Принять", this);
  auto* cancel = new QPushButton("Отменить", this);
  accept->setDefault(true);
  row->addStretch();
  row->addWidget(accept);
  row->addWidget(cancel);
  static_cast<QFormLayout*>(layout())->addRow(row);
  connect(accept, &QPushButton::clicked, this, &TFormAbonent::acceptClicked);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<InputError> TFormAbonent::acceptInput() {
  if (phone_) {
    return acceptPhoneSubscriber({fieldText(name_), fieldText(address_), fieldText(phoneNumber_)},
                                 *phone_);
  }
  EthernetSubscriberInput input{fieldText(name_), fieldText(address_), {}, fieldText(port_)};
  for (std::size_t i = 0; i < ipParts_.size(); ++i) input.ipParts[i] = fieldText(ipParts_[i]);
  return acceptEthernetSubscriber(input, *ethernet_);
}

void TFormAbonent::acceptClicked() {
  if (const std::optional<InputError> error = acceptInput()) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return;
  }
  accept();
}

}  // namespace zvc
