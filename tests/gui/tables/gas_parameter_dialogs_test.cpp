// The per-parameter dialogs and the measured-parameter list: rows past the used count, the
// checks of the confirm buttons, and values left as shown keeping their stored bytes.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>
#include <array>
#include <cstring>

#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformconst.h"
#include "gui/tables/tformdistr.h"
#include "gui/tables/tformdistrpar.h"
#include "gui/tables/tformlimit.h"
#include "gui/tables/tformpar.h"
#include "gui/tables/tformparlist.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;

namespace {

const char* const kWrite = "Записать в устройство";
const char* const kAccept = "Принять";

void putFloat(std::uint8_t* at, float value) {
  std::memcpy(at, &value, sizeof value);
}

// Parameters named "P1".."P20", unit "%", range 0..100 with two decimals.
std::array<std::uint8_t, kParameterBytes> parameterTable() {
  std::array<std::uint8_t, kParameterBytes> table{};
  for (std::size_t k = 0; k < kParameterRecords; ++k) {
    std::uint8_t* record = table.data() + k * kParameterRecordBytes;
    const std::string name = "P" + std::to_string(k + 1);
    std::memcpy(record, name.data(), name.size());
    std::memcpy(record + 40, name.data(), name.size());
    record[50] = 1;
    putFloat(record + 51, 0.0f);
    putFloat(record + 55, 100.0f);
    record[61] = 2;
  }
  return table;
}

QLineEdit* field(const QWidget& dialog, const QString& name) {
  return dialog.findChild<QLineEdit*>(name);
}

}  // namespace

class GasParameterDialogsTest : public QObject {
  Q_OBJECT

  test::RecordingFrontend frontend;
  std::array<std::uint8_t, kParameterBytes> table = parameterTable();

 private slots:
  void init() { frontend = {}; }

  void limitsAcceptAHairAboveTheMaximumButNoMore() {
    std::array<std::uint8_t, kLimitBytes> values{};
    putFloat(values.data() + 4, 1.0f / 3.0f);  // shown rounded, kept exactly when untouched
    const auto before = values;
    TFormLimit dialog(4, {3, table}, values, SectionMode::kWrite, frontend);
    QCOMPARE(dialog.windowTitle(),
             QString("Верхний предел знач. парам. газа, допускаемого к записи в ВРГ"));
    QCOMPARE(field(dialog, "value1")->text(), QString("0.33"));
    QVERIFY(!field(dialog, "value3")->isEnabled());
    QCOMPARE(field(dialog, "value0")->maxLength(), 8);

    test::type(field(dialog, "value0"), "100.0001");
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line1, std::string("Параметр \" P1 \"."));
    QCOMPARE(frontend.messages.back().line2,
             std::string("Вводите значения согласно допустимому диапазону"));
    QVERIFY(values == before);

