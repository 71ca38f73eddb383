// The parameter dialogs over their sections in both modes: what they show, what the confirm
// button stores, and that a refusal keeps the dialog open with the section untouched.

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <array>

#include "gui/dialog_test_helpers.h"
#include "gui/tables/tformconkps.h"
#include "gui/tables/tformconnwmt.h"
#include "gui/tables/tformcontrname.h"
#include "gui/tables/tformconvu.h"
#include "gui/tables/tformethernet.h"
#include "gui/tables/tformsinhr.h"
#include "gui/tables/tformsys.h"
#include "gui/tables/tformvrgconn.h"
#include "support/recording_frontend.h"

using namespace zvc;
using test::click;
using test::type;

namespace {

const char* const kWrite = "Записать в устройство";
const char* const kAccept = "Принять";

QComboBox* box(const QWidget& dialog, const char* name) {
  return dialog.findChild<QComboBox*>(name);
}

// The box of that name inside the named group.
QComboBox* box(const QWidget& dialog, const char* group, const char* name) {
  return dialog.findChild<QGroupBox*>(group)->findChild<QComboBox*>(name);
}

void typeInBox(QComboBox* editable, const QString& text) {
  QVERIFY(editable && editable->lineEdit());
  test::type(editable->lineEdit(), text);
}

std::string lastLine1(const test::RecordingFrontend& frontend) {
  return frontend.messages.empty() ? "" : frontend.messages.back().line1;
}

}  // namespace

class SectionDialogsTest : public QObject {
  Q_OBJECT

  test::RecordingFrontend frontend;

 private slots:
  void init() { frontend = {}; }

  void modesNameTheConfirmButton() {
    std::array<std::uint8_t, 60> names{};
    for (const auto& [mode, caption] :
         {std::pair{SectionMode::kWrite, kWrite}, std::pair{SectionMode::kAccept, kAccept}}) {
      TFormContrName dialog(names, mode, frontend);
      QVERIFY(test::buttonOf(dialog, caption));
      QVERIFY(test::buttonOf(dialog, "Отменить"));
    }
  }

  void namesAreAllRequiredAndCancelLeavesThem() {
    std::array<std::uint8_t, 60> names{};
    std::copy_n("ABC", 3, names.begin());
    const auto before = names;
    TFormContrName dialog(names, SectionMode::kAccept, frontend);
    QCOMPARE(dialog.findChild<QLineEdit*>("name0")->text(), QString("ABC"));
    QCOMPARE(dialog.findChild<QLineEdit*>("name1")->maxLength(), 20);
    click(dialog, kAccept);
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 2);
    QCOMPARE(lastLine1(frontend), std::string("Введены не все параметры"));
    QVERIFY(names == before);

