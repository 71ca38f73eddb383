#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "core/common/text_codec.h"
#include "gui/archives/tformprnarhiv.h"
#include "gui/dialog_test_helpers.h"
#include "gui/widgets/report_output.h"
#include "report/trep_title.h"
#include "support/pdf_pages.h"
#include "support/recording_frontend.h"

using zvc::ArchiveFileHeader;
using zvc::MessageReportKind;
using zvc::MessageReportRow;
using zvc::ReportOutput;
using zvc::TFormPrnArhiv;
using zvc::test::pdfPageCount;
using zvc::test::pdfPageText;

Q_DECLARE_METATYPE(MessageReportKind)

namespace {

ArchiveFileHeader reportHeader() {
  ArchiveFileHeader header;
  auto bytes = header.bytes();
  zvc::utf8ToField(" КС-7 Восток ", &bytes[ArchiveFileHeader::kControllerNameAt],
                   ArchiveFileHeader::kNameSize);
  bytes[ArchiveFileHeader::kAddressAt] = 7;
  header.setPeriod(zvc::DateTime6{24, 3, 1, 0, 5, 9}, zvc::DateTime6{24, 3, 31, 23, 59, 58});
  header.setReadTime(zvc::DateTime6{24, 4, 2, 8, 30, 1});
  return header;
}

// Rows numbered in their first text, so a page shows which rows it holds.
std::vector<MessageReportRow> reportRows(MessageReportKind kind, int count) {
  std::vector<MessageReportRow> rows;
  for (int n = 1; n <= count; ++n) {
    const QString date = QString("  %1.03.24").arg(n % 28 + 1, 2, 10, QChar('0'));
    const QString time = QString("  row%1").arg(n);
    if (kind == MessageReportKind::kDiagnostic) {
      rows.push_back({date, time, "Выход за верхнюю уставку", "Метан (CH4). Нитка 1", "  98.123",
                      "  97.000", "  %"});
    } else {
      rows.push_back({date, time, "Скорость обмена с вычислителем расхода газа. (Адр. = 3)",
                      "  9600", "  19200", "  бит/с", "  ОПЕР"});
    }
  }
  return rows;
}

TFormPrnArhiv messageReport(MessageReportKind kind, int rows) {
  return TFormPrnArhiv(kind, reportHeader(), reportRows(kind, rows), "ООО Газтранзит");
}

}  // namespace

class PrintReportTest : public QObject {
  Q_OBJECT

