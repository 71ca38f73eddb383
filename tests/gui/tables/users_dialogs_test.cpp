// The users windows' wiring: the row button follows the level and stores what the password dialog
// accepted, a refused pair is emptied, and the change-one-user dialog shows and stores its slot.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <array>

#include "core/tables/users_table.h"
#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformpass.h"
#include "gui/tables/tformpassword.h"
#include "gui/tables/tformusers.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;
using test::type;
using test::whenShown;

namespace {

using TableBytes = std::array<std::uint8_t, kUserSlots * sizeof(UserRecord)>;

// Slot 1 the engineer "ENG" (code 1, password "1"), every other slot empty.
TableBytes tableWithEngineer() {
  TableBytes bytes;
  bytes.fill(' ');
  for (int slot = 0; slot < kUserSlots; ++slot) {
    bytes[slot * sizeof(UserRecord) + 4] = kNoAccess;
    bytes[slot * sizeof(UserRecord) + 5] = 0;
  }
  UserRecord engineer = userRecord(UsersTableBytes(bytes), 0);
  storeBlankPadded("ENG", engineer.name);
  engineer.level = kEngineerLevel;
  storeBlankPadded("1", engineer.password);
  storeBlankPadded("1", engineer.code);
  storeUserRecord(UsersTableBytes(bytes), 0, engineer);
  return bytes;
}

std::string text(const auto& field) {
  return std::string(field.begin(), field.end());
}

}  // namespace

class UsersDialogsTest : public QObject {
  Q_OBJECT

  test::RecordingFrontend frontend;

 private slots:
  void init() { frontend.messages.clear(); }

  void aRowGetsItsPasswordAndCodeThroughThePasswordDialog() {
    TableBytes table = tableWithEngineer();
    TFormUsers dialog(table, SectionMode::kAccept, frontend);
    auto* secrets = dialog.findChild<QPushButton*>("secrets1");
    QVERIFY(!secrets->isEnabled());
    dialog.findChild<QComboBox*>("level1")->setCurrentIndex(3);
    QVERIFY(secrets->isEnabled());
    whenShown<TFormPassword>([](TFormPassword& password) {
      type(password, "password", "ab");
      type(password, "passwordAgain", "ab");
      type(password, "code", "12");
      type(password, "codeAgain", "12");
      click(password, "Принять");
    });
    secrets->click();
    test::setField(dialog, "name1", "OPR");
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const UserRecord user = userRecord(UsersTableBytes(table), 1);
    QCOMPARE(userName(user), std::string("OPR"));
    QCOMPARE(int(user.level), 3);
    QCOMPARE(text(user.password), std::string("ab          "));
    QCOMPARE(text(user.code), std::string("12  "));
  }

  void aRefusedTableStaysUntouchedAndTheDialogOpen() {
    TableBytes table = tableWithEngineer();
    const TableBytes before = table;
    TFormUsers dialog(table, SectionMode::kWrite, frontend);
    dialog.findChild<QComboBox*>("level2")->setCurrentIndex(1);  // a second engineer
    dialog.show();
    click(dialog, "Записать в устройство");
    QVERIFY(dialog.isVisible());
    QCOMPARE(table, before);
    QCOMPARE(frontend.messages.size(), std::size_t{1});
    QCOMPARE(frontend.messages[0].line2, std::string("только один производитель-наладчик"));
  }

  void differentCodesEmptyTheCodePairOnly() {
    std::array<std::uint8_t, kUserPasswordSize> password{};
    std::array<std::uint8_t, kUserCodeSize> code{};
    password.fill(' ');
    code.fill(' ');
    TFormPassword dialog(password, code, frontend);
    dialog.show();
    type(dialog, "password", "ab");
    type(dialog, "passwordAgain", "ab");
    type(dialog, "code", "12");
    type(dialog, "codeAgain", "13");
    click(dialog, "Принять");
    QVERIFY(dialog.isVisible());
    QCOMPARE(frontend.messages.at(0).line1, std::string("Несовпадение введенных кодов"));
    QVERIFY(dialog.findChild<QLineEdit*>("code")->text().isEmpty());
    QVERIFY(dialog.findChild<QLineEdit*>("codeAgain")->text().isEmpty());
    QCOMPARE(dialog.findChild<QLineEdit*>("password")->text(), QString("ab"));
    QCOMPARE(text(code), std::string("    "));
  }

  void theChangeDialogShowsTheChosenSlotAndStoresIt() {
    TableBytes table = tableWithEngineer();
    TFormPass dialog(table, frontend);
    dialog.show();
    auto* users = dialog.findChild<QListWidget*>("users");
    QCOMPARE(users->item(0)->text(), QString("ENG"));
    QCOMPARE(users->item(5)->text(), QString("   --   "));
    QCOMPARE(dialog.findChild<QLineEdit*>("name")->text(), QString("ENG"));
    QCOMPARE(dialog.findChild<QComboBox*>("level")->currentIndex(), 1);

    users->setCurrentRow(5);
    QVERIFY(dialog.findChild<QLineEdit*>("name")->text().isEmpty());
    test::setField(dialog, "name", "ADM");
    dialog.findChild<QComboBox*>("level")->setCurrentIndex(2);
    type(dialog, "code", "77");
    type(dialog, "codeAgain", "77");
    click(dialog, "Записать в устройство");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.slot(), 5);
    const UserRecord user = userRecord(UsersTableBytes(table), 5);
    QCOMPARE(userName(user), std::string("ADM"));
    QCOMPARE(int(user.level), 2);
    QCOMPARE(text(user.password), std::string(12, ' '));
    QCOMPARE(text(user.code), std::string("77  "));
  }
};

QTEST_MAIN(UsersDialogsTest)
#include "users_dialogs_test.moc"
