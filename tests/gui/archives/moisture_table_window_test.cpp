// The moisture-meter table windows over records built byte by byte: captions above the columns,
// the grid's texts, the window's size, printing and the saved file.

#include <QGuiApplication>
#include <QHeaderView>
#include <QPrinterInfo>
#include <QScreen>
#include <QTableView>
#include <QtTest>
#include <algorithm>
#include <filesystem>
#include <memory>

#include "core/app/working_folder.h"
#include "core/archives/moisture_files.h"
#include "gui/archives/tformarhivhd_wmt.h"
#include "gui/archives/tformarhmeas_wmt.h"
#include "gui/archives/tformques_prn.h"
#include "gui/dialog_test_helpers.h"
#include "support/moisture_fixtures.h"
#include "support/pdf_pages.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::MoistureArchive;
using zvc::MoistureTableWindow;
using zvc::test::click;
using zvc::test::whenShown;

Q_DECLARE_METATYPE(MoistureArchive)

namespace {

const zvc::DateTime6 kStart{26, 3, 15, 12, 0, 0};

// A sound record, one without a link to the meter (state code still set), one with a broken
// checksum, then sound records up to `count`.
zvc::ArchiveRecords measurements(int count = 3) {
  std::vector<zvc::test::MoistureRecordBytes> list = {
      zvc::test::wmtMeasRecord(kStart, 0, 0, {-12.5F, 0.005F, 1000.0F, 0.0000005F}),
      zvc::test::wmtMeasRecord({26, 3, 15, 12, 5, 0}, 0x04, 0x1A2B, {1, 2, 3, 4}),
  };
  auto broken = zvc::test::wmtMeasRecord({26, 3, 15, 12, 10, 0}, 0, 0, {1, 2, 3, 4});
  broken[12] ^= 0x40;
  list.push_back(broken);
  for (int n = 3; n < count; ++n) {
    const zvc::DateTime6 time{
        26, 3, 15, static_cast<std::uint8_t>(13 + n / 60), static_cast<std::uint8_t>(n % 60), 0};
    list.push_back(zvc::test::wmtMeasRecord(time, 0, 0, {-18.25F, -8.5F, 47.75F, -41.0F}));
  }
  return zvc::test::moistureRecords(zvc::WmtMeasRecord::kSize, list);
}

zvc::ArchiveFileHeader measurementHeader() {
  zvc::ArchiveFileHeader header = zvc::test::moistureHeader("MSA");
  header.setPeriod(kStart, zvc::DateTime6{26, 3, 15, 18, 0, 0});
  header.setReadTime(zvc::DateTime6{26, 3, 16, 8, 30, 1});
  return header;
}

QString cell(const MoistureTableWindow& window, int row, int column) {
  return window.grid()->model()->index(row, column).data().toString();
}

QString heading(const MoistureTableWindow& window, int column) {
  return window.grid()->model()->headerData(column, Qt::Horizontal).toString();
}

// A measurement table window over those records, in a working folder of its own.
struct MeasurementWindow {
  explicit MeasurementWindow(int count = 3) : records(measurements(count)) {
    folder.createSubfolders();
    window = std::make_unique<zvc::TFormArhMeas_Wmt>(header, records, folder, frontend);
  }

  zvc::test::TempFolder temp;
  zvc::WorkingFolder folder{temp.path()};
  zvc::test::RecordingFrontend frontend;
  zvc::ArchiveFileHeader header = measurementHeader();
  zvc::ArchiveRecords records;
  std::unique_ptr<zvc::TFormArhMeas_Wmt> window;
};

// "Печать" answered in the print question with the organisation, or cancelled there.
void printWith(MoistureTableWindow& window, const QString& organisation) {
  whenShown<zvc::TFormQues_Prn>([organisation](zvc::TFormQues_Prn& question) {
    if (organisation.isEmpty()) {
      click(question, "Отменить");
      return;
    }
    zvc::test::setField(question, "organisation", organisation);
    click(question, "Печатать");
  });
  click(window, "Печать");
}

}  // namespace

class MoistureTableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void measurementTableShowsFourLineCaptionsAndTheRecords() {
    MeasurementWindow on;
    const auto& window = *on.window;

