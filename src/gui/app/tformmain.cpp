#include "gui/app/tformmain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <clocale>

#include "core/app/disconnect.h"
#include "core/archives/message_archive_reader.h"
#include "core/common/calendar.h"
#include "core/link/kpsbox.h"
#include "core/link/link_status.h"
#include "core/reports/passport_template.h"
#include "gui/app/tformabout.h"
#include "gui/app/tformuser.h"
#include "gui/archives/check_archive_menu.h"
#include "gui/archives/chrom_archive_menu.h"
#include "gui/archives/message_archive_menu.h"
#include "gui/archives/moisture_archive_menu.h"
#include "gui/link/tformconnect.h"
#include "gui/reports/passport_menu.h"
#include "gui/tables/config_files_menu.h"
#include "gui/tables/controller_parameters_menu.h"
#include "gui/tables/flow_computers_menu.h"
#include "gui/tables/gas_parameters_menu.h"
#include "gui/tables/link_tables_menu.h"
#include "gui/tables/live_data_menu.h"
#include "gui/tables/tformtableinfo.h"
#include "gui/tables/users_menu.h"
#include "gui/widgets/status_panel.h"

namespace zvc {
namespace {

// The controller model number the program serves.
constexpr int kServedModel = 15;

constexpr int kStartDelayMs = 100;
constexpr int kMessageShownMs = 3000;
constexpr int kCallTickMs = 1000;

// Status bar 1: link, controller, outcome, exchange. The outcome panel takes what the others
// leave.
constexpr int kPanelWidths[] = {175, 250, 0, 50};
constexpr int kOutcomePanel = 2;
constexpr int kSubscriberBarWidth = 400;

constexpr qint64 kSecondsPerDay = 24 * 60 * 60;

// Tag of the item that stands for the second pipeline run or the second archive.
constexpr int kSecondTag = 1;

const char* const kRunCaptions[] = {"Нитка 1", "Нитка 2"};

QLabel* newPanel(QStatusBar* bar, int width) {
  auto* panel = new StatusPanel(bar);
  if (width > 0) panel->setFixedWidth(width);
  bar->addWidget(panel, width > 0 ? 0 : 1);
  return panel;
}

QStatusBar* newStatusBar(const char* name, QWidget* parent) {
  auto* bar = new QStatusBar(parent);
  bar->setObjectName(name);
  bar->setSizeGripEnabled(false);
  return bar;
}

// Menu captions show "&" as a shortcut mark; a run name from the controller may hold one.
QString plainCaption(const std::string& utf8) {
  return QString::fromStdString(utf8).replace('&', "&&");
}

}  // namespace

QString TFormMain::callDurationText(qint64 elapsedSeconds) {
  const qint64 ofDay = elapsedSeconds % kSecondsPerDay;
  return QString::asprintf("%02d:%02d:%02d", int(ofDay / 3600), int(ofDay / 60 % 60),
                           int(ofDay % 60));
}

TFormMain::TFormMain(WorkingFolder folder, QWidget* parent)
    : QMainWindow(parent),
      folder_(std::move(folder)),
      engine_(std::make_unique<kpsbox>(0)),
      settings_(folder_),
      frontend_(this),
      tables_(state_, image_, settings_.link.settings, frontend_),
      connectionStep_(state_, tables_, settings_, *this, telephoneConnected),
      escapeHook_(state_) {
  // The window design's caption, replaced when the window is shown.
  setWindowTitle("Программа обслуживания контроллера  ЖВЦ_QRTVela");
  FormCreate();
}

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate() {
  // Numbers are parsed and printed with "." whatever the system's locale.
  QLocale::setDefault(QLocale::c());
  std::setlocale(LC_NUMERIC, "C");

  state_.engine = engine_.get();
  engine_->statusPanel = &frontend_;
  tables_.refreshLinkStatus = [this] { refreshLinkStatus(settings_.link.settings, frontend_); };

  folder_.createSubfolders();
  provideMonthlyTemplate(folder_.root(), QCoreApplication::applicationDirPath().toStdString());
  const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
  settings_.load({screen.width(), screen.height()}, dayCountFromDateTime(localNow()));

  buildMenus();
  buildStatusBars();
  frontend_.setEscapeHook(&escapeHook_);
  qApp->installEventFilter(&escapeHook_);

  hideMenus();
  telephoneConnected = false;
  PanelFon->hide();
  setSubscriberBarsVisible(false);
  applyStoredGeometry();

  TimerStart = new QTimer(this);
  TimerStart->setObjectName("TimerStart");
  TimerStart->setSingleShot(true);
  TimerStart->setInterval(kStartDelayMs);
  connect(TimerStart, &QTimer::timeout, this, &TFormMain::TimerStartTimer);
  TimerStart->start();
}

void TFormMain::applyStoredGeometry() {
  const GeneralSettings& general = settings_.link.settings.general;
  resize(general.formWidth, general.formHeight);
  move(general.formLeft, general.formTop);
}

void TFormMain::showEvent(QShowEvent* event) {
  FormShow();
  QMainWindow::showEvent(event);
}

void TFormMain::FormShow() {
  setWindowTitle(QString::asprintf("Программа обслуживания контроллера  ЖВЦ_%02d", kServedModel));
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (operationsRunning_ > 0) {
    closePending_ = true;
    event->ignore();
    return;
  }
  FormClose();
  QMainWindow::closeEvent(event);
}

void TFormMain::FormClose() {
  if (!engine_) return;  // already closed once
  frontend_.setBusy(true);
  TimerStart->stop();
  disconnect();
  state_.engine = nullptr;
  engine_.reset();
  settings_.save();
  folder_.deleteWorkFiles();
  frontend_.setBusy(false);
}

// --- menus ---

void TFormMain::buildMenus() {
  buildFileMenu();
  buildParametersMenu();
  buildDataMenu();
  buildReportsMenu();
  QAction* connectItem = menuBar()->addAction("Связь с другим устройством");
  connectItem->setProperty("handler", "NconnectClick");
  connectItem->setProperty("Tag", 0);
  buildVersionMenu();
  for (QAction* item : menuBar()->findChildren<QAction*>()) {
    if (!item->menu() && item->property("handler").isValid()) item->setEnabled(false);
  }
  wireMenuHandlers();
}

void TFormMain::wireMenuHandlers() {
  wire("NconnectClick", &TFormMain::NconnectClick);
  wire("NexitClick", &TFormMain::NexitClick);
  wire("NUserClick", &TFormMain::NUserClick);
  wire("NaboutClick", &TFormMain::NaboutClick);
  wire("NArhIndClick", &TFormMain::NArhIndClick);
  wire("NArhPerClick", &TFormMain::NArhPerClick);
  wire("NAlaPrnClick", &TFormMain::NAlaPrnClick);
  wire("NAudPrnClick", &TFormMain::NAudPrnClick);
  wire("NidentClick", &TFormMain::NidentClick);
  wire("NContrNameClick", &TFormMain::NContrNameClick);
  wire("NsysClick", &TFormMain::NsysClick);
  wire("NSinhrClick", &TFormMain::NSinhrClick);
  wire("NContrDtClick", &TFormMain::NContrDtClick);
  wire("NChrom_Ser_NumClick", &TFormMain::NChrom_Ser_NumClick);
  wire("NConVUClick", &TFormMain::NConVUClick);
  wire("NVrgConnClick", &TFormMain::NVrgConnClick);
  wire("NConKPSClick", &TFormMain::NConKPSClick);
  wire("NConnWMTClick", &TFormMain::NConnWMTClick);
  wire("N_EthernetClick", &TFormMain::N_EthernetClick);
  wire("NParCnfClick", &TFormMain::NParCnfClick);
  wire("NrdcnfClick", &TFormMain::NrdcnfClick);
  wireGasParameterHandlers();
  wireChromArchiveHandlers();
  wireMoistureArchiveHandlers();
}

void TFormMain::wireChromArchiveHandlers() {
  wire("NChrom_RdMeasClick", &TFormMain::NChrom_RdMeasClick);
  wire("NChrom_ViewMeasClick", &TFormMain::NChrom_ViewMeasClick);
  wire("NChrom_RdHourClick", &TFormMain::NChrom_RdHourClick);
  wire("NChrom_RdDayClick", &TFormMain::NChrom_RdDayClick);
  wire("NChrom_ViewHourClick", &TFormMain::NChrom_ViewHourClick);
  wire("NChrom_ViewDayClick", &TFormMain::NChrom_ViewDayClick);
  wire("NChrom_RdClbClick", &TFormMain::NChrom_RdClbClick);
  wire("NChrom_ViewClbClick", &TFormMain::NChrom_ViewClbClick);
  wire("NChrom_RdVerifClick", &TFormMain::NChrom_RdVerifClick);
  wire("NChrom_ViewVerifClick", &TFormMain::NChrom_ViewVerifClick);
  wire("NExcDayClick", &TFormMain::NExcDayClick);
  wire("NExcMonClick", &TFormMain::NExcMonClick);
}

void TFormMain::wireMoistureArchiveHandlers() {
  wire("NWmt_RdMeasClick", &TFormMain::NWmt_RdMeasClick);
  wire("NWmt_ViewMeasClick", &TFormMain::NWmt_ViewMeasClick);
  wire("NWmt_ReadHourClick", &TFormMain::NWmt_ReadHourClick);
  wire("NWmt_ViewHourClick", &TFormMain::NWmt_ViewHourClick);
  wire("NWmt_ReadDayClick", &TFormMain::NWmt_ReadDayClick);
  wire("NWmt_ViewDayClick", &TFormMain::NWmt_ViewDayClick);
}

void TFormMain::wireGasParameterHandlers() {
  wire("NCurrVichClick", &TFormMain::NCurrVichClick);
  wire("NInsensClick", &TFormMain::NInsensClick);
  wire("NLowAttentClick", &TFormMain::NLowAttentClick);
  wire("NUpAttentClick", &TFormMain::NUpAttentClick);
  wire("NLowLimitClick", &TFormMain::NLowLimitClick);
  wire("NUpperLimitClick", &TFormMain::NUpperLimitClick);
  wire("NDistrClick", &TFormMain::NDistrClick);
  wire("NdistrparClick", &TFormMain::NdistrparClick);
  wire("N_ConstClick", &TFormMain::N_ConstClick);
  wire("NPassClick", &TFormMain::NPassClick);
  wire("NChrom_MomDataClick", &TFormMain::NChrom_MomDataClick);
  wire("NWmt_MomDataClick", &TFormMain::NWmt_MomDataClick);
  wire("NSitClick", &TFormMain::NSitClick);
}

void TFormMain::wire(const char* handler, void (TFormMain::*slot)()) {
  for (QAction* item : menuBar()->findChildren<QAction*>()) {
    if (item->property("handler").toString() != handler) continue;
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, slot);
  }
}

