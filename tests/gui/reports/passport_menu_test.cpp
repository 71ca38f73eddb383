// The passport items of the main window against a running zvc-sim: the report date dialog with
// its object list, the reading and the progress window that writes the passport; the monthly
// template gate; and the dialog's own rules offscreen.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>
#include <filesystem>

#include "core/app/connection_step.h"
#include "core/app/program_settings.h"
#include "core/reports/passport_template.h"
#include "core/tables/table_catalogue.h"
#include "core/tables/table_service.h"
#include "gui/app/tformmain.h"
#include "gui/app/tformques.h"
#include "gui/dialog_test_helpers.h"
#include "gui/link/tformobject.h"
#include "gui/main_window_on_sim.h"
#include "gui/reports/tformexcrep_date.h"
#include "gui/reports/tformxls_report.h"
#include "sim_process.h"
#include "support/recording_frontend.h"

using zvc::TFormMain;
using zvc::test::click;
using zvc::test::itemOf;
using zvc::test::whenShown;

namespace {

QString line1Of(const QWidget& dialog) {
  return dialog.findChild<QLabel*>("line1")->text();
}

// Daily archive from 15.01.24 to 19.03.24.
zvc::ArchiveRange dailyRange() {
  return {{24, 1, 15, 0, 0, 0}, {24, 3, 19, 0, 0, 0}, {24, 1, 15, 9, 0, 0}};
}

}  // namespace

class PassportMenuTest : public QObject {
  Q_OBJECT

  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }
  std::filesystem::path folder() const { return on_->folder.path().toStdString(); }

 private slots:
  void init() {
    on_ = std::make_unique<zvc::test::SimMainWindow>();
    QVERIFY(window().connectionState().engine->tcpSocket >= 0);
    // Identification first: it tells the code page the run names travel in.
    QVERIFY(window().tables().readTableRange({0, 0, zvc::TableCatalogue::table(0).fieldCount}));
    QVERIFY(zvc::readWorkingTables(window().tables()));
    window().applyMenuRules();
    window().show();
  }
  void cleanup() { on_.reset(); }

  void dailyPassportForANewObject() {
    QString caption;
    QString written;
    bool progressShown = false;
    whenShown<zvc::TFormExcRep_Date>([&](zvc::TFormExcRep_Date& dialog) {
      caption = dialog.windowTitle();
      auto* objects = dialog.findChild<QComboBox*>("Object");
      QCOMPARE(objects->currentText(), QString());
      QCOMPARE(objects->itemText(objects->count() - 1), QString("Новый объект"));
      whenShown<zvc::TFormObject>([&](zvc::TFormObject& object) {
        object.findChild<QLineEdit*>("name")->setText("ГРС Південна");
        click(object, "Принять");
      });
      emit objects->activated(objects->count() - 1);
      QCOMPARE(objects->currentText(), QString("ГРС Південна"));
      whenShown<zvc::TFormXls_Report>([&](zvc::TFormXls_Report& report) {
        progressShown = report.windowTitle() == "Ожидайте...";
        whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
          written = line1Of(told);
          click(told, "OK");
        });
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NExcDayClick", 0)->trigger();
    QCOMPARE(caption, QString(" Параметры отчета за сутки"));
    QVERIFY(progressShown);
    QVERIFY2(written.startsWith("Данные сохранены в файле ГРС Південна_Нитка 1_day_"),
             qPrintable(written));
    const std::string name = written.mid(QString("Данные сохранены в файле ").size()).toStdString();
    QVERIFY(std::filesystem::exists(folder() / "REPORT" / name));
    QCOMPARE(window().settings().objects.count, 1);
    QVERIFY(window().isEnabled());
  }

  void monthlyPassportNeedsTheTemplateAndADateWithinTheArchive() {
    QString gate;
    whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
      gate = line1Of(told);
      click(told, "OK");
    });
    itemOf(window(), "NExcMonClick", 1)->trigger();
    QCOMPARE(gate, QString("В рабочем каталоге отсутствует файл mon_report_title_v5.xlsx"));

    QVERIFY(zvc::monthlyTemplateSheet().save(folder() / zvc::kMonthlyTemplateName));
    window().settings().objects = {};
    zvc::addObject(window().settings().objects, "ГРС Північна");
    QString refusal;
    bool dayShown = true;
    whenShown<zvc::TFormExcRep_Date>([&](zvc::TFormExcRep_Date& dialog) {
      dayShown = dialog.findChild<QSpinBox*>("Day")->isVisible();
      dialog.findChild<QSpinBox*>("Year")->setValue(2000);
      whenShown<zvc::TFormQues>([&](zvc::TFormQues& told) {
        refusal = line1Of(told);
        click(told, "OK");
        click(dialog, "Отменить");
      });
      click(dialog, "Принять");
    });
    itemOf(window(), "NExcMonClick", 1)->trigger();
    QVERIFY(!dayShown);
    QCOMPARE(refusal, QString("В архиве нет данных за указанную дату"));
    QVERIFY(std::filesystem::is_empty(folder() / "REPORT"));
  }
};

// The dialog alone: texts, the day kept within the month, the checks of "Принять".
class ReportDateDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void dayFollowsTheMonthAndTheChecksRefuse() {
    zvc::test::RecordingFrontend frontend;
    zvc::ObjectList objects;
    zvc::addObject(objects, "ГРС Південна");
    objects.selected = 0;
    zvc::TFormExcRep_Date dialog(zvc::PassportMode::kDaily, dailyRange(), 7, objects,
                                 "/nonexistent", frontend);
    QCOMPARE(dialog.findChild<QLabel*>("LabelOldest")->text(),
             QString("Дата самой старой записи в архиве суточных данных:  15.01.24"));
    QCOMPARE(dialog.findChild<QLabel*>("LabelNewest")->text(),
             QString("Дата последней записи в архиве:  19.03.24"));
    auto* month = dialog.findChild<QComboBox*>("Month");
    auto* day = dialog.findChild<QSpinBox*>("Day");
    QCOMPARE(month->currentText(), QString("Март"));
    QCOMPARE(day->value(), 19);
    day->setValue(31);
    month->setCurrentIndex(1);  // February of a leap year
    QCOMPARE(day->value(), 29);
    QCOMPARE(day->maximum(), 29);

    click(dialog, "Принять");  // 29.02.24 lies within the archive
    QVERIFY(frontend.messages.empty());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.object(), std::string("ГРС Південна"));
    QVERIFY((dialog.date() == zvc::DateHour4{24, 2, 29, 7}));

    month->setCurrentIndex(0);
    day->setValue(14);  // before the oldest record
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.size(), size_t(1));
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line2, std::string("(см. период имеющихся в архиве данных)"));

    dialog.findChild<QComboBox*>("Object")->setCurrentIndex(-1);
    day->setValue(15);
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Не введено наименование объекта"));
  }
};

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  ReportDateDialogTest dialog;
  PassportMenuTest menu;
  return QTest::qExec(&dialog, argc, argv) | QTest::qExec(&menu, argc, argv);
}

#include "passport_menu_test.moc"
