// The parameter items of the main window against a running zvc-sim: from the menu through the
// dialog to what the controller holds and what the window shows afterwards.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cstring>

#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_clock.h"
#include "gui/app/tformques.h"
#include "gui/dialog_test_helpers.h"
#include "gui/main_window_on_sim.h"
#include "gui/tables/parameter_lines_view.h"
#include "gui/tables/tformconst.h"
#include "gui/tables/tformcontrdt.h"
#include "gui/tables/tformcurrvich.h"
#include "gui/tables/tformconvu.h"
#include "gui/tables/tformsys.h"
#include "gui/tables/tformvrgconn.h"

using zvc::TFormMain;
using zvc::test::click;
using zvc::test::menuItem;
using zvc::test::whenShown;

namespace {

const QString kParameters = "Параметры";
const QString kLinks = "Параметры связи";

void answer(const char* button) {
  whenShown<zvc::TFormQues>([button](zvc::TFormQues& question) { click(question, button); });
}

}  // namespace

class ParameterMenusTest : public QObject {
  Q_OBJECT

  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }

 private slots:
  void init() {
    on_ = std::make_unique<zvc::test::SimMainWindow>();
    QVERIFY(window().connectionState().engine->tcpSocket >= 0);
    zvc::test::logInAsSimUser(*window().connectionState().engine);
    // Of the working tables only what these menus need: every exchange over TCP takes 0.5 s.
    QVERIFY(window().tables().readTableRange({0, 0, 18}));
    QVERIFY(window().tables().readTableRange({6, 0, 12}));
    window().applyMenuRules();
    window().show();
  }
  void cleanup() { on_.reset(); }

  void identificationShowsTheControllersTable0() {
    QString type;
    whenShown<zvc::ParameterLinesView>([&](zvc::ParameterLinesView& view) {
      QCOMPARE(view.windowTitle(), QString("Параметры идентификации контроллера"));
      type = view.findChild<QLabel*>("value0")->text();
      click(view, "Выход");
    });
    menuItem(window(), {kParameters, "Параметры идентификации"})->trigger();
    QCOMPARE(type, QString("73"));
  }

  void aNewAddressMovesTheEngineAndIsSaved() {
    whenShown<zvc::TFormConVU>([](zvc::TFormConVU& dialog) {
      QVERIFY2(!dialog.findChild<QComboBox*>("rate")->isEnabled(), "not a direct line");
      zvc::test::type(dialog.findChild<QComboBox*>("address")->lineEdit(), "9");
      click(dialog, "Записать в устройство");
    });
    menuItem(window(), {kParameters, kLinks, "С верхним уровнем"})->trigger();
    QCOMPARE(int(window().connectionState().engine->address), 9);
    QVERIFY(window().tables().readTableRange({3, 0, 4}));
    QCOMPARE(int(window().connectionState().engine->response[1]), 9);
    QFile saved(on_->folder.filePath("INI/zvc.ini"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("Adr=9"));
  }

  // More flow computers need their parameters first: refused or cancelled, nothing is written.
  void moreFlowComputersAreEnteredFirstOrNotWritten() {
    for (const char* choice : {"Нет", "Да"}) {
      whenShown<zvc::TFormVrgConn>([choice](zvc::TFormVrgConn& dialog) {
        dialog.findChild<QComboBox*>("count")->setCurrentIndex(3);  // 4 instead of 2
        answer(choice);
        if (QString(choice) == "Да") {
          whenShown<zvc::TFormCurrVich>([](zvc::TFormCurrVich& list) {
            QCOMPARE(list.findChild<QTableWidget*>("entries")->rowCount(), 4);
            click(list, "Отменить");
          });
        }
        click(dialog, "Записать в устройство");
      });
      menuItem(window(), {kParameters, kLinks, "С вычислителем расхода газа"})->trigger();
      QCOMPARE(int(window().image().field(9, 0)[0]), 2);  // the image keeps what was read
      QVERIFY(window().tables().readTableRange({9, 0, 6}));
      QCOMPARE(int(window().image().field(9, 0)[0]), 2);
    }
  }

  void theConstantsOfRun2AreReadAndWritten() {
    QVERIFY(window().tables().readTableRange({14, 0, 16}));
    QVERIFY(window().tables().readTableRange({1, 0, 20}));
    whenShown<zvc::TFormConst>([](zvc::TFormConst& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Константы параметров газа нитки 2"));
      dialog.findChild<QLineEdit*>("value0")->setText("1.25");
      dialog.findChild<QCheckBox*>("flag0")->setChecked(true);
      click(dialog, "Записать в устройство");
    });
    menuItem(window(), {kParameters, "Константы параметров газа", "Нитка 2"})->trigger();
    QVERIFY(window().tables().readTableRange({45, 0, 1}));
    QVERIFY(window().tables().readTableRange({46, 0, 1}));
    QCOMPARE(int(window().image().field(45, 0)[0]), 1);
    float constant = 0;
    std::memcpy(&constant, window().image().field(46, 0).data(), 4);
    QCOMPARE(constant, 1.25f);
  }

  void withoutAMoistureMeterItsMenusGo() {
    QAction* meterLink = menuItem(window(), {kParameters, kLinks, "С влагомером"});
    QVERIFY(meterLink->isVisible());
    whenShown<zvc::TFormSys>([](zvc::TFormSys& dialog) {
      dialog.findChild<QCheckBox*>("moistureMeter")->setChecked(false);
      click(dialog, "Записать в устройство");
    });
    menuItem(window(), {kParameters, "Системные параметры"})->trigger();
    QVERIFY(!meterLink->isVisible());
    QVERIFY(window().tables().readTableRange({6, 8, 1}));
    QCOMPARE(int(window().image().field(6, 8)[0]), 0);
  }

  void theClockIsCorrectedFromTheComputer() {
    whenShown<zvc::TFormContrDt>([](zvc::TFormContrDt& dialog) {
      QVERIFY(!dialog.findChild<QLabel*>("syncForbidden"));
      answer("Да");
      click(dialog, "Скорректировать в контроллере");
    });
    menuItem(window(), {"Данные", "Дата и время"})->trigger();
    QCOMPARE(window().findChild<QLabel*>("panel2")->text(),
             QString("Корректировка времени выполнена"));
  }
};

QTEST_MAIN(ParameterMenusTest)
#include "parameter_menus_test.moc"