    test::setField(dialog, "name1", "Нитка 1");
    test::setField(dialog, "name2", "Нитка 2");
    click(dialog, "Отменить");
    QVERIFY(names == before);
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(names[20], std::uint8_t(0xCD));  // "Н" in Windows-1251
  }

  void systemParametersHideAForbiddenTransitionAndKeepItsRule() {
    std::array<std::uint8_t, 12> table6 = {3, 0xC9, 3, 10, 0xC9, 4, 9, 1, 0, 1, 0, 1};
    TFormSys dialog(table6, SectionMode::kWrite, frontend);
    dialog.show();
    QComboBox* summerMonth = box(dialog, "summer", "month");
    QComboBox* summerOrdinal = box(dialog, "summer", "ordinal");
    QCOMPARE(summerMonth->currentText(), QString("Март"));
    QCOMPARE(summerOrdinal->currentText(), QString("Последний"));
    QVERIFY(!box(dialog, "summer", "day")->isVisible());
    QVERIFY(!dialog.findChild<QCheckBox*>("chromatograph")->isEnabled());

    summerMonth->setCurrentIndex(0);
    QVERIFY(!summerOrdinal->isVisible());
    summerMonth->setCurrentIndex(2);
    QVERIFY(summerOrdinal->isVisible());
    summerMonth->setCurrentIndex(0);
    dialog.findChild<QCheckBox*>("moistureMeter")->setChecked(true);
    box(dialog, "contractHour")->setCurrentIndex(10);
    click(dialog, kWrite);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY((table6 == std::array<std::uint8_t, 12>{0, 0xC9, 3, 10, 0xC9, 4, 10, 1, 1, 1, 0, 1}));
  }

  void systemParametersDayListFollowsTheMonth() {
    // Winter on the 31st by day of month: November has no 31st, so the day must be chosen again.
    std::array<std::uint8_t, 12> table6 = {3, 0xC9, 3, 10, 31, 4, 9, 1, 0, 1, 0, 1};
    TFormSys dialog(table6, SectionMode::kAccept, frontend);
    QComboBox* day = box(dialog, "winter", "day");
    QCOMPARE(day->currentText(), QString("31"));
    box(dialog, "winter", "month")->setCurrentIndex(3);  // November
    QCOMPARE(day->count(), 30);
    QCOMPARE(day->currentIndex(), -1);
    click(dialog, kAccept);
    QCOMPARE(lastLine1(frontend), std::string("Введены не все параметры"));
    day->setCurrentIndex(29);
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(table6[3], std::uint8_t(11));
    QCOMPARE(table6[4], std::uint8_t(30));
  }

  void synchronisationChromatographBoxFollowsItsControllerBox() {
    std::array<std::uint8_t, 2> controller = {1, 1};
    std::array<std::uint8_t, 2> chromatograph = {1, 0};
    TFormSinhr dialog({controller, chromatograph}, SectionMode::kWrite, frontend);
    auto* withFlowComputer = dialog.findChild<QCheckBox*>("controller0");
    auto* chromatographFollows = dialog.findChild<QCheckBox*>("chromatograph0");
    QVERIFY(chromatographFollows->isChecked());
    withFlowComputer->setChecked(false);
    QVERIFY(!chromatographFollows->isChecked());
    QVERIFY(!chromatographFollows->isEnabled());
    withFlowComputer->setChecked(true);
    QVERIFY(chromatographFollows->isEnabled());
    dialog.findChild<QCheckBox*>("chromatograph1")->setChecked(true);
    click(dialog, kWrite);
    QVERIFY((controller == std::array<std::uint8_t, 2>{1, 1}));
    QVERIFY((chromatograph == std::array<std::uint8_t, 2>{0, 1}));
  }

  void upperLinkRulesAndTheClosedRateList() {
    std::array<std::uint8_t, 4> table3 = {1, 11, 3, 0};
    TFormConVU dialog(table3, SectionMode::kWrite, false, frontend);
    QVERIFY(!box(dialog, "rate")->isEnabled());
    typeInBox(box(dialog, "address"), "255");
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line2, std::string("в диапазоне 1...254"));
    type(dialog, "preambles", "256");
    click(dialog, kWrite);
    QCOMPARE(lastLine1(frontend), std::string("Количество преамбул не должно превышать 255"));
    type(dialog, "preambles", "2x5");  // the letter never reaches the field
    typeInBox(box(dialog, "address"), "12");
    click(dialog, kWrite);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY((table3 == std::array<std::uint8_t, 4>{12, 11, 25, 0}));
  }

  void flowComputerLinkNeedsAWriteMode() {
    std::array<std::uint8_t, 6> table9 = {2, 11, 5, 20, 3, 7};
    TFormVrgConn dialog(table9, SectionMode::kAccept, frontend);
    QCOMPARE(box(dialog, "timeout")->currentText(), QString("20"));
    click(dialog, kAccept);
    QCOMPARE(lastLine1(frontend), std::string("Введены не все параметры"));
    dialog.findChild<QButtonGroup*>()->button(2)->click();
    box(dialog, "count")->setCurrentIndex(4);
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY((table9 == std::array<std::uint8_t, 6>{5, 11, 5, 20, 3, 2}));
  }

  void chromatographLinkRunsAndTheirFlowComputers() {
    std::array<std::uint8_t, 16> table14 = {1, 11, 1, 0, 150, 5, 7, 1, 1, 1, 1, 2, 0, 0, 15, 0};
    std::array<std::uint8_t, 1280> table1{};
    table1[0] = 0x41;
    const ChromatographLinkContext context{{"Нитка 1", "Обвод"}, std::vector<std::uint8_t>{5, 6}};
    TFormConKPS dialog({table14, table1}, context, SectionMode::kWrite, frontend);
    QVERIFY2(!dialog.findChild<QPushButton*>("parameterList"), "offered only with a list editor");
    auto* run2 = dialog.findChild<QCheckBox*>("run1");
    QCOMPARE(run2->text(), QString(" Задействована нитка 2 (\"Обвод\")"));
    QVERIFY(!dialog.findChild<QGroupBox*>("source1")->isEnabled());
    QCOMPARE(box(dialog, "source0", "flowComputer")->currentText(), QString("1 (адр. 6)"));

    run2->setChecked(true);
    QVERIFY(dialog.findChild<QGroupBox*>("source1")->isEnabled());
    click(dialog, kWrite);
    QCOMPARE(lastLine1(frontend), std::string("Введены не все параметры"));
    box(dialog, "source1", "flowComputer")->setCurrentIndex(0);
    box(dialog, "source1", "pipeline")->setCurrentIndex(2);
    dialog.findChild<QCheckBox*>("run0")->setChecked(false);
    QCOMPARE(box(dialog, "source0", "pipeline")->currentIndex(), -1);
    click(dialog, kWrite);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY((table14 ==
             std::array<std::uint8_t, 16>{1, 11, 1, 0, 150, 5, 7, 2, 1, 1, 0, 0, 0, 3, 15, 0}));
    QCOMPARE(table1[0], std::uint8_t(0x41));
  }

  void chromatographParameterListIsStoredOnlyOnConfirmation() {
    std::array<std::uint8_t, 16> table14 = {1, 11, 1, 0, 150, 5, 7, 1, 0, 0, 0, 0, 0, 0, 15, 0};
    std::array<std::uint8_t, 1280> table1{};
    const ChromatographLinkContext context{{"Нитка 1", "Нитка 2"}, std::nullopt};
    const ParameterListEditor editor = [](std::uint8_t& count, auto parameters, QWidget*) {
      count = 3;
      parameters[128] = 0x42;
      return true;
    };
    for (const bool confirm : {false, true}) {
      TFormConKPS dialog({table14, table1}, context, SectionMode::kAccept, frontend, nullptr,
                         editor);
      click(dialog, "Перечень параметров для чтения ");
      QCOMPARE(box(dialog, "parameterCount")->currentText(), QString("3"));
      click(dialog, confirm ? kAccept : "Отменить");
      QCOMPARE(table14[14], std::uint8_t(confirm ? 3 : 15));
      QCOMPARE(table1[128], std::uint8_t(confirm ? 0x42 : 0));
    }
  }

  void moistureMeterTimeoutRange() {
    std::array<std::uint8_t, 8> table15 = {1, 11, 0, 0, 150, 5, 1, 0};
    TFormConnWMT dialog(table15, SectionMode::kWrite, frontend);
    typeInBox(box(dialog, "timeout"), "4");
    click(dialog, kWrite);
    QCOMPARE(lastLine1(frontend), std::string("Таймаут должен быть"));
    typeInBox(box(dialog, "address"), "248");
    click(dialog, kWrite);
    QCOMPARE(frontend.messages.back().line2, std::string("в диапазоне 1...247"));
    typeInBox(box(dialog, "address"), "247");
    typeInBox(box(dialog, "timeout"), "5");
    click(dialog, kWrite);
    QVERIFY((table15 == std::array<std::uint8_t, 8>{247, 11, 0, 0, 5, 5, 1, 0}));
  }

  void ethernetShowsDottedOrderAndChecksRanges() {
    std::array<std::uint8_t, 28> table29{};
    std::copy_n(std::array<std::uint8_t, 4>{10, 1, 168, 192}.begin(), 4, table29.begin());
    TFormEthernet dialog(table29, SectionMode::kAccept, frontend);
    QCOMPARE(dialog.findChild<QLineEdit*>("address0_0")->text(), QString("192"));
    QCOMPARE(dialog.findChild<QLineEdit*>("address0_3")->text(), QString("10"));
    type(dialog, "address2_0", "300");
    click(dialog, kAccept);
    QCOMPARE(lastLine1(frontend), std::string("Поле IP-адреса вне допустимого диапазона"));
    type(dialog, "address2_0", "192");
    type(dialog, "port0", "70000");
    click(dialog, kAccept);
    QCOMPARE(frontend.messages.back().line2, std::string("(0...65535)"));
    type(dialog, "port0", "");
    click(dialog, kAccept);
    QCOMPARE(lastLine1(frontend), std::string("Введены не все параметры"));
    type(dialog, "port0", "502");
    click(dialog, kAccept);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(table29[11], std::uint8_t(192));
    QCOMPARE(table29[12], std::uint8_t(0xF6));
    QCOMPARE(table29[13], std::uint8_t(0x01));
  }
};

QTEST_MAIN(SectionDialogsTest)
#include "section_dialogs_test.moc"
