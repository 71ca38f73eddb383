#include "gui/link/tformconn_par.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>

#include "core/link/connect_dialog_logic.h"
#include "core/link/port_list.h"
#include "core/ui/frontend.h"
#include "gui/widgets/field_key_filter.h"

namespace zvc {
namespace {

constexpr int kInputErrorKind = 2;

const char* captionOf(std::uint8_t linkKind) {
  switch (linkKind) {
    case kPhoneLink:
      return "Параметры связи с устройством (связь по телефону)";
    case kEthernetLink:
      return "Параметры связи с устройством (Ethernet-интерфейс)";
    default:
      return "Параметры связи с устройством (непосредственная связь)";
  }
}

// A list of numbers shown as they are, the given one chosen (none when it is not in the list).
void fillChoices(QComboBox& box, const std::vector<std::pair<int, QString>>& items,
                 std::optional<int> chosen) {
  for (const auto& [value, text] : items) box.addItem(text, value);
  box.setCurrentIndex(chosen ? box.findData(*chosen) : -1);
}

// Absent ports are shown, so that an unplugged adapter is noticed, but cannot be chosen.
void fillPorts(QComboBox& box, const std::vector<SerialPortEntry>& ports,
               std::optional<int> chosen) {
  auto* model = qobject_cast<QStandardItemModel*>(box.model());
  for (const SerialPortEntry& entry : ports) {
    box.addItem(QString::fromStdString(serialPortText(entry)), entry.port);
    if (!entry.present) model->item(box.count() - 1)->setEnabled(false);
  }
  const int at = chosen ? box.findData(*chosen) : -1;
  box.setCurrentIndex(at >= 0 && model->item(at)->isEnabled() ? at : -1);
}

std::optional<int> choiceOf(const QComboBox* box) {
  if (!box || box->currentIndex() < 0) return std::nullopt;
  return box->currentData().toInt();
}

std::string textOf(const QLineEdit* field) {
  return field ? field->text().toStdString() : std::string();
}

}  // namespace

TFormConn_Par::TFormConn_Par(kpsbox& engine, LinkSettings& settings, Frontend& frontend,
                             QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      settings_(settings),
      working_(settings),
      frontend_(frontend),
      linkKind_(settings.general.linkKind) {
  setWindowTitle(captionOf(linkKind_));
  const LinkParamsInput shown = linkParamsInput(settings, linkKind_);
  auto* form = new QFormLayout(this);
  if (linkKind_ != kEthernetLink) addSerialFields(*form, shown);
  addTimingFields(*form, shown);
  if (linkKind_ == kDirectLink) addDirectFields(*form, shown);
  if (linkKind_ != kDirectLink) addConnectFields(*form, shown);

  accept_ = new QPushButton("Принять", this);
  cancel_ = new QPushButton("Отменить", this);
  accept_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  if (linkKind_ == kDirectLink) {
    search_ = new QPushButton("Поиск адреса устройства", this);
    buttons->addWidget(search_);
    connect(search_, &QPushButton::clicked, this, &TFormConn_Par::searchClicked);
  }
  buttons->addStretch();
  buttons->addWidget(accept_);
  buttons->addWidget(cancel_);
  form->addRow(buttons);
  connect(accept_, &QPushButton::clicked, this, &TFormConn_Par::acceptClicked);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TFormConn_Par::addSerialFields(QFormLayout& form, const LinkParamsInput& shown) {
  port_ = new QComboBox(this);
  port_->setObjectName("port");
  fillPorts(*port_, serialPortList(settings_.ports, {*shown.port}), shown.port);
  form.addRow("Порт подключения", port_);

  std::vector<std::pair<int, QString>> speeds;
  for (int speed : kBaudRates) speeds.emplace_back(speed, QString::number(speed));
  speed_ = new QComboBox(this);
  speed_->setObjectName("speed");
  fillChoices(*speed_, speeds, shown.speed);
  form.addRow("Скорость обмена", speed_);
}

void TFormConn_Par::addTimingFields(QFormLayout& form, const LinkParamsInput& shown) {
  std::vector<std::pair<int, QString>> tries;
  for (int n = kTriesRange.min; n <= kTriesRange.max; ++n)
    tries.emplace_back(n, QString::number(n));
  tries_ = new QComboBox(this);
  tries_->setObjectName("tries");
  fillChoices(*tries_, tries, shown.tries);
  form.addRow("Кол. попыток обмена", tries_);

  firstByteWait_ = numberField("firstByteWait", shown.firstByteWait);
  form.addRow("Время ожидания первого байта ответа, с", firstByteWait_);
  nextByteWait_ = numberField("nextByteWait", shown.nextByteWait);
  form.addRow("Время ожидания следующих байтов ответа, мс", nextByteWait_);
  preambles_ = numberField("preambles", shown.preambles);
  form.addRow("Количество преамбул в запросе", preambles_);
}

void TFormConn_Par::addDirectFields(QFormLayout& form, const LinkParamsInput& shown) {
  closePort_ = new QCheckBox("Освобождать порт после\nкаждого сеанса связи", this);
  closePort_->setObjectName("closePort");
  closePort_->setChecked(shown.closePortAfterEachCommand);
  form.addRow(closePort_);
  portReleaseWait_ = numberField("portReleaseWait", shown.portReleaseWait);
  portReleaseWait_->setEnabled(shown.closePortAfterEachCommand);
  form.addRow("Время ожидания освобождения СОМ порта, с", portReleaseWait_);
  connect(closePort_, &QCheckBox::toggled, this, &TFormConn_Par::closePortToggled);
}

void TFormConn_Par::addConnectFields(QFormLayout& form, const LinkParamsInput& shown) {
  if (linkKind_ == kPhoneLink) {
    modemCommand_ = new QLineEdit(QString::fromStdString(shown.modemCommand), this);
    modemCommand_->setObjectName("modemCommand");
    // The stored command keeps its terminating zero in the 200-byte field.
    modemCommand_->setMaxLength(static_cast<int>(kModemCommandChars));
    form.addRow("Команда модему", modemCommand_);
  }
  connectWait_ = numberField("connectWait", shown.connectWait);
  form.addRow("Ожидание соединения, с", connectWait_);
  connectAttempts_ = numberField("connectAttempts", shown.connectAttempts);
  form.addRow("Кол. попыток соединения", connectAttempts_);
  if (linkKind_ == kEthernetLink) {
    requestPause_ = numberField("requestPause", shown.requestPause);
    form.addRow("Пауза перед запросом по Ethernet, мс", requestPause_);
  }
}

QLineEdit* TFormConn_Par::numberField(const char* objectName, const std::string& value) {
  auto* field = new QLineEdit(QString::fromStdString(value), this);
  field->setObjectName(objectName);
  FieldKeyFilter::digitsOnly(field);
  return field;
}

LinkParamsInput TFormConn_Par::input() const {
  LinkParamsInput in;
  in.port = choiceOf(port_);
  in.speed = choiceOf(speed_);
  in.tries = choiceOf(tries_);
  in.preambles = textOf(preambles_);
  in.firstByteWait = textOf(firstByteWait_);
  in.nextByteWait = textOf(nextByteWait_);
  in.closePortAfterEachCommand = closePort_ && closePort_->isChecked();
  in.portReleaseWait = textOf(portReleaseWait_);
  in.modemCommand = textOf(modemCommand_);
  in.connectWait = textOf(connectWait_);
  in.connectAttempts = textOf(connectAttempts_);
  in.requestPause = textOf(requestPause_);
  return in;
}

bool TFormConn_Par::takeInput() {
  if (const std::optional<InputError> error = acceptLinkParams(linkKind_, input(), working_)) {
    frontend_.showMessage(kInputErrorKind, error->line1, error->line2);
    return false;
  }
  settings_ = working_;
  return true;
}

void TFormConn_Par::acceptClicked() {
  if (takeInput()) accept();
}

void TFormConn_Par::searchClicked() {
  if (!takeInput()) return;
  for (QPushButton* button : {search_, accept_, cancel_}) button->setEnabled(false);
  const bool found = searchDeviceAddress(engine_, settings_, frontend_);
  for (QPushButton* button : {search_, accept_, cancel_}) button->setEnabled(true);
  if (found) accept();
}

void TFormConn_Par::closePortToggled(bool checked) {
  settings_.general.closePortAfterEachCommand = checked;
  working_.general.closePortAfterEachCommand = checked;
  portReleaseWait_->setEnabled(checked);
}

}  // namespace zvc
