#include "gui/archives/tformques_prn.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <memory>
#include <optional>

#include "core/app/working_folder.h"
#include "core/archives/archive_file_header.h"
#include "gui/dialog_test_helpers.h"
#include "support/message_view_fixtures.h"
#include "support/temp_folder.h"

using zvc::PrintQuestionType;
using zvc::TFormQues_Prn;

Q_DECLARE_METATYPE(PrintQuestionType)

namespace {

// The file as the program keeps it: 40 Windows-1251 bytes, NUL-padded.
std::string storedTitle(std::string_view cp1251) {
  std::string bytes(cp1251);
  bytes.resize(40, '\0');
  return bytes;
}

const std::string kStoredGaz = storedTitle("\xCE\xCE\xCE \xC3\xE0\xE7");  // "ООО Газ"

// The dialog over a header of March 2024, with the title file holding `stored` when given.
struct Question {
  explicit Question(PrintQuestionType type = PrintQuestionType::kDiagnostic,
                    const std::optional<std::string>& stored = std::nullopt) {
    folder.createSubfolders();
    if (stored) zvc::test::writeBytes(titleFile(), *stored);
    header = zvc::test::readingHeader("ALA", {24, 3, 1, 0, 5, 9}, {24, 3, 31, 23, 59, 58}, 1);
    dialog = std::make_unique<TFormQues_Prn>(type, header, folder);
  }

  std::filesystem::path titleFile() const { return zvc::organisationTitleFile(folder); }
  QLineEdit* field() const { return dialog->findChild<QLineEdit*>("organisation"); }
  bool showsLine(const QString& text) const {
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
      if (label->text() == text) return true;
    }
    return false;
  }

  zvc::test::TempFolder temp;
  zvc::WorkingFolder folder{temp.path()};
  zvc::ArchiveFileHeader header;
  std::unique_ptr<TFormQues_Prn> dialog;
};

}  // namespace

class TFormQuesPrnTest : public QObject {
  Q_OBJECT

 private slots:
  void showsWhatIsGoingToBePrinted_data() {
    QTest::addColumn<PrintQuestionType>("type");
    QTest::addColumn<QString>("listTitle");
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("period");
    const QString fullPeriod = "за период  с  01.03.24  00:05:09  по  31.03.24  23:59:58";
    QTest::newRow("diagnostic") << PrintQuestionType::kDiagnostic
                                << "Перечень диагностических сообщений"
                                << "контроллерa ЖВЦ_15" << fullPeriod;
    QTest::newRow("intervention") << PrintQuestionType::kIntervention
                                  << "Перечень сообщений о вмешательствах оператора"
                                  << "в работу контроллерa ЖВЦ_15" << fullPeriod;
    QTest::newRow("moisture hourly")
        << PrintQuestionType::kMoistureHourly << "Часовые измерительные данные влагомера"
        << "контроллерa ЖВЦ_15"
        << "за период  с  01.03.24  00ч  по  31.03.24  23ч";
  }
  void showsWhatIsGoingToBePrinted() {
    QFETCH(PrintQuestionType, type);
    QFETCH(QString, listTitle);
    QFETCH(QString, controller);
    QFETCH(QString, period);
    Question question(type, kStoredGaz);
    QCOMPARE(question.dialog->windowTitle(), QString(" Данные для печати"));
    for (const QString& line : {listTitle, controller, period, QString("Наименование организации"),
                                QString("( до 40 символов )")}) {
      QVERIFY2(question.showsLine(line), qPrintable(line));
    }
    QCOMPARE(question.field()->text(), QString("ООО Газ"));
    QCOMPARE(question.field()->maxLength(), 40);
    QVERIFY(zvc::test::buttonOf(*question.dialog, "Печатать"));
    QVERIFY(zvc::test::buttonOf(*question.dialog, "Отменить"));
  }

  void withoutTitleFileTheFieldIsEmpty() {
    Question question;
    QCOMPARE(question.field()->text(), QString());
    QVERIFY(!std::filesystem::exists(question.titleFile()));
  }

  void printStoresAChangedText() {
    Question question(PrintQuestionType::kIntervention, kStoredGaz);
    zvc::test::setField(*question.dialog, "organisation", "ПАО Укртрансгаз");
    zvc::test::click(*question.dialog, "Печатать");
    QCOMPARE(question.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(question.dialog->organisation(), QString("ПАО Укртрансгаз"));
    QCOMPARE(zvc::test::readBytes(question.titleFile()),
             storedTitle("\xCF\xC0\xCE \xD3\xEA\xF0\xF2\xF0\xE0\xED\xF1\xE3\xE0\xE7"));

    // The next print job starts with it.
    const TFormQues_Prn next(PrintQuestionType::kDiagnostic, question.header, question.folder);
    QCOMPARE(next.findChild<QLineEdit*>("organisation")->text(), QString("ПАО Укртрансгаз"));
  }

  void aFirstTextCreatesTheTitleFile() {
    Question question;
    zvc::test::setField(*question.dialog, "organisation", "Gas & Co");
    zvc::test::click(*question.dialog, "Печатать");
    QCOMPARE(question.dialog->organisation(), QString("Gas & Co"));
    QCOMPARE(zvc::test::readBytes(question.titleFile()), storedTitle("Gas & Co"));
  }

  void theFieldHoldsAtMost40Characters() {
    Question question;
    zvc::test::setField(*question.dialog, "organisation", QString(45, u'Ж'));
    zvc::test::click(*question.dialog, "Печатать");
    QCOMPARE(question.dialog->organisation(), QString(40, u'Ж'));
    QCOMPARE(zvc::test::readBytes(question.titleFile()), std::string(40, '\xC6'));
  }

  void anUnchangedTextLeavesTheFileAlone() {
    Question question(PrintQuestionType::kDiagnostic, kStoredGaz);
    const auto longAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(question.titleFile(), longAgo);
    zvc::test::click(*question.dialog, "Печатать");
    QCOMPARE(question.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(question.dialog->organisation(), QString("ООО Газ"));
    QVERIFY(std::filesystem::last_write_time(question.titleFile()) == longAgo);
  }

  void cancelKeepsTheStoredText() {
    Question question(PrintQuestionType::kDiagnostic, kStoredGaz);
    zvc::test::setField(*question.dialog, "organisation", "Другая");
    zvc::test::click(*question.dialog, "Отменить");
    QCOMPARE(question.dialog->result(), int(QDialog::Rejected));
    QCOMPARE(zvc::test::readBytes(question.titleFile()), kStoredGaz);
  }
};

QTEST_MAIN(TFormQuesPrnTest)
#include "tformques_prn_test.moc"