QMenu* TFormMain::addSubmenu(QMenu* parent, const char* caption,
                             std::optional<MenuGroup> itemGroup) {
  QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
  group(menu->menuAction(), itemGroup);
  return menu;
}

QAction* TFormMain::addItem(QMenu* menu, const char* caption, const char* handler, int tag,
                            std::optional<MenuGroup> itemGroup) {
  QAction* item = menu->addAction(caption);
  item->setProperty("handler", handler);
  item->setProperty("Tag", tag);
  group(item, itemGroup);
  return item;
}

void TFormMain::group(QAction* item, std::optional<MenuGroup> itemGroup) {
  if (itemGroup) groupedItems_.emplace_back(item, *itemGroup);
}

// "Нитка 1" and "Нитка 2" of one handler, shown and named after the runs the chromatograph
// serves.
void TFormMain::addRunItems(QMenu* menu, const char* handler) {
  addItem(menu, kRunCaptions[0], handler, 0, MenuGroup::kRun1Items);
  addItem(menu, kRunCaptions[1], handler, kSecondTag, MenuGroup::kRun2Items);
}

void TFormMain::buildFileMenu() {
  QMenu* file = addSubmenu(nullptr, "Файл");
  QMenu* configFiles = addSubmenu(file, "Файлы  конфигурации          ");
  addItem(configFiles, "Создание нового файла конфигурации", "NParCnfClick");
  addItem(configFiles, "Просмотр/Корректировка файла конфигурации", "NParCnfClick", kSecondTag);
  addItem(file, "Сохранение параметров конфигурации в файле", "NrdcnfClick", 0,
          MenuGroup::kSaveConfiguration);
  addItem(file, "Выход", "NexitClick");
}

