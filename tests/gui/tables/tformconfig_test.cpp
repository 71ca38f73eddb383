// The configuration editor: its caption, which buttons the instruments allow, the section dialogs
// opened in accept mode on the record, and what "Отменить" leaves.

#include "gui/tables/tformconfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <cstring>

#include "core/tables/config_record.h"
#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformconst.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformcurrvich.h"
#include "gui/tables/tformsys.h"
#include "gui/tables/tformusers.h"
#include "gui/tables/tformvich.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;

namespace {

using Record = ConfigFileRecord;

QPushButton* button(const QWidget& editor, const char* name) {
  return editor.findChild<QPushButton*>(name);
}

}  // namespace

class TFormConfigTest : public QObject {
  Q_OBJECT

  test::RecordingFrontend frontend;

 private slots:
  void init() { frontend = {}; }

  void defaultRecordEnablesFlowComputersButNotTheMoistureMeter() {
    Record record = defaultConfigRecord();
    TFormConfig editor(record, SectionMode::kAccept, frontend);
    QCOMPARE(editor.windowTitle(),
             QString("Параметры конфигурации контроллера \"Контроллер ЖВЦ_15\" "));
    QVERIFY(button(editor, "flowComputerLink")->isEnabled());
    QVERIFY(!button(editor, "moistureMeterLink")->isEnabled());
    QVERIFY(test::buttonOf(editor, "Принять"));
    QVERIFY(!test::buttonOf(editor, "Записать в устройство"));
  }

  void systemParametersDecideTheButtonsAgain() {
    Record record = defaultConfigRecord();
    TFormConfig editor(record, SectionMode::kWrite, frontend);
    QVERIFY(test::buttonOf(editor, "Записать в устройство"));
    test::whenModalOpens<TFormSys>([](TFormSys& dialog) {
      QVERIFY(test::buttonOf(dialog, "Принять"));  // accept mode inside the editor
      dialog.findChild<QCheckBox*>("moistureMeter")->setChecked(true);
      dialog.findChild<QCheckBox*>("flowComputers")->setChecked(false);
      click(dialog, "Принять");
    });
    button(editor, "system")->click();
    QCOMPARE(record.bytes[Record::kSystem + 8], std::uint8_t(1));
    QVERIFY(button(editor, "moistureMeterLink")->isEnabled());
    QVERIFY(!button(editor, "flowComputerLink")->isEnabled());
    QVERIFY(!button(editor, "flowComputers")->isEnabled());
    QVERIFY(!button(editor, "writeNeed")->isEnabled());
    QVERIFY(!button(editor, "writePeriod")->isEnabled());
    QVERIFY(button(editor, "limits0")->isEnabled());
    QVERIFY(editor.changed());
  }

  // The list works on the record's first N flow computers; accepted, N becomes its count.
  void anAddedFlowComputerRaisesTheRecordsCount() {
    Record record = defaultConfigRecord();
    const int count = record.bytes[Record::kFlowComputerLink];
    TFormConfig editor(record, SectionMode::kAccept, frontend);
    test::whenModalOpens<TFormCurrVich>([](TFormCurrVich& list) {
      test::whenModalOpens<TFormVich>([](TFormVich& single) {
        single.findChild<QComboBox*>("address")->setEditText("77");
        single.findChild<QComboBox*>("type")->setCurrentIndex(1);
        single.findChild<QComboBox*>("byteOrder")->setCurrentIndex(0);
        single.findChild<QCheckBox*>("pipeline0")->setChecked(false);
        click(single, "Принять");
      });
      click(list, "Добавить");
      click(list, "Принять");
    });
    button(editor, "flowComputers")->click();
    QCOMPARE(int(record.bytes[Record::kFlowComputerLink]), count + 1);
    QCOMPARE(int(record.flowComputer(count)[0]), 77);
  }

  void theConstantsOfRun2AreEditedInTheRecord() {
    Record record = defaultConfigRecord();
    TFormConfig editor(record, SectionMode::kAccept, frontend);
    test::whenModalOpens<TFormConst>([](TFormConst& dialog) {
      QCOMPARE(dialog.windowTitle(), QString("Константы параметров газа нитки 2"));
      dialog.findChild<QCheckBox*>("flag0")->setChecked(true);
      dialog.findChild<QLineEdit*>("value0")->setText("2");
      click(dialog, "Принять");
    });
    button(editor, "constants1")->click();
    const std::size_t run2 = Record::kConstantsNeed + Record::kRunStep;
    QCOMPARE(int(record.bytes[run2]), 1);
    float constant = 0;
    std::memcpy(&constant, &record.bytes[run2 + 20], 4);
    QCOMPARE(constant, 2.0f);
  }

  // The default record has no users: the first one entered is the manufacturer-engineer.
  void theUsersAreEditedInTheRecord() {
    Record record = defaultConfigRecord();
    TFormConfig editor(record, SectionMode::kAccept, frontend);
    test::whenModalOpens<TFormUsers>([](TFormUsers& dialog) {
      dialog.findChild<QLineEdit*>("name0")->setText("NAL");
      dialog.findChild<QComboBox*>("level0")->setCurrentIndex(1);
      click(dialog, "Принять");  // no code yet: refused, stays open
      QVERIFY(dialog.isVisible());
      dialog.reject();
    });
    button(editor, "users")->click();
    QCOMPARE(frontend.messages.at(0).line2, std::string("Не задан код идентификации пользователя"));
    QCOMPARE(int(record.bytes[Record::kUsers + 4]), 0);
    QVERIFY(!editor.changed());
  }

  void renamedControllerRenamesTheCaptionAndCancelPutsTheRecordBack() {
    Record record = defaultConfigRecord();
    const Record original = record;
    TFormConfig editor(record, SectionMode::kAccept, frontend);
    test::whenModalOpens<TFormContrName>([](TFormContrName& dialog) {
      const auto fields = dialog.findChildren<QLineEdit*>();
      QVERIFY(!fields.isEmpty());
      fields.front()->setText("Station 7");
      click(dialog, "Принять");
    });
    button(editor, "names")->click();
    QCOMPARE(editor.windowTitle(), QString("Параметры конфигурации контроллера \"Station 7\" "));
    QVERIFY(editor.changed());
    click(editor, "Отменить");
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QVERIFY(record == original);
  }
};

QTEST_MAIN(TFormConfigTest)
#include "tformconfig_test.moc"
