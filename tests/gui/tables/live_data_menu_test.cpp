// The live views and the change of one user from the main window against a running zvc-sim:
// zones and values of both runs, the moisture meter, the state view with its flow-computer and
// table-state buttons, and one slot of table 4 written.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>

#include "core/app/connection_step.h"
#include "core/link/kpsbox.h"
#include "core/tables/config_image.h"
#include "core/tables/users_table.h"
#include "gui/dialog_test_helpers.h"
#include "gui/main_window_on_sim.h"
#include "gui/tables/tformchrom_momdata.h"
#include "gui/tables/tformpass.h"
#include "gui/tables/tformsit.h"
#include "gui/tables/tformtableinfo.h"
#include "gui/tables/tformwmt_momdata.h"

using zvc::TFormMain;
using zvc::test::click;
using zvc::test::itemOf;
using zvc::test::whenShown;

namespace {

// Closes the view when a check failed, so a failure does not keep it polling.
struct ClosesOnExit {
  QDialog& view;
  ~ClosesOnExit() {
    if (QTest::currentTestFailed() && view.isVisible()) view.reject();
  }
};

// A view's checks run once its first poll has shown data. They run from a timer, never waiting:
// a check that waited inside a poll's exchange would hold that poll up.
template <typename View, typename Ready, typename Act>
void whenReady(View& view, Ready ready, Act act, QDeadlineTimer deadline = QDeadlineTimer(30000)) {
  QTimer::singleShot(100, &view, [&view, ready, act, deadline] {
    if (ready(view)) {
      const ClosesOnExit closes{view};
      act(view);
      return;
    }
    if (deadline.hasExpired()) {
      view.reject();
      QFAIL("the view showed no data");
    }
    whenReady(view, ready, act, deadline);
  });
}

bool hasText(const QWidget& view, const char* field) {
  return !view.findChild<QLineEdit*>(field)->text().isEmpty();
}

QTableWidgetItem* cell(const QWidget& view, int row, int column) {
  return view.findChild<QTableWidget*>("values")->item(row, column);
}

// "F=2 <16 credential bytes> 00 T F N ..." lines of the simulator's log as "T F N".
QStringList writesIn(const std::string& log) {
  std::ifstream file(log);
  QStringList writes;
  for (std::string line; std::getline(file, line);) {
    std::istringstream in(line);
    std::string function;
    in >> function;
    if (function != "F=2") continue;
    std::vector<int> payload;
    for (std::string hex; in >> hex;) payload.push_back(std::stoi(hex, nullptr, 16));
    if (payload.size() < 20) continue;
    writes << QString("%1 %2 %3").arg(payload[17]).arg(payload[18]).arg(payload[19]);
  }
  return writes;
}

}  // namespace

class LiveDataMenuTest : public QObject {
  Q_OBJECT

  QTemporaryDir logFolder;
  std::string log;
  std::unique_ptr<zvc::test::SimMainWindow> on_;

  TFormMain& window() { return *on_->window; }

 private slots:
  void init() {
    log = logFolder.filePath("sim.log").toStdString();
    // Run 1: parameter 0 in the lower warning zone, 1 in the upper alarm zone, 2 an unknown
    // code; run 2: parameter 14 in the upper warning zone.
    on_ = std::make_unique<zvc::test::SimMainWindow>(
        std::vector<std::string>{"--set", "32.0=010407", "--set", "39.14=02", "--log", log});
    QVERIFY(window().connectionState().engine->tcpSocket >= 0);
    zvc::test::logInAsSimUser(*window().connectionState().engine);
    QVERIFY(zvc::readWorkingTables(window().tables()));
    window().applyMenuRules();
    window().show();
  }
  void cleanup() { on_.reset(); }

