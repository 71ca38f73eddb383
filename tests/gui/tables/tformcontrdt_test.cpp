#include "gui/tables/tformcontrdt.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <array>

#include "gui/dialog_test_helpers.h"

using namespace zvc;

namespace {

// Last Sunday of March 03:00, last Sunday of October 04:00; synchronised with the computer.
constexpr std::array<std::uint8_t, 12> kTable6 = {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1};

QString shown(const QDialog& dialog, const char* column, int row) {
  return dialog.findChild<QLabel*>(QString("%1%2").arg(column).arg(row))->text();
}

bool red(const QDialog& dialog, int row) {
  return dialog.findChild<QLabel*>(QString("controller%1").arg(row))->styleSheet().contains("red");
}

}  // namespace

class TFormContrDtTest : public QObject {
  Q_OBJECT

 private slots:
  void bothClocksRunAndDifferencesAreRed() {
    // The controller 5 s behind, read at 02:59:55 of the summer-time night.
    const DateTime6 readAt{21, 3, 28, 2, 59, 55};
    const ClockReading reading{{21, 3, 28, 2, 59, 50, 1, kWinterTime},
                               dayCountFromDateTime(readAt)};
    DateTime6 now = readAt;
    TFormContrDt dialog(reading, kTable6, true, nullptr, [&now] { return now; });
    QCOMPARE(dialog.windowTitle(), QString("Текущие дата и время"));
    QCOMPARE(shown(dialog, "controller", 0), QString("28.03.21"));
    QCOMPARE(shown(dialog, "controller", 1), QString("02:59:50"));
    QCOMPARE(shown(dialog, "computer", 1), QString("02:59:55"));
    QCOMPARE(shown(dialog, "controller", 2), QString("Воскресенье"));
    QCOMPARE(shown(dialog, "computer", 3), QString("Зимнее"));
    QVERIFY(!red(dialog, 0));
    QVERIFY(red(dialog, 1));
    QVERIFY(!red(dialog, 3));

    now = {21, 3, 28, 3, 0, 0};
    QTest::qWait(700);
    QCOMPARE(shown(dialog, "controller", 1), QString("02:59:55"));
    QCOMPARE(shown(dialog, "computer", 3), QString("Летнее"));
    QVERIFY(red(dialog, 3));

    auto* correct = dialog.findChild<QPushButton*>("correct");
    QVERIFY(correct->isEnabled());
    correct->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void forbiddenSynchronisationClosesTheCorrection() {
    const ClockReading reading{{21, 3, 28, 2, 59, 50, 1, kWinterTime}, 0};
    TFormContrDt dialog(reading, kTable6, false);
    const auto* label = dialog.findChild<QLabel*>("syncForbidden");
    QVERIFY(label);
    QCOMPARE(label->text(), QString("Синхронизация времени контроллера с временем ЭВМ запрещена"));
    QVERIFY(!dialog.findChild<QPushButton*>("correct")->isEnabled());
    test::click(dialog, "Выход");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
  }
};

QTEST_MAIN(TFormContrDtTest)
#include "tformcontrdt_test.moc"