 private slots:
  // A fresh folder for each test.
  void init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
  }

  void pagesFollowTheBands_data() {
    QTest::addColumn<MessageReportKind>("kind");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::newRow("diagnostic 0") << MessageReportKind::kDiagnostic << 0 << 1;
    QTest::newRow("diagnostic 57") << MessageReportKind::kDiagnostic << 57 << 1;
    QTest::newRow("diagnostic 58") << MessageReportKind::kDiagnostic << 58 << 2;
    QTest::newRow("diagnostic 59") << MessageReportKind::kDiagnostic << 59 << 2;
    // Both pages full: the rows of a full page fit between its header and footer.
    QTest::newRow("diagnostic 123") << MessageReportKind::kDiagnostic << 123 << 3;
    QTest::newRow("intervention 123") << MessageReportKind::kIntervention << 123 << 2;
    QTest::newRow("intervention 126") << MessageReportKind::kIntervention << 126 << 3;
  }
  void pagesFollowTheBands() {
    QFETCH(MessageReportKind, kind);
    QFETCH(int, rows);
    QFETCH(int, pages);
    const zvc::Report report = messageReport(kind, rows).buildReport();
    QCOMPARE(report.pageCount(), pages);
    const QString file = folder_->filePath("report.pdf");
    QVERIFY(zvc::writeReportPdf(report, file));
    QCOMPARE(pdfPageCount(file), pages);
  }

  void firstPageHoldsTitleHeadingsRowsAndFooter() {
    const QString file = folder_->filePath("diagnostic.pdf");
    QVERIFY(
        zvc::writeReportPdf(messageReport(MessageReportKind::kDiagnostic, 57).buildReport(), file));
    const QString text = pdfPageText(file, 1);
    for (const char* expected :
         {"ООО Газтранзит", "Контроллер \"КС-7 Восток\" (адрес 7)",
          "Перечень диагностических сообщений",
          "За период с 01.03.24 00:05:09 по 31.03.24 23:59:58",
          "Составлен программой zvc_15 02.04.24 08:30:01", "Сообщение", "Событие",
          "Объект / Причина", "параметра", "уставки", "измер.", "row1 ", "row57 ", "Лист 1 из 1"}) {
      QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }
  }

  void furtherPagesHaveNoTitleBlock() {
    const QString file = folder_->filePath("intervention.pdf");
    QVERIFY(zvc::writeReportPdf(messageReport(MessageReportKind::kIntervention, 123).buildReport(),
                                file));
    const QString first = pdfPageText(file, 1);
    QVERIFY(first.contains("в работу контроллерa ЖВЦ_15"));
    QVERIFY(first.contains("Лист 1 из 2"));
    QVERIFY(first.contains("row57 "));
    QVERIFY(!first.contains("row58 "));
    const QString second = pdfPageText(file, 2);
    for (const char* expected : {"КС-7 Восток", "Наименование параметра", "оператора", "row58 ",
                                 "row123 ", "Лист 2 из 2"}) {
      QVERIFY2(second.contains(QString::fromUtf8(expected)), expected);
    }
    QVERIFY(!second.contains("Перечень"));
  }

  void fullFirstPageIsFollowedByAPageOfHeadingsOnly() {
    const QString file = folder_->filePath("full.pdf");
    QVERIFY(
        zvc::writeReportPdf(messageReport(MessageReportKind::kDiagnostic, 58).buildReport(), file));
    QVERIFY(pdfPageText(file, 1).contains("row58 "));
    const QString second = pdfPageText(file, 2);
    QVERIFY(second.contains("Объект / Причина"));
    QVERIFY(second.contains("Лист 2 из 2"));
    QVERIFY(!second.contains("row"));
  }

  void bandTallerThanThePageIsNotPrinted() {
    zvc::Report report(QMarginsF(10, 10, 10, 10));
    report.addBand(
        std::make_unique<zvc::TextLinesBand>(2000, std::vector<zvc::TextLinesBand::Line>{}));
    QVERIFY(!zvc::writeReportPdf(report, folder_->filePath("tall.pdf")));
  }

  void withoutPrinterTheReportGoesToTheChosenPdf() {
    QCOMPARE(zvc::reportDestination(QPrinterInfo()), zvc::ReportDestination::kPdfFile);
    zvc::test::RecordingFrontend frontend;
    const QString file = folder_->filePath("chosen.pdf");
    const ReportOutput output{QPrinterInfo(), [&](QWidget*) { return file; }, false};
    QVERIFY(messageReport(MessageReportKind::kDiagnostic, 3).print(nullptr, frontend, output));
    QCOMPARE(pdfPageCount(file), 1);
    QVERIFY(frontend.messages.empty());
  }

  void previewShowsTheReportsPagesBeforePrinting() {
    zvc::test::RecordingFrontend frontend;
    const TFormPrnArhiv report = messageReport(MessageReportKind::kIntervention, 70);
    int pages = 0;
    zvc::test::whenModalOpens<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
      pages = preview.findChild<QPrintPreviewWidget*>()->pageCount();
      preview.reject();
    });
    QVERIFY(!report.print(nullptr, frontend, ReportOutput{QPrinterInfo(), {}}));
    QCOMPARE(pages, 2);
    QVERIFY(frontend.messages.empty());  // closing the preview is no failure
  }

  void declinedPdfChoicePrintsNothingAndSaysNothing() {
    zvc::test::RecordingFrontend frontend;
    const ReportOutput output{QPrinterInfo(), [](QWidget*) { return QString(); }, false};
    QVERIFY(!messageReport(MessageReportKind::kDiagnostic, 3).print(nullptr, frontend, output));
    QVERIFY(frontend.messages.empty());
    QVERIFY(QDir(folder_->path()).isEmpty());
  }

  void unwritablePdfIsAPrintError() {
    zvc::test::RecordingFrontend frontend;
    const QString file = folder_->filePath("no such folder/report.pdf");
    const ReportOutput output{QPrinterInfo(), [&](QWidget*) { return file; }, false};
    QVERIFY(!messageReport(MessageReportKind::kIntervention, 3).print(nullptr, frontend, output));
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 1);
    QCOMPARE(frontend.messages[0].line1, std::string("Ошибка печати данных"));
  }

  void reportBeyondTheBandLimitIsAnnouncedAndCut() {
    constexpr int kFullReport = 58 + 199 * 65;
    zvc::test::RecordingFrontend frontend;
    const QString file = folder_->filePath("long.pdf");
    const ReportOutput output{QPrinterInfo(), [&](QWidget*) { return file; }, false};
    const TFormPrnArhiv report = messageReport(MessageReportKind::kDiagnostic, kFullReport + 5);
    QVERIFY(report.print(nullptr, frontend, output));
    QCOMPARE(frontend.messages.size(), 1u);
    QCOMPARE(frontend.messages[0].kind, 6);
    QCOMPARE(frontend.messages[0].line1, std::string("В отчет войдут первые 12993 строк из 12998"));
    QCOMPARE(pdfPageCount(file), 200);
    const QString last = pdfPageText(file, 200);
    QVERIFY(last.contains(QString("row%1 ").arg(kFullReport)));
    QVERIFY(last.contains("Лист 200 из 200"));
  }

  void trepTitleShowsTheTextsItIsGiven() {
    auto title = std::make_unique<zvc::TrepTitle>();
    QCOMPARE(title->lineCount(), zvc::TrepTitle::kLineCount);
    QCOMPARE(title->height(), 112.0);
    const QStringList texts{"Организация", "Контроллер", "Часовые измерительные данные влагомера",
                            "за период", "Составлен"};
    for (int line = 0; line < texts.size(); ++line) title->setText(line, texts[line]);
    zvc::Report report(QMarginsF(10, 10, 10, 10));
    report.addBand(std::move(title));
    const QString file = folder_->filePath("title.pdf");
    QVERIFY(zvc::writeReportPdf(report, file));
    const QString text = pdfPageText(file, 1);
    for (const QString& expected : texts) QVERIFY2(text.contains(expected), qPrintable(expected));
  }

 private:
  std::unique_ptr<QTemporaryDir> folder_;
};

QTEST_MAIN(PrintReportTest)
#include "print_report_test.moc"
