// The moisture-meter archive items of the main window against a running zvc-sim: from the menu
// through the period dialogs and the reading to the tables, a saved file opened again, and a
// file of the other device refused.

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <filesystem>

#include "gui/app/tformmain.h"
#include "gui/app/tformques.h"
#include "gui/archives/tformarhivhd_wmt.h"
#include "gui/archives/tformarhmeas_wmt.h"
#include "gui/archives/tformperiod.h"
#include "gui/archives/tformshortdate.h"
#include "gui/dialog_test_helpers.h"
#include "gui/main_window_on_sim.h"
#include "sim_process.h"

using zvc::TFormMain;
using zvc::test::click;
using zvc::test::itemOf;
using zvc::test::whenShown;

namespace {

// Chooses `path` in the open dialog of a "Просмотр/Печать из файла" item.
void chooseInOpenDialog(const std::string& path) {
  whenShown<QFileDialog>([path](QFileDialog& open) {
    open.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(path));
    static_cast<QDialog&>(open).accept();
  });
}

}  // namespace

class MoistureArchiveMenuTest : public QObject {
  Q_OBJECT

  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }

 private slots:
  void init() {
    on_ = std::make_unique<zvc::test::SimMainWindow>();
    QVERIFY(zvc::test::showWithWorkingTables(window()));
  }
  void cleanup() { on_.reset(); }

  void measurementsOfTheLastHourAreShown() {
    int rows = 0;
    QString title;
    QString firstValue;
    whenShown<zvc::TFormPeriod>([&](zvc::TFormPeriod& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod0")->click();  // the last hour
      whenShown<zvc::TFormArhMeas_Wmt>([&](zvc::TFormArhMeas_Wmt& table) {
        rows = table.grid()->model()->rowCount();
        title = table.windowTitle();
        firstValue = table.grid()->model()->index(0, 4).data().toString();
        click(table, "Выход");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NWmt_RdMeasClick")->trigger();
    QVERIFY(rows >= 10);  // one every 5 minutes
    QVERIFY(title.startsWith("Мгновенные данные влагомера за период  с  "));
    QVERIFY(!firstValue.trimmed().isEmpty());
    QVERIFY(window().isEnabled());
  }

  void dailyRecordsOfTheLastMonthAreShown() {
    int rows = 0;
    QString title;
    whenShown<zvc::TFormShortDate>([&](zvc::TFormShortDate& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod0")->click();  // the last month
      whenShown<zvc::TFormArhivHD_Wmt>([&](zvc::TFormArhivHD_Wmt& table) {
        rows = table.grid()->model()->rowCount();
        title = table.windowTitle();
        click(table, "Выход");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NWmt_ReadDayClick")->trigger();
    QVERIFY(rows >= 28);
    QVERIFY(title.startsWith("Суточные данные влагомера за период с "));
  }

  void hourlyRecordsAreSavedOpenedAgainAndRefusedAsChromatographData() {
    const std::string saved = (on_->folder.path() + "/day").toStdString();
    int rows = 0;
    whenShown<zvc::TFormShortDate>([&](zvc::TFormShortDate& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod0")->click();  // the last day
      whenShown<zvc::TFormArhivHD_Wmt>([&](zvc::TFormArhivHD_Wmt& table) {
        rows = table.grid()->model()->rowCount();
        QVERIFY(table.windowTitle().startsWith("Часовые данные влагомера за период с "));
        table.askSaveFileName = [&](const std::filesystem::path&) {
          return std::optional<std::filesystem::path>(saved);
        };
        whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
          QCOMPARE(told.findChild<QLabel*>("line1")->text(),
                   QString("Данные сохранены в файле day.hwm."));
          click(told, "OK");
          click(table, "Выход");
        });
        click(table, "Сохранить в файле");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NWmt_ReadHourClick")->trigger();
    QVERIFY(rows >= 23);
    QVERIFY(std::filesystem::exists(saved + ".hwm"));

    int reopened = 0;
    chooseInOpenDialog(saved + ".hwm");
    whenShown<zvc::TFormArhivHD_Wmt>([&](zvc::TFormArhivHD_Wmt& table) {
      reopened = table.grid()->model()->rowCount();
      click(table, "Выход");
    });
    itemOf(window(), "NWmt_ViewHourClick")->trigger();
    QCOMPARE(reopened, rows);

    QString refusal;
    chooseInOpenDialog(saved + ".hwm");
    whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
      refusal = told.findChild<QLabel*>("line2")->text();
      click(told, "OK");
    });
    itemOf(window(), "NChrom_ViewHourClick")->trigger();
    QCOMPARE(refusal, QString("часовые данные хроматографа QRT Vela из архива контроллера"));
  }
};

QTEST_MAIN(MoistureArchiveMenuTest)
#include "moisture_archive_menu_test.moc"
