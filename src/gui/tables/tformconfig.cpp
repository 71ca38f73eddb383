#include "gui/tables/tformconfig.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/common/text_codec.h"
#include "core/tables/config_sections.h"
#include "core/tables/ethernet_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/identification_view.h"
#include "core/tables/moisture_meter_link_section.h"
#include "core/tables/names_section.h"
#include "core/tables/system_parameters.h"
#include "core/tables/upper_link_section.h"
#include "gui/tables/gas_parameters_menu.h"
#include "gui/tables/parameter_lines_view.h"
#include "gui/tables/tformconkps.h"
#include "gui/tables/tformconnwmt.h"
#include "gui/tables/tformconst.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformconvu.h"
#include "gui/tables/tformcurrvich.h"
#include "gui/tables/tformdistr.h"
#include "gui/tables/tformdistrpar.h"
#include "gui/tables/tformethernet.h"
#include "gui/tables/tformlimit.h"
#include "gui/tables/tformsinhr.h"
#include "gui/tables/tformsys.h"
#include "gui/tables/tformusers.h"
#include "gui/tables/tformvrgconn.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

constexpr SectionMode kAccept = SectionMode::kAccept;
// Table 14: the runs in use and the number of measured parameters.
constexpr std::size_t kRunsInUseField = 7;

// A section dialog in accept mode on a run of the record's bytes.
template <typename Dialog, std::size_t Size>
bool acceptSection(Record& record, std::size_t offset, Frontend& frontend, QWidget* parent) {
  Dialog dialog(record.at<Size>(offset), kAccept, frontend, parent);
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace

TFormConfig::TFormConfig(ConfigFileRecord& record, SectionMode mode, Frontend& frontend,
                         QWidget* parent)
    : QDialog(parent), record_(record), original_(record), frontend_(frontend) {
  setObjectName("FormConfig");
  auto* layout = new QVBoxLayout(this);
  addSection(layout, "Параметры идентификации", "identification", &TFormConfig::openIdentification);
  addSection(layout, "Наименования", "names", &TFormConfig::openNames);
  addSection(layout, "Системные параметры", "system", &TFormConfig::openSystem);
  addSection(layout, "Синхронизация времени", "timeSync", &TFormConfig::openTimeSync);
  addSection(layout, "Параметры связи с верхним уровнем", "upperLink", &TFormConfig::openUpperLink);
  flowComputerButtons_.push_back(addSection(layout, "Параметры связи с вычислителем расхода газа",
                                            "flowComputerLink",
                                            &TFormConfig::openFlowComputerLink));
  addSection(layout, "Параметры связи с хроматографом", "chromatographLink",
             &TFormConfig::openChromatographLink);
  moistureMeterButton_ = addSection(layout, "Параметры связи с влагомером", "moistureMeterLink",
                                    &TFormConfig::openMoistureMeterLink);
  addSection(layout, "Параметры связи по Ethernet", "ethernet", &TFormConfig::openEthernet);
  addGasParameterSections(layout);

  auto* confirm = new QPushButton(qtText(confirmCaption(mode)), this);
  confirm->setObjectName("confirm");
  auto* cancel = new QPushButton(qtText(kCancelCaption), this);
  cancel->setObjectName("cancel");
  connect(confirm, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &TFormConfig::reject);
  layout->addLayout(centredButtonRow({confirm, cancel}));

  rebuildCaption();
  applyInstrumentRules();
}

// The flow computers and the per-parameter tables, captioned as their main-menu items.
void TFormConfig::addGasParameterSections(QVBoxLayout* layout) {
  flowComputerButtons_.push_back(addSection(layout, "Параметры вычислителей", "flowComputers",
                                            &TFormConfig::openFlowComputers));
  const char* const limits[] = {
      "Зона нечувствительности изменений параметров газа",
      "Нижняя предупредительная уставка параметра газа",
      "Верхняя предупредительная уставка параметра газа",
      "Нижний предел значения параметра газа, допускаемого к записи в ВРГ",
      "Верхний предел значения параметра газа, допускаемого к записи в ВРГ"};
  for (int kind = 0; kind < kLimitKinds; ++kind) {
    const QByteArray name = QString("limits%1").arg(kind).toLatin1();
    addSection(layout, limits[kind], name.constData(), [this, kind] { openLimits(kind); });
  }
  flowComputerButtons_.push_back(addSection(layout,
                                            "Необходимость записи значений параметров газа в ВРГ",
                                            "writeNeed", &TFormConfig::openWriteNeed));
  flowComputerButtons_.push_back(
      addSection(layout, "Период записи средних за час значений параметров газа в ВРГ",
                 "writePeriod", &TFormConfig::openWritePeriod));
  addSection(layout, "Константы параметров газа. Нитка 1", "constants0",
             [this] { openConstants(0); });
  addSection(layout, "Константы параметров газа. Нитка 2", "constants1",
             [this] { openConstants(1); });
  addSection(layout, "Доступ пользователей к таблицам параметров", "users",
             &TFormConfig::openUsers);
}

QPushButton* TFormConfig::addSection(QVBoxLayout* layout, const char* caption, const char* name,
                                     void (TFormConfig::*open)()) {
  return addSection(layout, caption, name, [this, open] { (this->*open)(); });
}

QPushButton* TFormConfig::addSection(QVBoxLayout* layout, const char* caption, const char* name,
                                     Open open) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, open);
  layout->addWidget(button);
  return button;
}

