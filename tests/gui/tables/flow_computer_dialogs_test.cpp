// The flow-computer list and the single flow-computer dialog: what they show, which choices
// they offer, and what the confirm buttons keep.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformcurrvich.h"
#include "gui/tables/tformvich.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;

namespace {

constexpr std::uint8_t kBothRuns = 3;
constexpr std::uint8_t kRun1Only = 1;

FlowComputerRecord flowComputer(std::uint8_t address, std::uint8_t type, std::uint8_t mask) {
  FlowComputerRecord record = newFlowComputer();
  record[0] = address;
  record[1] = type;
  record[2] = mask;
  std::fill(record.begin() + kPasswordOffset, record.end(), ' ');
  return record;
}

QString cell(const QWidget& dialog, int row, int column) {
  return dialog.findChild<QTableWidget*>("entries")->item(row, column)->text();
}

}  // namespace

class FlowComputerDialogsTest : public QObject {
  Q_OBJECT

  test::RecordingFrontend frontend;

 private slots:
  void init() { frontend = {}; }

  void theListShowsItsEntriesAndAllowsAtMostSixteen() {
    std::vector<FlowComputerRecord> records = {flowComputer(1, 0, 0x07), flowComputer(2, 1, 0x11),
                                               flowComputer(3, 7, 0xA3)};
    FlowComputerList list(records);
    TFormCurrVich dialog(list, kBothRuns, SectionMode::kWrite, frontend);
    QCOMPARE(dialog.windowTitle(), QString("Параметры вычислителей расхода газа"));
    QCOMPARE(cell(dialog, 0, 0), QString("   1"));
    QCOMPARE(cell(dialog, 1, 1), QString(" ФЛОУКОР, ПМ-3В"));
    QCOMPARE(cell(dialog, 2, 1), QString(" ?"));
    QCOMPARE(cell(dialog, 2, 3), QString("      0xA3"));
    QVERIFY(test::buttonOf(dialog, "Записать в устройство"));
    QVERIFY(test::buttonOf(dialog, "Добавить")->isEnabled());

    records.resize(16, flowComputer(9, 0, 0));
    FlowComputerList full(records);
    TFormCurrVich fullDialog(full, kBothRuns, SectionMode::kAccept, frontend);
    QVERIFY(!test::buttonOf(fullDialog, "Добавить")->isEnabled());
    QVERIFY(test::buttonOf(fullDialog, "Принять"));

    FlowComputerList single(std::vector<FlowComputerRecord>{flowComputer(1, 0, 0)});
    TFormCurrVich singleDialog(single, kBothRuns, SectionMode::kAccept, frontend);
    QVERIFY(!test::buttonOf(singleDialog, "Удалить")->isEnabled());
  }