void TFormMain::buildParametersMenu() {
  QMenu* parameters = addSubmenu(nullptr, "Параметры", MenuGroup::kParameters);
  addItem(parameters, "Параметры идентификации", "NidentClick");
  addItem(parameters, "Наименования", "NContrNameClick");
  QMenu* link = addSubmenu(parameters, "Параметры связи");
  addItem(link, "С верхним уровнем", "NConVUClick");
  addItem(link, "С вычислителем расхода газа", "NVrgConnClick", 0, MenuGroup::kFlowComputerLink);
  addItem(link, "C хроматографом", "NConKPSClick");  // the "C" is Latin
  addItem(link, "С влагомером", "NConnWMTClick", 0, MenuGroup::kMoistureMeterLink);
  addItem(link, "Параметры связи по Ethernet", "N_EthernetClick");
  addItem(parameters, "Системные параметры", "NsysClick");
  addItem(parameters, "Синхронизация времени", "NSinhrClick");
  addItem(parameters, "Параметры вычислителей", "NCurrVichClick", 0,
          MenuGroup::kFlowComputerParameters);
  addItem(parameters, "Зона нечувствительности изменений параметров газа", "NInsensClick");
  addItem(parameters, "Нижняя предупредительная уставка параметра газа", "NLowAttentClick");
  addItem(parameters, "Верхняя предупредительная уставка параметра газа", "NUpAttentClick");
  addItem(parameters, "Нижний предел значения параметра газа, допускаемого к записи в ВРГ",
          "NLowLimitClick");
  addItem(parameters, "Верхний предел значения параметра газа, допускаемого к записи в ВРГ",
          "NUpperLimitClick");
  addItem(parameters, "Необходимость записи значений параметров газа в ВРГ", "NDistrClick", 0,
          MenuGroup::kFlowComputerDistribution);
  addItem(parameters, "Период записи средних за час значений параметров газа в ВРГ",
          "NdistrparClick", 0, MenuGroup::kFlowComputerWritePeriod);
  QMenu* constants = addSubmenu(parameters, "Константы параметров газа");
  addItem(constants, kRunCaptions[0], "N_ConstClick");
  addItem(constants, kRunCaptions[1], "N_ConstClick", kSecondTag);
  addItem(parameters, "Доступ пользователей к таблицам параметров", "NPassClick");
}

