#include "gui/app/gui_frontend.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QtTest>

#include "core/ui/connection_state.h"
#include "gui/app/escape_hook.h"
#include "gui/app/tformques.h"
#include "gui/dialog_test_helpers.h"

using zvc::GuiFrontend;

namespace {

struct Shown {
  QString title;
  QStringList lines;
};

// Answers the next message dialog with the button of that caption after noting what it showed.
void answerWith(const QString& caption, Shown& shown) {
  zvc::test::whenModalOpens<zvc::TFormQues>([caption, &shown](zvc::TFormQues& dialog) {
    shown.title = dialog.windowTitle();
    shown.lines.clear();
    for (const char* name : {"line1", "line2", "line3"}) {
      shown.lines << dialog.findChild<QLabel*>(name)->text();
    }
    zvc::test::click(dialog, caption);
  });
}

}  // namespace

class GuiFrontendTest : public QObject {
  Q_OBJECT

 private slots:
  void questionIsTrueOnlyForYes() {
    GuiFrontend frontend;
    Shown shown;
    answerWith("Да", shown);
    QVERIFY(frontend.showMessage(3, "Вы действительно хотите", "удалить этот абонент?"));
    QCOMPARE(shown.title, QString());
    QCOMPARE(shown.lines, QStringList({"Вы действительно хотите", "удалить этот абонент?", ""}));

    answerWith("Нет", shown);
    QVERIFY(!frontend.showMessage(7, "Нет связи", ""));
    QCOMPARE(shown.lines, QStringList({"Нет связи", "", "Повторить попытку?"}));

    answerWith("OK", shown);
    QVERIFY(!frontend.showMessage(6, "Версия ПО подключенного контроллера 16", ""));
  }

  void kindsGiveCaptionsAndLines() {
    GuiFrontend frontend;
    Shown shown;
    answerWith("OK", shown);
    QVERIFY(!frontend.showMessage(2, "Адрес вне допустимого диапазона", "(1...255)"));
    QCOMPARE(shown.title, QString("Ошибка ввода параметров"));

    answerWith("OK", shown);
    QVERIFY(!frontend.showMessage(4, "а", "б"));
    QCOMPARE(shown.lines, QStringList({"а", "б", "(см. текущее состояние контроллера)"}));
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

  void progressWindowDisablesTheMainWindowMeanwhile() {
    QWidget mainWindow;
    mainWindow.show();
    GuiFrontend frontend(&mainWindow);
    frontend.progressBegin(1, 40);
    QVERIFY(frontend.progressWindow());
    QVERIFY(frontend.progressWindow()->isVisible());
    QVERIFY(frontend.progressWindow()->isEnabled());
    QVERIFY(!mainWindow.isEnabled());
    frontend.progressSet(25);
    QCOMPARE(frontend.progressWindow()->progressBar()->maximum(), 40);
    QCOMPARE(frontend.progressWindow()->progressBar()->value(), 25);
    frontend.progressEnd();
    QVERIFY(!frontend.progressWindow());
    QVERIFY(mainWindow.isEnabled());
  }

  void escapeBeforeAWaitDoesNotEndIt() {
    zvc::ConnectionState state;
    zvc::EscapeHook hook(state);
    qApp->installEventFilter(&hook);
    GuiFrontend frontend;
    frontend.setEscapeHook(&hook);
    QWidget window;
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    frontend.setBusy(true);
    QVERIFY(!frontend.takeEscape());
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(frontend.takeEscape());
    QVERIFY(!frontend.takeEscape());
    frontend.setBusy(false);
  }
};

QTEST_MAIN(GuiFrontendTest)
#include "gui_frontend_test.moc"