  void anEmptyListStartsWithOneBlankEntryThatMustBeFilledIn() {
    FlowComputerList list(std::vector<FlowComputerRecord>{});
    TFormCurrVich dialog(list, kBothRuns, SectionMode::kWrite, frontend);
    QCOMPARE(dialog.findChild<QTableWidget*>("entries")->rowCount(), 1);
    click(dialog, "Записать в устройство");
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].line1, std::string("Вычислитель № 1"));
    QCOMPARE(frontend.messages[0].line2, std::string("Неверно заданы параметры"));
    QCOMPARE(dialog.result(), 0);
  }

  void aRepeatedAddressIsRefusedAndTheListKeptAsItWas() {
    FlowComputerList list(std::vector<FlowComputerRecord>{flowComputer(5, 0, 0),
                                                          flowComputer(5, 2, 0)});
    TFormCurrVich dialog(list, kBothRuns, SectionMode::kAccept, frontend);
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Повтор адреса 5"));
    QCOMPARE(frontend.messages.back().kind, 2);
    QCOMPARE(dialog.result(), 0);
  }

  void anAddedEntryIsEditedInTheSingleDialogAndItsPasswordWritten() {
    FlowComputerList list(std::vector<FlowComputerRecord>{flowComputer(1, 0, 0)});
    TFormCurrVich dialog(list, kBothRuns, SectionMode::kWrite, frontend);
    test::whenModalOpens<TFormVich>([](TFormVich& single) {
      QCOMPARE(single.windowTitle(), QString("Параметры вычислителя расхода газа № 2"));
      QTest::keyClicks(single.findChild<QComboBox*>("address")->lineEdit(), "17");
      single.findChild<QComboBox*>("type")->setCurrentIndex(2);
      single.findChild<QComboBox*>("byteOrder")->setCurrentIndex(1);
      single.findChild<QCheckBox*>("pipeline1")->setChecked(true);
      single.findChild<QRadioButton*>("pipeline1run1")->setChecked(true);
      single.findChild<QLineEdit*>("password")->setText("secret");
      click(single, "Принять");
    });
    click(dialog, "Добавить");
    QCOMPARE(cell(dialog, 1, 0), QString("   17"));
    QCOMPARE(cell(dialog, 1, 3), QString("      0x22"));
    click(dialog, "Записать в устройство");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(list.count(), 2);
    QVERIFY(list.passwordChanged(1));
    QVERIFY(!list.passwordChanged(0));
    QCOMPARE(char(list.record(1)[kPasswordOffset]), 's');
  }

  void removingAsksFirstAndMovesTheLaterEntriesUp() {
    FlowComputerList list(std::vector<FlowComputerRecord>{
        flowComputer(1, 0, 0), flowComputer(2, 0, 0), flowComputer(3, 0, 0), flowComputer(4, 0, 0)});
    TFormCurrVich dialog(list, kBothRuns, SectionMode::kWrite, frontend);
    auto* grid = dialog.findChild<QTableWidget*>("entries");
    grid->selectRow(1);
    click(dialog, "Удалить");  // answered "Нет"
    QCOMPARE(frontend.messages.back().line2, std::string("вычислитель адр. 2?"));
    QCOMPARE(grid->rowCount(), 4);
    frontend.answers = {true};
    click(dialog, "Удалить");
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(cell(dialog, 1, 0), QString("   3"));
    click(dialog, "Записать в устройство");
    QVERIFY(!list.passwordChanged(0));
    QVERIFY(list.passwordChanged(1));
    QVERIFY(list.passwordChanged(2));
  }

  void aTypeOneFlowComputerOffersOnePipelineAndOnlyTheRunsInUse() {
    FlowComputerRecord record = flowComputer(1, 1, 0x77);
    TFormVich dialog(record, 1, false, kRun1Only, frontend);
    QVERIFY(dialog.findChild<QCheckBox*>("pipeline0")->isEnabled());
    QVERIFY(dialog.findChild<QCheckBox*>("pipeline0")->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox*>("pipeline1")->isEnabled());
    QVERIFY(!dialog.findChild<QCheckBox*>("pipeline2")->isChecked());
    QVERIFY(dialog.findChild<QRadioButton*>("pipeline0run0")->isEnabled());
    QVERIFY(!dialog.findChild<QRadioButton*>("pipeline0run1")->isEnabled());

    dialog.findChild<QComboBox*>("type")->setCurrentIndex(0);  // three pipelines
    QVERIFY(dialog.findChild<QCheckBox*>("pipeline2")->isChecked());
    QVERIFY(!dialog.findChild<QRadioButton*>("pipeline2run1")->isEnabled());
    dialog.findChild<QCheckBox*>("pipeline1")->setChecked(false);
    QVERIFY(!dialog.findChild<QRadioButton*>("pipeline1run0")->isEnabled());
    QVERIFY(!dialog.findChild<QRadioButton*>("pipeline1run0")->isChecked());
    dialog.findChild<QRadioButton*>("pipeline0run0")->setChecked(true);
    dialog.findChild<QRadioButton*>("pipeline2run0")->setChecked(true);
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(record[2], std::uint8_t(0x05));  // run 2 is not in use: no bits 4..6
  }

  void theSouFormSplitsThePasswordFromADigitCode() {
    FlowComputerRecord record = flowComputer(1, 0, 0);
    TFormVich dialog(record, 1, false, kBothRuns, frontend);
    dialog.show();
    auto* password = dialog.findChild<QLineEdit*>("password");
    auto* code = dialog.findChild<QLineEdit*>("code");
    QCOMPARE(password->maxLength(), 16);
    QVERIFY(!code->isVisible());
    dialog.findChild<QCheckBox*>("sou")->setChecked(true);
    QCOMPARE(password->maxLength(), 12);
    QVERIFY(code->isVisible());
    test::type(code, "12a34");
    QCOMPARE(code->text(), QString("1234"));
    password->setText("pass");
    dialog.findChild<QComboBox*>("byteOrder")->setCurrentIndex(0);
    click(dialog, "Принять");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.sou());
    QVERIFY(dialog.passwordChanged());
    QCOMPARE(std::string(record.begin() + 4, record.end()), std::string("pass        1234"));
  }

  void anAddressOutsideItsRangeIsRefused() {
    FlowComputerRecord record = flowComputer(1, 0, 0);
    const FlowComputerRecord before = record;
    TFormVich dialog(record, 1, false, kBothRuns, frontend);
    dialog.findChild<QComboBox*>("byteOrder")->setCurrentIndex(0);
    auto* address = dialog.findChild<QComboBox*>("address");
    address->setEditText("255");
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Адрес вне допускаемого диапазона"));
    QVERIFY(record == before);
    address->setEditText("");
    click(dialog, "Принять");
    QCOMPARE(frontend.messages.back().line1, std::string("Введены не все параметры"));
  }
};

QTEST_MAIN(FlowComputerDialogsTest)
#include "flow_computer_dialogs_test.moc"