void TFormMain::buildDataMenu() {
  QMenu* data = addSubmenu(nullptr, "Данные");
  addItem(data, " Серийный номер хроматографа", "NChrom_Ser_NumClick", 0,
          MenuGroup::kChromatographSerialNumber);
  addItem(data, "Дата и время", "NContrDtClick", 0, MenuGroup::kControllerDateTime);

  QMenu* interventions = addSubmenu(data, "Сообщения о вмешательствах оператора    ");
  addItem(interventions, "Запрос по индексу", "NArhIndClick", kSecondTag,
          MenuGroup::kMessageArchiveRequests);
  addItem(interventions, "Запрос за период", "NArhPerClick", kSecondTag,
          MenuGroup::kMessageArchiveRequests);
  addItem(interventions, "Просмотр/Печать из файла", "NAudPrnClick");

  QMenu* diagnostics = addSubmenu(data, "Диагностические сообщения   ");
  addItem(diagnostics, "Запрос по индексу", "NArhIndClick", 0, MenuGroup::kMessageArchiveRequests);
  addItem(diagnostics, "Запрос за период", "NArhPerClick", 0, MenuGroup::kMessageArchiveRequests);
  addItem(diagnostics, "Просмотр/Печать из файла", "NAlaPrnClick");

  addItem(data, "Текущее состояние контроллера", "NSitClick", 0, MenuGroup::kControllerState);
  buildChromatographMenu(data);
  buildMoistureMeterMenu(data);
}