  void momentaryDataShowValuesAndZonesOfBothRuns() {
    const char* const expectedZones[2][3] = {
        {" Нижняя предупредительная зона", " Верхняя аварийная зона", "?"},
        {" Норма", " Норма", " Норма"}};
    int checked = 0;
    for (int run = 0; run < 2; ++run) {
      whenShown<zvc::TFormChrom_MomData>([&](zvc::TFormChrom_MomData& shown) {
        whenReady(
            shown, [](auto& view) { return hasText(view, "pollTime"); },
            [&](auto& view) {
              for (int k = 0; k < 3; ++k) {
                QCOMPARE(cell(view, k, 2)->text(), QString(expectedZones[run][k]));
              }
              if (run == 0) {
                QCOMPARE(cell(view, 0, 2)->foreground().color(), QColor(0x72, 0x38, 0x38));
                QCOMPARE(cell(view, 1, 2)->foreground().color(), QColor(Qt::red));
                QCOMPARE(cell(view, 2, 2)->foreground().color(), QColor(0, 0x80, 0));
              } else {
                QCOMPARE(cell(view, 14, 2)->text(), QString(" Верхняя предупредительная зона"));
              }
              QVERIFY(!cell(view, 14, 1)->text().isEmpty());
              for (int k = 15; k < 20; ++k) {  // 15 measured parameters: rows 16..20 greyed
                QVERIFY(!(cell(view, k, 0)->flags() & Qt::ItemIsEnabled));
                QVERIFY(cell(view, k, 1)->text().isEmpty());
                QVERIFY(cell(view, k, 2)->text().isEmpty());
              }
              ++checked;
              click(view, "Выход");
            });
      });
      itemOf(window(), "NChrom_MomDataClick", run)->trigger();
    }
    QCOMPARE(checked, 2);
  }

  void theMoistureMeterShowsItsFiveValues() {
    bool checked = false;
    whenShown<zvc::TFormWmt_MomData>([&](zvc::TFormWmt_MomData& shown) {
      whenReady(
          shown, [](auto& view) { return hasText(view, "dataTime"); },
          [&](auto& view) {
            QCOMPARE(view.template findChild<QTableWidget*>("values")->rowCount(), 5);
            QCOMPARE(cell(view, 0, 1)->text(), QString("  -12.50"));
            checked = true;
            click(view, "Выход");
          });
    });
    itemOf(window(), "NWmt_MomDataClick")->trigger();
    QVERIFY(checked);
  }

  void theStateViewLeadsToTheFlowComputersAndTheTableStatesAndBack() {
    int stateViews = 0;
    int flowComputers = 0;
    const auto linkShown = [](auto& view) {
      return view.template findChild<QLabel*>("value7")->text().contains("Норма");
    };
    whenShown<zvc::TFormSit>([&](zvc::TFormSit& first) {
      ++stateViews;
      whenShown<zvc::TFormVichState>([&](zvc::TFormVichState& flow) {
        flowComputers = flow.findChild<QTableWidget*>("flowComputers")->rowCount();
        click(flow, "Выход");
        whenShown<zvc::TFormSit>([&](zvc::TFormSit& view) {
          whenShown<zvc::TFormTableInfo>([&](zvc::TFormTableInfo& states) {
            whenShown<zvc::TFormSit>([&](zvc::TFormSit& again) {
              ++stateViews;
              whenReady(again, linkShown, [](auto& view) { click(view, "Выход"); });
            });
            click(states, "Выход");
          });
          click(view, "Состояние таблиц параметров конфигурации");
        });
      });
      whenReady(first, linkShown,
                [](auto& view) { click(view, "Состояние обмена с вычислителями РГ"); });
    });
    itemOf(window(), "NSitClick")->trigger();
    QCOMPARE(flowComputers, 2);
    QCOMPARE(stateViews, 2);
  }

  void changingOneUserWritesItsSlotAlone() {
    whenShown<zvc::TFormPass>([](zvc::TFormPass& dialog) {
      dialog.findChild<QListWidget*>("users")->setCurrentRow(3);
      zvc::test::setField(dialog, "name", "OPR");
      dialog.findChild<QComboBox*>("level")->setCurrentIndex(4);
      zvc::test::type(dialog, "code", "42");
      zvc::test::type(dialog, "codeAgain", "42");
      click(dialog, "Записать в устройство");
    });
    itemOf(window(), "NPassClick")->trigger();
    QCOMPARE(writesIn(log), QStringList{"4 3 1"});
    zvc::ConfigImage& image = window().image();
    std::ranges::fill(image.table(4), 0);
    QVERIFY(window().tables().readTableRange({4, 0, 11}));
    const zvc::UserRecord user = zvc::userRecord(zvc::usersTable(window().tables()), 3);
    QCOMPARE(zvc::userName(user), std::string("OPR"));
    QCOMPARE(int(user.level), 4);
  }
};

QTEST_MAIN(LiveDataMenuTest)
#include "live_data_menu_test.moc"
