#include "gui/archives/tformchromerror.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "gui/dialog_test_helpers.h"

using zvc::StatusFlagsMode;
using zvc::TFormChromError;

namespace {

QStringList linesOf(const QWidget& dialog) {
  QStringList lines;
  for (int number = 0;; ++number) {
    auto* line = dialog.findChild<QLabel*>(QString("Line%1").arg(number));
    if (!line) return lines;
    lines << line->text();
  }
}

}  // namespace

class TFormChromErrorTest : public QObject {
  Q_OBJECT

 private slots:
  void measurementRecordWithoutChromatographLinkHasNoStateSection() {
    TFormChromError dialog(StatusFlagsMode::kMeasurementRecord, 0x22, 5, "");
    QCOMPARE(dialog.windowTitle(),
             QString("Признаки наличия нештатных ситуаций, связанных с работой хроматографа"));
    QCOMPARE(linesOf(dialog), (QStringList{"  Статус контроллера: 0x22", "Контроллер был выключен",
                                           "Не было связи с хроматографом"}));
  }

  void soundMeasurementRecordShowsTheChromatographState() {
    TFormChromError dialog(StatusFlagsMode::kMeasurementRecord, 0, 0, "Запись 12.03.24 10:00");
    QCOMPARE(dialog.windowTitle(), QString("Запись 12.03.24 10:00"));
    QCOMPARE(linesOf(dialog), (QStringList{"  Статус контроллера: 0x00", "Норма",
                                           "  Код состояния хроматографа: 0", "Норма"}));
  }

  void heightFollowsTheLinesAndTheWidthIsKept() {
    TFormChromError few(StatusFlagsMode::kHourlyOrDailyRecord, 0x02, 0, "");
    TFormChromError many(StatusFlagsMode::kHourlyOrDailyRecord, 0x7A, 0, "");
    QCOMPARE(linesOf(few).size(), 2);
    QCOMPARE(linesOf(many).size(), 6);
    few.show();
    many.show();
    QVERIFY(many.height() - few.height() >= 4 * 15);
    QVERIFY(few.width() >= 450);
    // No line is cut.
    for (QLabel* line : many.findChildren<QLabel*>()) {
      QVERIFY2(line->width() >= line->sizeHint().width(), qPrintable(line->text()));
    }
  }

  void theOnlyButtonCloses() {
    TFormChromError dialog(StatusFlagsMode::kMeasurementRecord, 0, 0, "");
    dialog.show();
    QCOMPARE(dialog.findChildren<QPushButton*>().size(), 1);
    zvc::test::click(dialog, "Выход");
    QVERIFY(!dialog.isVisible());
  }
};

QTEST_MAIN(TFormChromErrorTest)
#include "tformchromerror_test.moc"
