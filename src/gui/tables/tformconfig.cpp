#include "gui/tables/tformconfig.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "core/common/text_codec.h"
#include "core/tables/config_sections.h"
#include "core/tables/ethernet_section.h"
#include "core/tables/flow_computer_link_section.h"
#include "core/tables/identification_view.h"
#include "core/tables/moisture_meter_link_section.h"
#include "core/tables/names_section.h"
#include "core/tables/system_parameters.h"
#include "core/tables/upper_link_section.h"
#include "gui/tables/parameter_lines_view.h"
#include "gui/tables/tformconkps.h"
#include "gui/tables/tformconnwmt.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformconvu.h"
#include "gui/tables/tformethernet.h"
#include "gui/tables/tformsinhr.h"
#include "gui/tables/tformsys.h"
#include "gui/tables/tformvrgconn.h"
#include "gui/widgets/dialog_layout.h"
#include "gui/widgets/qt_text.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

constexpr SectionMode kAccept = SectionMode::kAccept;

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
              frontend_, this)
      .exec();
}

void TFormConfig::openMoistureMeterLink() {
  acceptSection<TFormConnWMT, kMoistureMeterLinkBytes>(record_, Record::kMoistureMeterLink,
                                                       frontend_, this);
}

void TFormConfig::openEthernet() {
  acceptSection<TFormEthernet, kEthernetBytes>(record_, Record::kEthernet, frontend_, this);
}

}  // namespace zvc