    test::type(field(dialog, "value0"), "1e2");
    field(dialog, "value2")->clear();
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line1, std::string("Введены не все параметры"));
    test::type(field(dialog, "value2"), "-0,5");  // "," is typed as "."
    QCOMPARE(field(dialog, "value2")->text(), QString("-0.5"));
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line1, std::string("Параметр \" P3 \"."));
    test::type(field(dialog, "value2"), "100.000005");
    click(dialog, kWrite);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    float stored = 0;
    std::memcpy(&stored, values.data(), 4);
    QCOMPARE(stored, 100.0f);
    QVERIFY(std::equal(values.begin() + 4, values.begin() + 8, before.begin() + 4));
  }

  void writeNeedNeedsAChoiceInEveryUsedRow() {
    std::array<std::uint8_t, kWriteNeedBytes> need{};
    need[1] = 7;  // no choice shown
    TFormDistr dialog({2, table}, need, SectionMode::kAccept, frontend);
    auto* second = dialog.findChild<QComboBox*>("need1");
    QCOMPARE(dialog.findChild<QComboBox*>("need0")->currentText(), QString(" Не записывать "));
    QCOMPARE(second->currentIndex(), -1);
    QVERIFY(!dialog.findChild<QComboBox*>("need2")->isEnabled());
    click(dialog, kAccept);
    QCOMPARE(frontend.messages.back().line1, std::string("Введены не все параметры"));
    second->setCurrentIndex(1);
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(need[1], std::uint8_t(1));
  }

  void aPeriodOutsideTheListShowsNoChoiceUntilOneIsMade() {
    std::array<std::uint8_t, kPeriodBytes> period = {5, 0};
    TFormDistrPar dialog(period, SectionMode::kWrite, frontend);
    auto* choice = dialog.findChild<QComboBox*>("period");
    QCOMPARE(choice->currentIndex(), -1);
    QCOMPARE(choice->count(), 7);
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line1, std::string("Не введен период"));
    choice->setCurrentIndex(6);
    QCOMPARE(choice->currentText(), QString(" 24"));
    click(dialog, kWrite);
    QVERIFY((period == std::array<std::uint8_t, kPeriodBytes>{24, 0}));
  }

  void constantsShowRuleAAndNeedAValueWhenTicked() {
    std::array<std::uint8_t, kConstantBytes> constants{};
    putFloat(constants.data() + 20, 12345.6f);
    putFloat(constants.data() + 24, 0.5f);
    constants[1] = 1;
    TFormConst dialog(1, {2, table}, constants, SectionMode::kWrite, frontend);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QString("Константы параметров газа нитки 2"));
    QCOMPARE(field(dialog, "value0")->text(), QString("12346"));
    QCOMPARE(field(dialog, "value1")->text(), QString("0.5000"));
    QVERIFY(dialog.findChild<QCheckBox*>("flag1")->isChecked());
    QVERIFY(!field(dialog, "value2")->isVisible());

    field(dialog, "value1")->clear();
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line1, std::string("P2"));
    QCOMPARE(frontend.messages.back().line2, std::string("Не введено значение константы."));
    dialog.findChild<QCheckBox*>("flag1")->setChecked(false);
    dialog.findChild<QCheckBox*>("flag0")->setChecked(true);
    click(dialog, kWrite);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(constants[0], std::uint8_t(1));
    QCOMPARE(constants[1], std::uint8_t(0));
    float kept = 0;
    std::memcpy(&kept, constants.data() + 20, 4);
    QCOMPARE(kept, 12345.6f);  // shown as 12346, untouched, so kept exactly
  }

  void theParameterListAddsChangesAndRemoves() {
    std::array<std::uint8_t, kParameterListBytes> block{};
    block[0] = 20;
    std::copy(table.begin(), table.end(), block.begin() + 1);
    TFormParList full(block, frontend);
    QVERIFY(!test::buttonOf(full, "Добавить")->isEnabled());
    QCOMPARE(full.findChild<QLabel*>("count")->text(), QString("20"));

    block[0] = 1;
    TFormParList one(block, frontend);
    QVERIFY(!test::buttonOf(one, "Удалить")->isEnabled());
    auto* grid = one.findChild<QTableWidget*>("entries");
    QCOMPARE(grid->item(0, 0)->text(), QString("  1"));
    QCOMPARE(grid->item(0, 1)->text(), QString(" P1"));
    QCOMPARE(grid->item(0, 6)->text(), QString(" 100.00"));
    test::whenModalOpens<TFormPar>([](TFormPar& parameter) {
      test::setField(parameter, "name", "CH4");
      test::setField(parameter, "designation", "CH4");
      parameter.findChild<QComboBox*>("unit")->setCurrentIndex(1);
      test::type(parameter, "register", "40001");
      parameter.findChild<QComboBox*>("decimals")->setCurrentIndex(3);
      parameter.findChild<QComboBox*>("type")->setCurrentIndex(0);
      test::type(parameter, "minimum", "0");
      test::type(parameter, "maximum", "100");
      click(parameter, kAccept);
    });
    click(one, "Добавить");
    QCOMPARE(grid->rowCount(), 2);
    QCOMPARE(grid->item(1, 6)->text(), QString(" 100.000"));
    frontend.answers = {true};
    grid->selectRow(0);
    click(one, "Удалить");
    QCOMPARE(frontend.messages.back().line2, std::string("удалить этот параметр?"));
    QCOMPARE(grid->item(0, 1)->text(), QString(" CH4"));
    click(one, kAccept);
    QVERIFY(one.changed());
    QCOMPARE(block[0], std::uint8_t(1));
    QCOMPARE(char(block[1]), 'C');
  }

  void aParameterNeedsARealRangeAndARegisterThatFits() {
    std::array<std::uint8_t, kParameterRecordBytes> record{};
    std::copy_n(table.begin(), kParameterRecordBytes, record.begin());
    const auto before = record;
    TFormPar dialog(record, frontend);
    QCOMPARE(field(dialog, "minimum")->text(), QString("0.00"));
    test::type(field(dialog, "minimum"), "100");
    click(dialog, kAccept);
    QCOMPARE(frontend.messages.back().line1, std::string("Неверно задан диапазон измерений"));
    test::type(field(dialog, "minimum"), "10");
    test::type(field(dialog, "register"), "65536");
    click(dialog, kAccept);
    QCOMPARE(frontend.messages.back().line2, std::string("в диапазоне 0...65535"));
    QVERIFY(record == before);

    dialog.findChild<QComboBox*>("decimals")->setCurrentIndex(4);
    QCOMPARE(field(dialog, "maximum")->text(), QString("100.0000"));
    QCOMPARE(field(dialog, "minimum")->text(), QString("10.0000"));
    test::type(field(dialog, "register"), "65535");
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(record[59], std::uint8_t(0xFF));
    QCOMPARE(record[61], std::uint8_t(4));
  }
};

QTEST_MAIN(GasParameterDialogsTest)
#include "gas_parameter_dialogs_test.moc"
