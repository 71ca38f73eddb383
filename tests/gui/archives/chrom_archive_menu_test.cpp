// The chromatograph archive items of the main window against a running zvc-sim: from the menu
// through the period dialogs and the reading to the tables, and a saved file opened again.

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QtTest>
#include <filesystem>

#include "gui/app/tformmain.h"
#include "gui/app/tformques.h"
#include "gui/archives/tformarhivhdm_chr.h"
#include "gui/archives/tformarhmeas_chr.h"
#include "gui/archives/tformchromerror.h"
#include "gui/archives/tformperiod.h"
#include "gui/archives/tformshortdate.h"
#include "gui/dialog_test_helpers.h"
#include "gui/main_window_on_sim.h"
#include "gui/widgets/frozen_columns_view.h"
#include "sim_process.h"

using zvc::TFormMain;
using zvc::test::click;
using zvc::test::itemOf;
using zvc::test::whenShown;

class ChromArchiveMenuTest : public QObject {
  Q_OBJECT

  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }

 private slots:
  void init() {
    on_ = std::make_unique<zvc::test::SimMainWindow>();
    QVERIFY(zvc::test::showWithWorkingTables(window()));
  }
  void cleanup() { on_.reset(); }

  void measurementsOfTheLastHourAreShownWithTheirStatus() {
    int rows = 0;
    QString firstValue;
    QString statusTitle;
    whenShown<zvc::TFormPeriod>([&](zvc::TFormPeriod& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod0")->click();  // the last hour
      whenShown<zvc::TFormArhMeas_Chr>([&](zvc::TFormArhMeas_Chr& table) {
        rows = table.grid()->model()->rowCount();
        firstValue = table.grid()->model()->index(0, 2).data().toString();
        QVERIFY(table.windowTitle().startsWith("Измерительные данные хроматографа (сер. № "));
        whenShown<zvc::TFormChromError>([&](zvc::TFormChromError& status) {
          statusTitle = status.windowTitle();
          click(status, "Выход");
          click(table, "Выход");
        });
        click(table, "Признаки состояния");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NChrom_RdMeasClick", 0)->trigger();
    QVERIFY(rows >= 10);  // one every 4 minutes
    QVERIFY(!firstValue.trimmed().isEmpty());
    QVERIFY(statusTitle.startsWith(" Измерительные данные ("));
    QVERIFY(window().isEnabled());
  }

  void dailyRecordsAreReadSavedAndOpenedAgain() {
    const std::string saved = (on_->folder.path() + "/month").toStdString();
    int rows = 0;
    whenShown<zvc::TFormShortDate>([&](zvc::TFormShortDate& dialog) {
      dialog.findChild<QRadioButton*>("RadioPeriod0")->click();  // the last month
      whenShown<zvc::TFormArhivHDM_Chr>([&](zvc::TFormArhivHDM_Chr& table) {
        rows = table.grid()->model()->rowCount();
        QVERIFY(table.windowTitle().startsWith("Суточные данные хроматографа (сер. № "));
        table.askSaveFileName = [&](const std::filesystem::path&) {
          return std::optional<std::filesystem::path>(saved);
        };
        whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
          QCOMPARE(told.findChild<QLabel*>("line1")->text(),
                   QString("Данные сохранены в файле month.dch."));
          click(told, "OK");
          click(table, "Выход");
        });
        click(table, "Сохранить в файле");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NChrom_RdDayClick", 1)->trigger();
    QVERIFY(rows >= 28);
    QVERIFY(std::filesystem::exists(saved + ".dch"));

    int reopened = 0;
    whenShown<QFileDialog>([&](QFileDialog& open) {
      whenShown<zvc::TFormArhivHDM_Chr>([&](zvc::TFormArhivHDM_Chr& table) {
        reopened = table.grid()->model()->rowCount();
        click(table, "Выход");
      });
      open.findChild<QLineEdit*>("fileNameEdit")->setText(QString::fromStdString(saved + ".dch"));
      static_cast<QDialog&>(open).accept();
    });
    itemOf(window(), "NChrom_ViewDayClick")->trigger();
    QCOMPARE(reopened, rows);
  }
};

QTEST_MAIN(ChromArchiveMenuTest)
#include "chrom_archive_menu_test.moc"