void TFormMain::buildChromatographMenu(QMenu* data) {
  QMenu* chromatograph = addSubmenu(data, "Данные  хроматографа");
  addRunItems(addSubmenu(chromatograph, "Мгновенные данные хроматографа, зоны параметров газа    ",
                         MenuGroup::kChromatographMomentary),
              "NChrom_MomDataClick");

  struct RunArchive {
    const char* caption;
    const char* readHandler;
    const char* viewHandler;
  };
  const RunArchive runArchives[] = {
      {"Измерительные данные", "NChrom_RdMeasClick", "NChrom_ViewMeasClick"},
      {"Часовые  данные", "NChrom_RdHourClick", "NChrom_ViewHourClick"},
      {"Суточные  данные", "NChrom_RdDayClick", "NChrom_ViewDayClick"},
  };
  for (const RunArchive& archive : runArchives) {
    QMenu* menu = addSubmenu(chromatograph, archive.caption);
    addRunItems(
        addSubmenu(menu, "Чтение архива контроллера    ", MenuGroup::kChromatographArchiveReads),
        archive.readHandler);
    addItem(menu, "Просмотр/Печать из файла", archive.viewHandler);
  }

  const RunArchive resultArchives[] = {
      {"Калибровочные данные      ", "NChrom_RdClbClick", "NChrom_ViewClbClick"},
      {"Данные поверки", "NChrom_RdVerifClick", "NChrom_ViewVerifClick"},
  };
  for (const RunArchive& archive : resultArchives) {
    QMenu* menu = addSubmenu(chromatograph, archive.caption);
    addItem(menu, "Чтение архива контроллера    ", archive.readHandler, 0,
            MenuGroup::kChromatographArchiveReads);
    addItem(menu, "Просмотр/Печать из файла", archive.viewHandler);
  }
}

void TFormMain::buildMoistureMeterMenu(QMenu* data) {
  QMenu* meter = addSubmenu(data, "Данные влагомера", MenuGroup::kMoistureMeterData);
  addItem(meter, "Мгновенные данные влагомера", "NWmt_MomDataClick", 0,
          MenuGroup::kMoistureMeterMomentary);
  struct MeterArchive {
    const char* caption;
    const char* readHandler;
    const char* viewHandler;
  };
  const MeterArchive archives[] = {
      {"Измерительные данные", "NWmt_RdMeasClick", "NWmt_ViewMeasClick"},
      {"Часовые  данные", "NWmt_ReadHourClick", "NWmt_ViewHourClick"},
      {"Суточные  данные", "NWmt_ReadDayClick", "NWmt_ViewDayClick"},
  };
  for (const MeterArchive& archive : archives) {
    QMenu* menu = addSubmenu(meter, archive.caption);
    addItem(menu, "Чтение архива контроллера", archive.readHandler, 0,
            MenuGroup::kMoistureMeterArchiveReads);
    addItem(menu, "Просмотр/Печать из файла", archive.viewHandler);
  }
}

void TFormMain::buildReportsMenu() {
  QMenu* reports = addSubmenu(nullptr, "Отчеты", MenuGroup::kReports);
  addRunItems(addSubmenu(reports, "Паспорт ЖВЦ показателей за сутки   "), "NExcDayClick");
  addRunItems(addSubmenu(reports, "Паспорт ЖВЦ показателей за месяц   "), "NExcMonClick");
}

void TFormMain::buildVersionMenu() {
  QMenu* version = addSubmenu(nullptr, "Версия");
  addItem(version, "Идентификация пользователя программы", "NUserClick");
  addItem(version, "О программе", "NaboutClick");
}

void TFormMain::hideMenus() {
  for (QAction* item : menuBar()->actions()) item->setVisible(false);
}

void TFormMain::applyMenuRules() {
  const MenuView view = menuView(state_.connected, image_);
  for (QAction* item : menuBar()->findChildren<QAction*>()) item->setVisible(true);
  for (const auto& [item, itemGroup] : groupedItems_) {
    if (!view.isShown(itemGroup)) item->setVisible(false);
    if (itemGroup == MenuGroup::kRun1Items && view.run1Caption) {
      item->setText(plainCaption(*view.run1Caption));
    }
    if (itemGroup == MenuGroup::kRun2Items && view.run2Caption) {
      item->setText(plainCaption(*view.run2Caption));
    }
  }
  if (view.emptyLinkPanels) {
    frontend_.setStatus(0, "");
    frontend_.setStatus(kControllerNamePanel, "");
  }
}