    QCOMPARE(window.windowTitle(),
             QString("Мгновенные данные влагомера за период  с  15.03.26 12:00:00  по  "
                     "15.03.26 18:00:00"));
    QCOMPARE(window.width(), 720);
    QCOMPARE(heading(window, 0), QString("Дата\n\n\n"));
    QCOMPARE(heading(window, 3), QString(" Признаки \nсостояния\nвлагомера\n"));
    QCOMPARE(heading(window, 4), QString("Т т.росы\nWDP\nпри Рраб.\n°С"));
    QCOMPARE(heading(window, 7), QString("Прив. Т т.росы\nпо воде\nк Р абс.\n°С"));
    // The heading row is tall enough for all four lines.
    QVERIFY(window.grid()->horizontalHeader()->sizeHint().height() >=
            4 * window.grid()->fontMetrics().lineSpacing());

    QCOMPARE(window.grid()->model()->rowCount(), 3);
    const QStringList sound = {"  15.03.26", "  12:00:00", "  Норма", "  Норма",
                               "  -12.50",   "  0.0050",   "  1000",  "  5.00e-07"};
    const QStringList noLink = {"  15.03.26", "  12:05:00", "  0x04",   " Нет связи",
                                "       0",   "       0",   "       0", "       0"};
    for (int column = 0; column < 8; ++column) {
      QCOMPARE(cell(window, 0, column), sound[column]);
      QCOMPARE(cell(window, 1, column), noLink[column]);
    }
    QCOMPARE(cell(window, 2, 0), QString("     Данные"));
    QCOMPARE(cell(window, 2, 1), QString(" недостов."));
    QVERIFY(zvc::test::buttonOf(window, "Сохранить в файле"));
    QVERIFY(zvc::test::buttonOf(window, "Выход"));
  }

  void hourlyAndDailyTables_data() {
    QTest::addColumn<MoistureArchive>("archive");
    QTest::addColumn<int>("meterModel");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("pressureHeading");
    QTest::addColumn<QString>("endTime");
    QTest::newRow("hourly") << MoistureArchive::kHourly << 1
                            << "Часовые данные влагомера за период с 14.03.26  09ч  по  "
                               "14.03.26  10ч"
                            << "Р изб.\nWDP\n\nbar"
                            << "   138:00:00";
    QTest::newRow("daily, meter model 2")
        << MoistureArchive::kDaily << 2
        << "Суточные данные влагомера за период с 14.03.26  по  14.03.26"
        << "Давление\n \n \nbar"
        << "   10:00:00";
  }
  void hourlyAndDailyTables() {
    QFETCH(MoistureArchive, archive);
    QFETCH(int, meterModel);
    QFETCH(QString, title);
    QFETCH(QString, pressureHeading);
    QFETCH(QString, endTime);
    const bool daily = archive == MoistureArchive::kDaily;
    zvc::ArchiveFileHeader header =
        zvc::test::moistureHeader(daily ? "DAY" : "HOU", static_cast<std::uint8_t>(meterModel));
    if (daily) {
      header.setPeriod(zvc::Date3{26, 3, 14}, zvc::Date3{26, 3, 14});
    } else {
      header.setPeriod(zvc::DateHour4{26, 3, 14, 9}, zvc::DateHour4{26, 3, 14, 10});
    }
    // The end hour with its flag bit: the daily flag, which hourly records do not have.
    const auto records = zvc::test::moistureRecords(
        zvc::WmtHourDayRecord::kSize,
        {zvc::test::wmtHourDayRecord({26, 3, 14}, 9, 0x8A, 0, {-8.25F, -6.5F, 48.0F, -41.5F})});
    zvc::test::TempFolder temp;
    const zvc::WorkingFolder folder(temp.path());
    zvc::test::RecordingFrontend frontend;
    const zvc::TFormArhivHD_Wmt window(daily, header, records, folder, frontend);

    QCOMPARE(window.windowTitle(), title);
    QCOMPARE(window.width(), 720);
    QCOMPARE(heading(window, 0), QString("Дата\nначала\n\n"));
    QCOMPARE(heading(window, 2), QString("Время\nконца\n\n"));
    QCOMPARE(heading(window, 6), pressureHeading);
    QCOMPARE(cell(window, 0, 2), endTime);
    QCOMPARE(cell(window, 0, 4), QString("  -8.25"));
  }

  // The columns share the window's width with no heading cut, and follow when it grows.
  void columnsFillTheGridAndKeepTheirHeadings() {
    MeasurementWindow on;
    auto& window = *on.window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto check = [&] {
      const QHeaderView* header = window.grid()->horizontalHeader();
      int total = 0;
      for (int column = 0; column < 8; ++column) {
        QVERIFY2(header->sectionSize(column) >= header->sectionSizeHint(column),
                 qPrintable(heading(window, column)));
        total += header->sectionSize(column);
      }
      QCOMPARE(total, window.grid()->viewport()->width());
    };
    check();
    window.resize(1000, window.height());
    QTest::qWait(20);
    check();
  }

  void longTableStaysWithinTheScreen() {
    MeasurementWindow on(400);
    const QScreen* screen = QGuiApplication::primaryScreen();
    QVERIFY(screen);
    QVERIFY(on.window->height() <= screen->geometry().height() - 60);
    QVERIFY(on.window->height() > screen->geometry().height() / 2);
    QCOMPARE(on.window->width(), 720);
  }

  void printAsksForTheOrganisationThenWritesThePdf() {
    MeasurementWindow on(53);
    auto& window = *on.window;
    const QString file = QString::fromStdString(on.temp.file("report.pdf").string());
    window.reportOutput = {QPrinterInfo(), [&](QWidget*) { return file; }, false};

    printWith(window, "");
    QVERIFY(!QFile::exists(file));

    printWith(window, "ООО Газтранзит");
    QVERIFY(on.frontend.messages.empty());
    QCOMPARE(zvc::test::pdfPageCount(file), 2);  // 52 rows, then 1
    const QString first = zvc::test::pdfPageText(file, 1);
    for (const char* expected :
         {"ООО Газтранзит", "Мгновенные данные влагомера",
          "за период с 15.03.26 12:00:00 по 15.03.26 18:00:00",
          "Составлен программой zvc_15 16.03.26 08:30:01", "Нет связи", "Лист 1 из 2"}) {
      QVERIFY2(first.contains(QString::fromUtf8(expected)), expected);
    }
  }

  void printPutsEveryRowOnItsPages() {
    // 52 rows on the first page, 59 on each of 200 further ones, and one on the last.
    MeasurementWindow on(52 + 200 * 59 + 1);
    auto& window = *on.window;
    const QString file = QString::fromStdString(on.temp.file("long.pdf").string());
    window.reportOutput = {QPrinterInfo(), [&](QWidget*) { return file; }, false};
    printWith(window, "ООО Газтранзит");
    QVERIFY(on.frontend.messages.empty());
    QCOMPARE(zvc::test::pdfPageCount(file), 202);
    QVERIFY(zvc::test::pdfPageText(file, 202).contains("Лист 202 из 202"));
  }

  void printFailureIsTold() {
    MeasurementWindow on;
    auto& window = *on.window;
    const QString file = QString::fromStdString(on.temp.file("no such folder/report.pdf").string());
    window.reportOutput = {QPrinterInfo(), [&](QWidget*) { return file; }, false};
    printWith(window, "ООО Газтранзит");
    QCOMPARE(on.frontend.messages.size(), std::size_t{1});
    QCOMPARE(on.frontend.messages[0].kind, 1);
    QCOMPARE(on.frontend.messages[0].line1, std::string("Ошибка печати данных"));
  }

  void savedFileOpensAgain() {
    MeasurementWindow on;
    auto& window = *on.window;
    std::filesystem::path proposed;
    window.askSaveFileName = [&](const std::filesystem::path& start) {
      proposed = start;
      return std::optional(on.temp.file("meter"));
    };
    on.frontend.answers = {true};
    click(window, "Сохранить в файле");
    QCOMPARE(proposed.parent_path(), on.temp.path() / "MOMDATA");
    QVERIFY(proposed.filename().string().starts_with("zvc15_007_"));
    QVERIFY(proposed.filename().string().ends_with(".mwm"));
    QCOMPARE(on.frontend.messages.back().line1, std::string("Данные сохранены в файле meter.mwm."));

    const auto reopened = zvc::openMoistureFile(MoistureArchive::kMeasurement,
                                                on.temp.file("meter.mwm"), on.frontend);
    QVERIFY(reopened);
    QVERIFY(std::ranges::equal(reopened->records.bytes(), on.records.bytes()));
  }
};

QTEST_MAIN(MoistureTableWindowTest)
#include "moisture_table_window_test.moc"
