#include "gui/tables/tformtableinfo.h"

#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "core/link/kpsbox.h"
#include "core/link/link_settings.h"
#include "core/tables/config_image.h"
#include "core/tables/table_service.h"
#include "core/tables/table_state_dialog.h"
#include "core/ui/connection_state.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"

namespace {

constexpr int kPtyCom = 43;

// The dialog over a controller of the given software version on the given link.
struct Setup {
  Setup(int version, std::uint8_t linkType, std::initializer_list<int> destroyed) {
    image.field(0, 3)[0] = std::uint8_t(version);
    for (int table : destroyed) image.field(7, table)[0] = 1;
    block = zvc::tableStateBlock(image);
    engine.linkType = linkType;
    connection.engine = &engine;
    dialog = std::make_unique<zvc::TFormTableInfo>(block, service);
    dialog->show();
  }

  QPushButton* button(const QString& caption) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
      if (b->text() == caption) return b;
    }
    return nullptr;
  }
  QTableWidget* rows() { return dialog->findChild<QTableWidget*>(); }
  // The row of a table, found by its caption.
  int rowOf(int table) {
    const QString prefix = QString::asprintf(" Табл. %2d.", table);
    for (int row = 0; row < rows()->rowCount(); ++row) {
      if (rows()->item(row, 0)->text().startsWith(prefix)) return row;
    }
    return -1;
  }
  QTableWidgetItem* box(int table) { return rows()->item(rowOf(table), 2); }

  zvc::kpsbox engine{1};
  zvc::ConnectionState connection;
  zvc::ConfigImage image;
  zvc::LinkSettings settings;
  zvc::test::RecordingFrontend frontend;
  zvc::TableService service{connection, image, settings, frontend};
  zvc::TableStateBlock block;
  std::unique_ptr<zvc::TFormTableInfo> dialog;
};

}  // namespace

class TFormTableInfoTest : public QObject {
  Q_OBJECT

 private slots:
  void showsEveryConfigurationTableWithItsState() {
    Setup s(15, zvc::kpsbox::kDirectLine, {4, 5});
    QCOMPARE(s.dialog->windowTitle(), QString("Состояние таблиц параметров конфигурации"));
    QCOMPARE(s.rows()->rowCount(), 26);
    QCOMPARE(s.rows()->item(0, 0)->text(),
             QString(" Табл.  1.   Измеряемые параметры хроматографа"));
    const int users = s.rowOf(4);
    QCOMPARE(s.rows()->item(users, 1)->text(), QString("Да"));
    QCOMPARE(s.rows()->item(users, 1)->foreground().color(), QColor(Qt::red));
    QCOMPARE(s.box(4)->checkState(), Qt::Checked);
    QVERIFY(s.box(4)->flags() & Qt::ItemIsEnabled);
    QCOMPARE(s.rows()->item(s.rowOf(6), 1)->text(), QString("Нет"));
    QCOMPARE(s.box(6)->checkState(), Qt::Unchecked);
    // Version 15 cannot be rewritten from here; the reset stays possible.
    QVERIFY(!s.button("Записать все таблицы")->isEnabled());
    QVERIFY(!s.button("Записать избранные таблицы")->isEnabled());
    QVERIFY(s.button("Сбросить энергонезависимые данные")->isEnabled());
  }

  void intactUsersTableCannotBeTicked() {
    Setup s(14, zvc::kpsbox::kDirectLine, {5});
    QVERIFY(!(s.box(4)->flags() & Qt::ItemIsEnabled));
    QVERIFY(s.box(6)->flags() & Qt::ItemIsEnabled);
  }

  void nothingCanBeDoneOverAnotherLinkOnVersion14() {
    Setup s(14, zvc::kpsbox::kTcp, {4, 5});
    for (int table : {4, 5, 6}) {
      QCOMPARE(s.box(table)->checkState(), Qt::Unchecked);
      QVERIFY(!(s.box(table)->flags() & Qt::ItemIsEnabled));
    }
    QVERIFY(!s.button("Записать все таблицы")->isEnabled());
    QVERIFY(!s.button("Записать избранные таблицы")->isEnabled());
    QVERIFY(!s.button("Сбросить энергонезависимые данные")->isEnabled());
  }

