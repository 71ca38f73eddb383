// The configuration editor: its caption, which buttons the instruments allow, the section dialogs
// opened in accept mode on the record, and what "Отменить" leaves.

#include "gui/tables/tformconfig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/tables/config_record.h"
#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformsys.h"
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
    QVERIFY(editor.changed());
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
