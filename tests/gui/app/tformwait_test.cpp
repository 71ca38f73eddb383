#include "gui/app/tformwait.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

using zvc::TFormWait;

class TFormWaitTest : public QObject {
  Q_OBJECT

 private slots:
  void modesGiveTheirLines_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QString>("line3");
    QTest::newRow("1") << 1 << "Выполняется чтение данных"
                       << "Esc - прервать чтение";
    QTest::newRow("2") << 2 << "Выполняется запись параметров"
                       << "конфигурации в контроллер";
    QTest::newRow("3") << 3 << "Выполняется чтение"
                       << "таблиц параметров конфигурации";
    QTest::newRow("4") << 4 << "Выполняется создание"
                       << "таблицы в формате Excel";
  }
  void modesGiveTheirLines() {
    QFETCH(int, mode);
    QFETCH(QString, line2);
    QFETCH(QString, line3);
    TFormWait window(mode);
    QCOMPARE(window.windowTitle(), QString("..."));
    QCOMPARE(window.findChild<QLabel*>("line1")->text(), QString("Ожидайте..."));
    QCOMPARE(window.findChild<QLabel*>("line2")->text(), line2);
    QCOMPARE(window.findChild<QLabel*>("line3")->text(), line3);
    QVERIFY(window.findChildren<QPushButton*>().isEmpty());
  }

  void barTakesMaximumAndPosition() {
    TFormWait window(1);
    window.setMaximum(120);
    window.setPosition(30);
    QCOMPARE(window.progressBar()->maximum(), 120);
    QCOMPARE(window.progressBar()->value(), 30);
  }

  void escapeDoesNotCloseIt() {
    TFormWait window(1);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
  }
};

QTEST_MAIN(TFormWaitTest)
#include "tformwait_test.moc"