  void writeSelectedNeedsATickedBoxAndKeepsTheRules() {
    Setup s(14, zvc::kpsbox::kDirectLine, {4});
    s.box(4)->setCheckState(Qt::Unchecked);
    s.button("Записать избранные таблицы")->click();
    QCOMPARE(s.frontend.messages.size(), size_t(1));
    QCOMPARE(s.frontend.messages[0].kind, 2);
    QCOMPARE(s.frontend.messages[0].line1, std::string("Не заданы таблицы для записи"));
    QVERIFY(s.dialog->isVisible());

    s.box(2)->setCheckState(Qt::Checked);
    s.box(6)->setCheckState(Qt::Checked);
    s.button("Записать избранные таблицы")->click();
    QVERIFY(!s.dialog->isVisible());
    QCOMPARE(s.dialog->result(), int(zvc::kWriteSelectedTables));
    QCOMPARE(int(s.block.writeRequest[6]), 1);
    QCOMPARE(int(s.block.writeRequest[2]), 0);  // the clock is intact
    QCOMPARE(int(s.block.writeRequest[4]), 1);  // destroyed users table, box or not
    QCOMPARE(int(s.block.writeRequest[9]), 0);
  }

  void writeAllFlagsEveryListedTable() {
    Setup s(14, zvc::kpsbox::kDirectLine, {2});
    s.button("Записать все таблицы")->click();
    QCOMPARE(s.dialog->result(), int(zvc::kWriteAllTables));
    QCOMPARE(int(s.block.writeRequest[2]), 1);
    QCOMPARE(int(s.block.writeRequest[4]), 0);
    QCOMPARE(int(s.block.writeRequest[46]), 1);
  }

  void exitLeavesTheFlags() {
    Setup s(14, zvc::kpsbox::kDirectLine, {5});
    s.button("Выход")->click();
    QCOMPARE(s.dialog->result(), int(zvc::kTableStateExit));
    QCOMPARE(int(s.block.writeRequest[5]), 0);
  }

  void resetAsksAndReportsAFailedCommand() {
    Setup s(15, zvc::kpsbox::kDirectLine, {});
    s.engine.comPort = kPtyCom;
    s.engine.comPortOverrides[kPtyCom] = "/nonexistent/zvc-port";
    s.engine.portOpenWaitSeconds = 0;
    QPushButton* reset = s.button("Сбросить энергонезависимые данные");
    reset->click();  // "Нет"
    QCOMPARE(s.frontend.messages.size(), size_t(1));
    QCOMPARE(s.frontend.messages[0].kind, 3);
    s.frontend.answers = {true};
    reset->click();
    QCOMPARE(s.frontend.messages.size(), size_t(3));
    QCOMPARE(s.frontend.messages[2].line1, std::string("Команда не может быть выполнена."));
    QCOMPARE(s.frontend.messages[2].line2,
             std::string("Команда 25.  Коммуникационный порт COM43 недоступен"));
    QVERIFY(s.dialog->isVisible());
    QVERIFY(reset->isEnabled());
  }

  void successfulResetClosesWithResult3() {
    Setup s(15, zvc::kpsbox::kDirectLine, {});
    zvc::test::PseudoTerminal pty;
    s.engine.address = 4;
    s.engine.comPort = kPtyCom;
    s.engine.comPortOverrides[kPtyCom] = pty.slavePath();
    s.engine.baudRate = 115200;
    s.engine.tries = 1;
    zvc::test::ScriptedController controller(pty.master(),
                                             {{zvc::test::responseFrame(4, 25 | 0x80, {0})}});
    s.frontend.answers = {true};
    QPushButton* reset = s.button("Сбросить энергонезависимые данные");
    reset->click();
    QCOMPARE(s.dialog->result(), int(zvc::kNonVolatileDataReset));
    QVERIFY(!reset->isEnabled());
    QCOMPARE(int(s.engine.address), 1);
    QCOMPARE(s.engine.baudRate, 9600);
    QCOMPARE(int(s.settings.direct.address), 1);
  }
};

QTEST_MAIN(TFormTableInfoTest)
#include "tformtableinfo_test.moc"
