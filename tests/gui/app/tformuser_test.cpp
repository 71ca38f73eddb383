#include "gui/app/tformuser.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "gui/dialog_test_helpers.h"
#include "support/recording_frontend.h"

using zvc::TFormUser;

class TFormUserTest : public QObject {
  Q_OBJECT

 private slots:
  void fieldsAreMaskedAndLimited() {
    zvc::test::RecordingFrontend frontend;
    TFormUser prompt(frontend);
    QCOMPARE(prompt.windowTitle(), QString("Идентификация пользователя программы"));
    auto* code = prompt.findChild<QLineEdit*>("userCode");
    auto* password = prompt.findChild<QLineEdit*>("writePassword");
    QCOMPARE(code->echoMode(), QLineEdit::Password);
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    zvc::test::type(code, "12a345");
    QCOMPARE(code->text(), QString("1234"));
    zvc::test::type(password, "abcdefghijklmnop");
    QCOMPARE(password->text(), QString("abcdefghijkl"));
  }

  void enterMovesOnToAccept() {
    zvc::test::RecordingFrontend frontend;
    TFormUser prompt(frontend);
    prompt.show();
    QVERIFY(QTest::qWaitForWindowActive(&prompt));
    auto* code = prompt.findChild<QLineEdit*>("userCode");
    QCOMPARE(QApplication::focusWidget(), code);
    QTest::keyClick(code, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), prompt.findChild<QLineEdit*>("writePassword"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), zvc::test::buttonOf(prompt, "Принять"));
    QVERIFY(prompt.isVisible());
    QVERIFY(frontend.messages.empty());
  }

  void emptyCodeIsRefusedAndThePromptStays() {
    zvc::test::RecordingFrontend frontend;
    TFormUser prompt(frontend);
    prompt.show();
    zvc::test::type(prompt, "writePassword", "secret");
    zvc::test::click(prompt, "Принять");
    QVERIFY(prompt.isVisible());
    QVERIFY(!prompt.credentials());
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(frontend.messages[0].line1, std::string("Не задан код идентификации пользователя"));
  }

  void acceptedCredentialsAreBlankPadded() {
    zvc::test::RecordingFrontend frontend;
    TFormUser prompt(frontend);
    zvc::test::type(prompt, "userCode", "7");
    zvc::test::click(prompt, "Принять");
    QVERIFY(prompt.credentials());
    const zvc::Credentials& taken = *prompt.credentials();
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(taken.userCode.data()), 4),
             QByteArray("7   "));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(taken.writePassword.data()), 12),
             QByteArray(12, ' '));
    QCOMPARE(prompt.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TFormUserTest)
#include "tformuser_test.moc"
