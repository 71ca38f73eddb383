#include "gui/app/tformques.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "gui/dialog_test_helpers.h"

using zvc::TFormQues;

namespace {

QString lineOf(const TFormQues& dialog, int n) {
  return dialog.findChild<QLabel*>(QString("line%1").arg(n))->text();
}

QList<QPushButton*> buttonsOf(const TFormQues& dialog) {
  return dialog.findChildren<QPushButton*>();
}

// Shows the dialog modally and presses the button of that caption.
bool answer(TFormQues& dialog, const QString& caption) {
  zvc::test::whenModalOpens<TFormQues>(
      [caption](TFormQues& shown) { zvc::test::click(shown, caption); });
  dialog.exec();
  return dialog.answer();
}

}  // namespace

class TFormQuesTest : public QObject {
  Q_OBJECT

 private slots:
  void kindsGiveCaptionThirdLineAndButtons_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("line3");
    QTest::addColumn<bool>("question");
    QTest::newRow("1") << 1 << "Ошибка"
                       << "" << false;
    QTest::newRow("2") << 2 << "Ошибка ввода параметров"
                       << "" << false;
    QTest::newRow("3") << 3 << ""
                       << "" << true;
    QTest::newRow("4") << 4 << ""
                       << "(см. текущее состояние контроллера)" << false;
    QTest::newRow("5") << 5 << "Результат обмена с устройством"
                       << "" << false;
    QTest::newRow("6") << 6 << ""
                       << "" << false;
    QTest::newRow("7") << 7 << ""
                       << "Повторить попытку?" << true;
  }
  void kindsGiveCaptionThirdLineAndButtons() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QString, line3);
    QFETCH(bool, question);
    TFormQues dialog(kind, "первая", "вторая");
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(lineOf(dialog, 1), QString("первая"));
    QCOMPARE(lineOf(dialog, 2), QString("вторая"));
    QCOMPARE(lineOf(dialog, 3), line3);
    QCOMPARE(buttonsOf(dialog).size(), question ? 2 : 1);
    QVERIFY(!dialog.answer());
  }

  void kind4HasOneCentredFocusedButtonAndAnswersFalse() {
    TFormQues dialog(4, "Таблица не записана", "Код ошибки = 3");
    QCOMPARE(dialog.height(), 175);
    QPushButton* close = buttonsOf(dialog).value(0);
    QCOMPARE(close->x(), (dialog.width() - close->width()) / 2);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), close);
    dialog.close();
    QVERIFY(!answer(dialog, "OK"));
  }

  void yesAnswersTrueAndTheNextDialogStartsFalse() {
    TFormQues question(3, "Вы действительно хотите", "удалить этот абонент?");
    QVERIFY(answer(question, "Да"));
    TFormQues refused(3, "Вы действительно хотите", "удалить этот абонент?");
    QVERIFY(!answer(refused, "Нет"));
    TFormQues later(6, "Код типа подключенного контроллера  12", "");
    QVERIFY(!answer(later, "OK"));
  }

  void escapeAnswersNo() {
    TFormQues dialog(7, "Устройство не отвечает", "");
    zvc::test::whenModalOpens<TFormQues>(
        [](TFormQues& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    dialog.exec();
    QVERIFY(!dialog.answer());
  }

  void heightFollowsTheLinesThatAreSet() {
    QCOMPARE(TFormQues(1, "одна строка", "").height(), 124);
    QCOMPARE(TFormQues(1, "одна", "две").height(), 150);
    QCOMPARE(TFormQues(7, "одна", "").height(), 175);
  }

  void widthFollowsTheLongestTextAndFitsBothButtons() {
    const QString longLine = "Программа обслуживает контроллеры ЖВЦ только с версией ПО 15";
    TFormQues wide(6, "Версия ПО подключенного контроллера 16", longLine);
    QCOMPARE(wide.width(), 10 * longLine.size() + 20);
    for (int n = 1; n <= 3; ++n) {
      const QLabel* label = wide.findChild<QLabel*>(QString("line%1").arg(n));
      QCOMPARE(label->width(), wide.width() - 14);
      QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->text()));
    }
    // The caption counts too.
    QCOMPARE(TFormQues(5, "Да", "").width(), 10 * 30 + 20);
    QCOMPARE(TFormQues(3, "Да?", "").width(), 2 * 68 + 60);
  }

  void answerButtonsShareTheWidthInThreeGaps() {
    TFormQues dialog(3, "Удалить объект из списка объектов?", "");
    const int gap = (dialog.width() - 2 * 68) / 3 - 3;
    QPushButton* no = zvc::test::buttonOf(dialog, "Нет");
    QPushButton* yes = zvc::test::buttonOf(dialog, "Да");
    QCOMPARE(no->x(), gap);
    QCOMPARE(yes->x(), no->x() + 68 + gap);
    QCOMPARE(no->width(), 68);
    QCOMPARE(yes->width(), 68);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QCOMPARE(QApplication::focusWidget(), yes);
  }

  void unknownKindStillShowsItsLines() {
    TFormQues dialog(0, "строка", "");
    QCOMPARE(lineOf(dialog, 1), QString("строка"));
    QCOMPARE(buttonsOf(dialog).size(), 1);
  }
};

QTEST_MAIN(TFormQuesTest)
#include "tformques_test.moc"