// --- status bars and the telephone panel ---

void TFormMain::buildStatusBars() {
  auto* central = new QWidget(this);
  auto* workArea = new QWidget(central);
  StatusBar3 = newStatusBar("StatusBar3", central);
  StatusBar2 = newStatusBar("StatusBar2", central);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(workArea, 1);
  layout->addWidget(StatusBar3);
  layout->addWidget(StatusBar2);
  setCentralWidget(central);
  buildTelephonePanel(workArea);

  StatusBar1 = newStatusBar("StatusBar1", this);
  StatusBar1->setSizeGripEnabled(true);
  setStatusBar(StatusBar1);
  for (int panel = 0; panel < 4; ++panel) {
    panels_[panel] = newPanel(StatusBar1, kPanelWidths[panel]);
    panels_[panel]->setObjectName(QString("panel%1").arg(panel));
    frontend_.setStatusLabel(panel, panels_[panel]);
  }
  QLabel* subscriber = newPanel(StatusBar2, kSubscriberBarWidth);
  subscriber->setObjectName("subscriberPanel");
  frontend_.setStatusLabel(kStatusBar2, subscriber);
  QLabel* dialling = newPanel(StatusBar3, kSubscriberBarWidth);
  dialling->setObjectName("diallingPanel");
  frontend_.setStatusLabel(kStatusBar3, dialling);

  TimerMessage = new QTimer(this);
  TimerMessage->setObjectName("TimerMessage");
  TimerMessage->setSingleShot(true);
  TimerMessage->setInterval(kMessageShownMs);
  connect(TimerMessage, &QTimer::timeout, this, &TFormMain::TimerMessageTimer);
  frontend_.setMessageTimer(TimerMessage);
}

void TFormMain::buildTelephonePanel(QWidget* workArea) {
  auto* frame = new QFrame(workArea);
  frame->setObjectName("PanelFon");
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  EditMoney = new QLineEdit(frame);
  EditMoney->setObjectName("EditMoney");
  EditMoney->setReadOnly(true);
  EditMoney->setAlignment(Qt::AlignCenter);
  EditMoney->setFixedWidth(EditMoney->fontMetrics().horizontalAdvance("000:00:00") + 16);
  auto* hangUp = new QPushButton("Отключить связь", frame);
  hangUp->setObjectName("BitBtn3");
  connect(hangUp, &QPushButton::clicked, this, &TFormMain::BitBtn3Click);
  auto* row = new QHBoxLayout(frame);
  row->addWidget(new QLabel("Продолжительность связи по телефону", frame));
  row->addWidget(EditMoney);
  row->addWidget(hangUp);
  PanelFon = frame;

  // At the bottom right, just above the status bars.
  auto* place = new QGridLayout(workArea);
  place->setContentsMargins(0, 0, 0, 0);
  place->addWidget(PanelFon, 0, 0, Qt::AlignRight | Qt::AlignBottom);

  TimerMoney = new QTimer(this);
  TimerMoney->setObjectName("TimerMoney");
  TimerMoney->setInterval(kCallTickMs);
  connect(TimerMoney, &QTimer::timeout, this, &TFormMain::TimerMoneyTimer);
}

void TFormMain::setSubscriberBarsVisible(bool visible) {
  StatusBar2->setVisible(visible);
  StatusBar3->setVisible(visible);
}

void TFormMain::TimerMessageTimer() {
  TimerMessage->stop();
  frontend_.setStatus(kOutcomePanel, "");
}

void TFormMain::TimerMoneyTimer() {
  EditMoney->setText(callDurationText(callBeginTime.secsTo(QDateTime::currentDateTime())));
}

// --- the connection ---

template <typename Operation>
void TFormMain::runOperation(Operation operation) {
  ++operationsRunning_;
  operation();
  --operationsRunning_;
  if (operationsRunning_ == 0 && closePending_) {
    closePending_ = false;
    close();
  }
}

void TFormMain::TimerStartTimer() {
  TimerStart->stop();
  runOperation([this] { connectionStep_.run(); });
}

