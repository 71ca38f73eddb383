#include "gui/gui_frontend.h"

#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include "dialog_test_helpers.h"

using zvc::GuiFrontend;

namespace {

// Answers the next message box with the button of that caption (its default button when none is
// given), after noting what it showed.
void answerWith(const QString& caption, QString& title, QString& text) {
  zvc::test::whenModalOpens<QMessageBox>([caption, &title, &text](QMessageBox& box) {
    title = box.windowTitle();
    text = box.text();
    if (caption.isEmpty()) {
      QCOMPARE(box.buttons().size(), 1);
      box.defaultButton()->click();
    } else {
      zvc::test::click(box, caption);
    }
  });
}

}  // namespace

class GuiFrontendTest : public QObject {
  Q_OBJECT

 private slots:
  void questionIsTrueOnlyForYes() {
    GuiFrontend frontend;
    QString title, text;
    answerWith("Да", title, text);
    QVERIFY(frontend.showMessage(3, "Вы действительно хотите", "удалить этот абонент?"));
    QCOMPARE(title, QString());
    QCOMPARE(text, QString("Вы действительно хотите\nудалить этот абонент?"));

    answerWith("Нет", title, text);
    QVERIFY(!frontend.showMessage(7, "Нет связи", ""));
    QCOMPARE(text, QString("Нет связи\nПовторить попытку?"));
  }

  void kindsGiveCaptionsAndLines() {
    GuiFrontend frontend;
    QString title, text;
    answerWith("", title, text);
    QVERIFY(!frontend.showMessage(2, "Адрес вне допустимого диапазона", "(1...255)"));
    QCOMPARE(title, QString("Ошибка ввода параметров"));

    answerWith("", title, text);
    QVERIFY(!frontend.showMessage(4, "а", "б"));
    QCOMPARE(text, QString("а\nб\n(см. текущее состояние контроллера)"));
  }

  void statusTextsGoToTheirLabels() {
    GuiFrontend frontend;
    QLabel panel2, bar2;
    frontend.setStatusLabel(2, &panel2);
    frontend.setStatusLabel(zvc::kStatusBar2, &bar2);
    frontend.setStatus(2, "Команда 1.  Устройство не отвечает");
    frontend.setStatus(zvc::kStatusBar2, " ГРС (IP-адр. 10.0.0.1)");
    frontend.setStatus(0, "no label: nothing happens");
    QCOMPARE(panel2.text(), QString("Команда 1.  Устройство не отвечает"));
    QCOMPARE(bar2.text(), QString(" ГРС (IP-адр. 10.0.0.1)"));
  }
};

QTEST_MAIN(GuiFrontendTest)
#include "gui_frontend_test.moc"
