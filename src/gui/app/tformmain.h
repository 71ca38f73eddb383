#pragma once

#include <QDateTime>
#include <QMainWindow>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/app/connection_step.h"
#include "core/app/menu_rules.h"
#include "core/app/program_settings.h"
#include "core/app/working_folder.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"
#include "core/ui/status_bar_visibility.h"
#include "gui/app/escape_hook.h"
#include "gui/app/gui_frontend.h"
#include "gui/app/main_window_context.h"

class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QTimer;
class QWidget;

namespace zvc {

class kpsbox;

// The program's only top-level window: the menus every operation starts from, the status bars of
// the link, the controller and the last outcome, the telephone panel while a modem call is up.
// It owns the engine, the configuration image and the settings for the whole run.
class TFormMain : public QMainWindow, public ConnectionHost, public StatusBarVisibility {
  Q_OBJECT

 public:
  // Start-up in that working folder; the connection step follows 100 ms after the window shows
  // its event loop (TimerStart).
  explicit TFormMain(WorkingFolder folder, QWidget* parent = nullptr);
  ~TFormMain() override;

  ConnectionState& connectionState() { return state_; }
  ConfigImage& image() { return image_; }
  TableService& tables() { return tables_; }
  ProgramSettings& settings() { return settings_; }
  GuiFrontend& frontend() { return frontend_; }

  // The menus after a connection step or a disconnect.
  void applyMenuRules() override;

  // The call duration as the telephone panel shows it: hours, minutes and seconds of the day.
  static QString callDurationText(qint64 elapsedSeconds);

 public slots:
  void NconnectClick();
  void NUserClick();
  void NaboutClick();
  void NexitClick();
  void NArhIndClick();
  void NArhPerClick();
  void NAlaPrnClick();
  void NAudPrnClick();
  // Chromatograph measurement, hourly and daily archives; the tag is the run.
  void NChrom_RdMeasClick();
  void NChrom_ViewMeasClick();
  void NChrom_RdHourClick();
  void NChrom_RdDayClick();
  void NChrom_ViewHourClick();
  void NChrom_ViewDayClick();
  void NChrom_RdClbClick();
  void NChrom_ViewClbClick();
  void NChrom_RdVerifClick();
  void NChrom_ViewVerifClick();
  // Moisture-meter measurement, hourly and daily archives.
  void NWmt_RdMeasClick();
  void NWmt_ViewMeasClick();
  void NWmt_ReadHourClick();
  void NWmt_ViewHourClick();
  void NWmt_ReadDayClick();
  void NWmt_ViewDayClick();
  // Passports.
  void NExcDayClick();
  void NExcMonClick();
  void NidentClick();
  void NContrNameClick();
  void NsysClick();
  void NSinhrClick();
  void NContrDtClick();
  void NChrom_Ser_NumClick();
  void NConVUClick();
  void NVrgConnClick();
  void NConKPSClick();
  void NConnWMTClick();
  void N_EthernetClick();
  void NParCnfClick();
  void NrdcnfClick();
  // Flow computers and gas parameters.
  void NCurrVichClick();
  void NInsensClick();
  void NLowAttentClick();
  void NUpAttentClick();
  void NLowLimitClick();
  void NUpperLimitClick();
  void NDistrClick();
  void NdistrparClick();
  void N_ConstClick();
  void NPassClick();
  void NChrom_MomDataClick();
  void NWmt_MomDataClick();
  void NSitClick();
  void BitBtn3Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void TimerStartTimer();
  void TimerMessageTimer();
  void TimerMoneyTimer();

 private:
  void FormCreate();
  void FormShow();
  void FormClose();

  void buildMenus();
  void buildFileMenu();
  void buildParametersMenu();
  void buildDataMenu();
  void buildChromatographMenu(QMenu* data);
  void buildMoistureMeterMenu(QMenu* data);
  void buildReportsMenu();
  void buildVersionMenu();
  void wireMenuHandlers();
  QMenu* addSubmenu(QMenu* parent, const char* caption,
                    std::optional<MenuGroup> group = std::nullopt);
  QAction* addItem(QMenu* menu, const char* caption, const char* handler, int tag = 0,
                   std::optional<MenuGroup> group = std::nullopt);
  void addRunItems(QMenu* menu, const char* handler);
  void group(QAction* item, std::optional<MenuGroup> group);
  void wire(const char* handler, void (TFormMain::*slot)());
  void wireGasParameterHandlers();
  void wireChromArchiveHandlers();
  void wireMoistureArchiveHandlers();
  // Runs an operation that may talk to the controller; a close asked for meanwhile waits for its
  // end, so the engine is never destroyed under a running exchange.
  template <typename Operation>
  void runOperation(Operation operation);

  // What the operation of a menu item works with.
  MainWindowContext context();
  // The Tag of the menu item that started the handler.
  int senderTag() const;

  void buildStatusBars();
  void buildTelephonePanel(QWidget* workArea);
  void applyStoredGeometry();

  // ConnectionHost
  bool runConnectDialog() override;
  std::optional<Credentials> askCredentials() override;
  void callEstablished() override;
  void disconnect() override;
  void hideMenus() override;
  // RestoreHost
  int showTableStates(TableStateBlock& block) override;
  std::optional<ConfigFileRecord> loadConfigRecord() override;
  ConfigEditOutcome editConfigRecord(ConfigFileRecord& record) override;
  void saveConfigRecord(const ConfigFileRecord& record) override;
  bool editUsersTable(std::span<std::uint8_t, kUsersBytes> users) override;
  // StatusBarVisibility
  void setSubscriberBarsVisible(bool visible) override;

  WorkingFolder folder_;
  ConnectionState state_;
  std::unique_ptr<kpsbox> engine_;
  ConfigImage image_;
  ProgramSettings settings_;
  GuiFrontend frontend_;
  TableService tables_;
  ConnectionStep connectionStep_;
  EscapeHook escapeHook_;

  bool telephoneConnected = false;
  int operationsRunning_ = 0;
  bool closePending_ = false;
  QDateTime callBeginTime;

  std::vector<std::pair<QAction*, MenuGroup>> groupedItems_;
  QStatusBar* StatusBar1 = nullptr;
  QStatusBar* StatusBar2 = nullptr;
  QStatusBar* StatusBar3 = nullptr;
  QLabel* panels_[4] = {};
  QWidget* PanelFon = nullptr;  // the telephone panel
  QLineEdit* EditMoney = nullptr;
  QTimer* TimerStart = nullptr;
  QTimer* TimerMessage = nullptr;
  QTimer* TimerMoney = nullptr;
};

}  // namespace zvc