bool TFormMain::runConnectDialog() {
  TFormConnect dialog(*engine_, settings_.link, frontend_, *this, this);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<Credentials> TFormMain::askCredentials() {
  TFormUser dialog(frontend_, this);
  dialog.exec();
  return dialog.credentials();
}

void TFormMain::callEstablished() {
  callBeginTime = QDateTime::currentDateTime();
  EditMoney->setText(callDurationText(0));
  TimerMoney->start();
  PanelFon->show();
  PanelFon->raise();
}

int TFormMain::showTableStates(TableStateBlock& block) {
  return TFormTableInfo(block, tables_, this).exec();
}

std::optional<ConfigFileRecord> TFormMain::loadConfigRecord() {
  return loadConfigFile(context());
}

ConfigEditOutcome TFormMain::editConfigRecord(ConfigFileRecord& record) {
  return zvc::editConfigRecord(context(), record, SectionMode::kWrite);
}

void TFormMain::saveConfigRecord(const ConfigFileRecord& record) {
  saveConfigFile(context(), record);
}

bool TFormMain::editUsersTable(std::span<std::uint8_t, kUsersBytes> users) {
  return confirmUsersTable(context(), users);
}

void TFormMain::disconnect() {
  disconnectLink(state_, telephoneConnected, frontend_);
  PanelFon->hide();
  TimerMoney->stop();
  setSubscriberBarsVisible(false);
  frontend_.setStatus(kControllerNamePanel, "");
}

// --- menu handlers ---

void TFormMain::NconnectClick() {
  TimerStart->start();
}

void TFormMain::NUserClick() {
  connectionStep_.IdentifyUser();
}

void TFormMain::NaboutClick() {
  TFormAbout(this).exec();
}

void TFormMain::NexitClick() {
  close();
}

void TFormMain::BitBtn3Click() {
  runOperation([this] {
    frontend_.setBusy(true);
    disconnect();
    frontend_.setBusy(false);
    applyMenuRules();
  });
}

// --- data: message archives ---

MainWindowContext TFormMain::context() {
  return {this,      state_,    tables_, image_,
          settings_, frontend_, folder_, [this] { applyMenuRules(); }};
}

int TFormMain::senderTag() const {
  const auto* item = qobject_cast<const QAction*>(sender());
  return item ? item->property("Tag").toInt() : -1;
}

void TFormMain::NArhIndClick() {
  const MessageArchive* archive = messageArchive(senderTag());
  if (archive == nullptr) return;
  runOperation([this, archive] { readMessageArchiveByIndex(context(), *archive); });
}

void TFormMain::NArhPerClick() {
  const MessageArchive* archive = messageArchive(senderTag());
  if (archive == nullptr) return;
  runOperation([this, archive] { readMessageArchiveByPeriod(context(), *archive); });
}

void TFormMain::NAlaPrnClick() {
  viewMessageFile(context(), MessageFileKind::kDiagnostic);
}

void TFormMain::NAudPrnClick() {
  viewMessageFile(context(), MessageFileKind::kIntervention);
}

// --- data: chromatograph archives ---

void TFormMain::NChrom_RdMeasClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { readChromMeasurements(context(), run); });
}

void TFormMain::NChrom_ViewMeasClick() {
  viewChromFile(context(), ChromArchive::kMeasurement);
}

void TFormMain::NChrom_RdHourClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { readChromHourDay(context(), false, run); });
}

void TFormMain::NChrom_RdDayClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { readChromHourDay(context(), true, run); });
}

void TFormMain::NChrom_ViewHourClick() {
  viewChromFile(context(), ChromArchive::kHourly);
}

void TFormMain::NChrom_ViewDayClick() {
  viewChromFile(context(), ChromArchive::kDaily);
}

// --- reports ---

void TFormMain::NExcDayClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { runPassport(context(), PassportMode::kDaily, run); });
}

void TFormMain::NExcMonClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { runPassport(context(), PassportMode::kMonthly, run); });
}

void TFormMain::NChrom_RdClbClick() {
  runOperation([this] { readCheckArchive(context(), CheckArchive::kCalibration); });
}

void TFormMain::NChrom_ViewClbClick() {
  viewCheckFile(context(), CheckArchive::kCalibration);
}