void TFormConfig::reject() {
  record_ = original_;
  QDialog::reject();
}

void TFormConfig::rebuildCaption() {
  const std::string name = fieldToUtf8(&record_.bytes[Record::kNames], kNameBytes);
  setWindowTitle(QString::asprintf("Параметры конфигурации контроллера \"%s\" ", name.c_str()));
}

void TFormConfig::applyInstrumentRules() {
  const bool flowComputers = record_.bytes[Record::kSystem + kFlowComputersPresentField] != 0;
  for (QPushButton* button : flowComputerButtons_) button->setEnabled(flowComputers);
  moistureMeterButton_->setEnabled(record_.bytes[Record::kSystem + kMoistureMeterPresentField] !=
                                   0);
}

void TFormConfig::openIdentification() {
  const bool complete = record_.bytes[Record::kIdentifiedFlag] == 1;
  ParameterLinesView(
      kIdentificationCaption,
      identificationView(record_.at<kIdentificationBytes>(Record::kIdentification), complete), this)
      .exec();
}

void TFormConfig::openNames() {
  if (acceptSection<TFormContrName, kNameCount * kNameBytes>(record_, Record::kNames, frontend_,
                                                             this)) {
    rebuildCaption();
  }
}

void TFormConfig::openSystem() {
  if (acceptSection<TFormSys, kSystemParameterBytes>(record_, Record::kSystem, frontend_, this)) {
    applyInstrumentRules();
  }
}

void TFormConfig::openTimeSync() {
  TFormSinhr(recordTimeSync(record_), kAccept, frontend_, this).exec();
}

void TFormConfig::openUpperLink() {
  TFormConVU(record_.at<kUpperLinkBytes>(Record::kUpperLink), kAccept,
             upperLinkRateEditable(kAccept, false, 0), frontend_, this)
      .exec();
}

void TFormConfig::openFlowComputerLink() {
  acceptSection<TFormVrgConn, kFlowComputerLinkBytes>(record_, Record::kFlowComputerLink, frontend_,
                                                      this);
}

void TFormConfig::openChromatographLink() {
  TFormConKPS(recordChromatographLink(record_), recordChromatographContext(record_), kAccept,
              frontend_, this,
              [this](std::uint8_t& count, auto parameters, QWidget* parent) {
                return editParameterList(frontend_, count, parameters, parent);
              })
      .exec();
}

void TFormConfig::openMoistureMeterLink() {
  acceptSection<TFormConnWMT, kMoistureMeterLinkBytes>(record_, Record::kMoistureMeterLink,
                                                       frontend_, this);
}

void TFormConfig::openEthernet() {
  acceptSection<TFormEthernet, kEthernetBytes>(record_, Record::kEthernet, frontend_, this);
}

MeasuredParameters TFormConfig::measuredParameters() const {
  return recordMeasuredParameters(record_);
}

// The list holds the first N records; accepted, N becomes its count.
void TFormConfig::openFlowComputers() {
  std::uint8_t& count = record_.bytes[Record::kFlowComputerLink];
  FlowComputerList list(recordFlowComputers(record_));
  TFormCurrVich dialog(list, record_.bytes[Record::kChromatographLink + kRunsInUseField], kAccept,
                       frontend_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  for (int i = 0; i < list.count(); ++i) {
    std::ranges::copy(list.record(i), record_.flowComputer(i).begin());
  }
  count = static_cast<std::uint8_t>(list.count());
}

void TFormConfig::openWriteNeed() {
  TFormDistr(measuredParameters(), record_.at<kWriteNeedBytes>(Record::kWriteNeed), kAccept,
             frontend_, this)
      .exec();
}

void TFormConfig::openWritePeriod() {
  acceptSection<TFormDistrPar, kPeriodBytes>(record_, Record::kAveragingPeriod, frontend_, this);
}

void TFormConfig::openLimits(int kind) {
  TFormLimit(kind, measuredParameters(),
             record_.at<kLimitBytes>(Record::kLimits + Record::kLimitsStep * kind), kAccept,
             frontend_, this)
      .exec();
}

// Flags and constants of a run lie 20 bytes apart in the record as in the image.
void TFormConfig::openConstants(int run) {
  TFormConst(run, measuredParameters(),
             record_.at<kConstantBytes>(Record::kConstantsNeed + Record::kRunStep * run), kAccept,
             frontend_, this)
      .exec();
}

void TFormConfig::openUsers() {
  TFormUsers(record_.at<kUsersBytes>(Record::kUsers), kAccept, frontend_, this).exec();
}

}  // namespace zvc