void TFormMain::NChrom_RdVerifClick() {
  runOperation([this] { readCheckArchive(context(), CheckArchive::kVerification); });
}

void TFormMain::NChrom_ViewVerifClick() {
  viewCheckFile(context(), CheckArchive::kVerification);
}

// --- data: moisture-meter archives ---

void TFormMain::NWmt_RdMeasClick() {
  runOperation([this] { readMoistureMeasurements(context()); });
}

void TFormMain::NWmt_ViewMeasClick() {
  viewMoistureFile(context(), MoistureArchive::kMeasurement);
}

void TFormMain::NWmt_ReadHourClick() {
  runOperation([this] { readMoistureHourDay(context(), false); });
}

void TFormMain::NWmt_ViewHourClick() {
  viewMoistureFile(context(), MoistureArchive::kHourly);
}

void TFormMain::NWmt_ReadDayClick() {
  runOperation([this] { readMoistureHourDay(context(), true); });
}

void TFormMain::NWmt_ViewDayClick() {
  viewMoistureFile(context(), MoistureArchive::kDaily);
}

// --- parameters ---

void TFormMain::NidentClick() {
  runOperation([this] { showIdentification(context()); });
}

void TFormMain::NContrNameClick() {
  runOperation([this] { editControllerNames(context()); });
}

void TFormMain::NsysClick() {
  runOperation([this] { editSystemParameters(context()); });
}

void TFormMain::NSinhrClick() {
  runOperation([this] { editTimeSync(context()); });
}

void TFormMain::NContrDtClick() {
  runOperation([this] { showDateAndTime(context()); });
}

void TFormMain::NChrom_Ser_NumClick() {
  runOperation([this] { showChromatographSerialNumber(context()); });
}

void TFormMain::NConVUClick() {
  runOperation([this] { editUpperLink(context()); });
}

void TFormMain::NVrgConnClick() {
  runOperation([this] { editFlowComputerLink(context()); });
}

void TFormMain::NConKPSClick() {
  runOperation([this] { editChromatographLink(context()); });
}

void TFormMain::NConnWMTClick() {
  runOperation([this] { editMoistureMeterLink(context()); });
}

void TFormMain::N_EthernetClick() {
  runOperation([this] { editEthernet(context()); });
}

// --- configuration files ---

void TFormMain::NParCnfClick() {
  const bool newFile = senderTag() == 0;
  runOperation([this, newFile] { editConfigurationFile(context(), newFile); });
}

void TFormMain::NrdcnfClick() {
  runOperation([this] { saveControllerConfiguration(context()); });
}

// --- flow computers and gas parameters ---

void TFormMain::NCurrVichClick() {
  runOperation([this] { editFlowComputers(context()); });
}

void TFormMain::NInsensClick() {
  runOperation([this] { editGasParameterLimits(context(), 0); });
}

void TFormMain::NLowAttentClick() {
  runOperation([this] { editGasParameterLimits(context(), 1); });
}

void TFormMain::NUpAttentClick() {
  runOperation([this] { editGasParameterLimits(context(), 2); });
}

void TFormMain::NLowLimitClick() {
  runOperation([this] { editGasParameterLimits(context(), 3); });
}

void TFormMain::NUpperLimitClick() {
  runOperation([this] { editGasParameterLimits(context(), 4); });
}

void TFormMain::NDistrClick() {
  runOperation([this] { editWriteNeed(context()); });
}

void TFormMain::NdistrparClick() {
  runOperation([this] { editWritePeriod(context()); });
}

void TFormMain::N_ConstClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { editConstants(context(), run); });
}

// --- users ---

void TFormMain::NPassClick() {
  runOperation([this] { changeControllerUser(context()); });
}

// --- live data ---

void TFormMain::NChrom_MomDataClick() {
  const int run = senderTag() == kSecondTag ? 1 : 0;
  runOperation([this, run] { showChromatographMomentaryData(context(), run); });
}

void TFormMain::NWmt_MomDataClick() {
  runOperation([this] { showMoistureMeterMomentaryData(context()); });
}

// After a reset of the controller's non-volatile data the link is established anew.
void TFormMain::NSitClick() {
  runOperation([this] {
    if (showControllerState(context())) TimerStart->start();
  });
}

}  // namespace zvc
