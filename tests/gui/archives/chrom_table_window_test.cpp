// The chromatograph table windows over records built byte by byte: the grid's texts, the status
// dialog, the spreadsheet and the saved file.

#include <QHeaderView>
#include <QLabel>
#include <QtTest>
#include <filesystem>

#include "core/app/working_folder.h"
#include "core/archives/chrom_files.h"
#include "core/common/spreadsheet.h"
#include "gui/archives/tformarhivhdm_chr.h"
#include "gui/archives/tformarhmeas_chr.h"
#include "gui/archives/tformchromerror.h"
#include "gui/dialog_test_helpers.h"
#include "gui/widgets/frozen_columns_view.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::test::click;
using zvc::test::whenShown;

namespace {

// 12.5 in the warning zone and 0.7 in the alarm zone (both zone bits set), then a record taken
// while the controller was off.
zvc::ArchiveRecords measurements() {
  auto zoned = zvc::test::measRecord({24, 3, 14, 10, 4, 0}, {12.5F, 0.7F});
  zvc::test::putValue(zoned, 0, 12.5F, 1);
  zvc::test::putValue(zoned, 1, 0.7F, 3);
  zvc::test::seal(zoned);
  return zvc::test::recordsOf(
      {zoned, zvc::test::measRecord({24, 3, 14, 10, 8, 0}, {13.0F, 0.8F}, 0x02)});
}

QString cell(const zvc::ChromTableWindow& window, int row, int column) {
  return window.grid()->model()->index(row, column).data().toString();
}

QString statusTitleAfter(const std::function<void()>& open) {
  QString title;
  whenShown<zvc::TFormChromError>([&](zvc::TFormChromError& dialog) {
    title = dialog.windowTitle();
    click(dialog, "Выход");
  });
  open();
  return title;
}

// A measurement table window over those records, in a working folder of its own.
struct MeasurementWindow {
  zvc::test::TempFolder temp;
  zvc::WorkingFolder folder{temp.path()};
  zvc::test::RecordingFrontend frontend;
  zvc::ArchiveFileHeader header = zvc::test::chromHeader("MSA");
  zvc::ArchiveRecords records = measurements();
  zvc::TFormArhMeas_Chr window{header, records, folder, frontend};
};

}  // namespace

class ChromTableWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void measurementTableShowsMarksLegendAndStatus() {
    MeasurementWindow on;
    auto& window = on.window;

    QVERIFY(window.windowTitle().startsWith(
        "Измерительные данные хроматографа (сер. № 42; нитка \"Нитка 1/2\") за период  с  "));
    QCOMPARE(window.grid()->model()->rowCount(), 2);
    QCOMPARE(window.grid()->model()->headerData(2, Qt::Horizontal).toString(),
             QString("   CH4\n    %"));
    QCOMPARE(cell(window, 0, 0), QString(" 14.03.24"));
    QCOMPARE(cell(window, 0, 1), QString(" 10:04:00"));
    QCOMPARE(cell(window, 0, 2), QString(" 12.500 *"));
    QCOMPARE(cell(window, 0, 3), QString(" 0.7000 #"));
    QCOMPARE(cell(window, 1, 2), QString(" 0"));
    QCOMPARE(window.findChild<QLabel*>("legend")->text(),
             QString(" Усл. обозначения:    * - значение в зоне ПУ;    # - значение в зоне АУ"));
    // Date and time stay in sight.
    QVERIFY(!window.grid()->frozenPart()->isColumnHidden(1));
    QVERIFY(window.grid()->frozenPart()->isColumnHidden(2));

    QCOMPARE(statusTitleAfter([&] { click(window, "Признаки состояния"); }),
             QString(" Измерительные данные (14.03.24  10:04:00)"));
    const QModelIndex second = window.grid()->model()->index(1, 2);
    window.grid()->setCurrentIndex(second);
    QCOMPARE(statusTitleAfter([&] { emit window.grid()->doubleClicked(second); }),
             QString(" Измерительные данные (14.03.24  10:08:00)"));
  }

  void exportWritesTheSheetAndOffersToOpenIt() {
    MeasurementWindow on;
    auto& window = on.window;
    auto& frontend = on.frontend;
    const auto xlsx = on.temp.file("table");
    std::filesystem::path proposed;
    window.askXlsxFileName = [&](const std::filesystem::path& start) {
      proposed = start;
      return std::optional(xlsx);
    };
    QUrl opened;
    window.openWithDesktop = [&](const QUrl& url) {
      opened = url;
      return true;
    };
    frontend.answers = {true, true};  // the information, then "open it?"
    click(window, "Сохранить в формате Excel");

    QVERIFY(proposed.filename().string().ends_with("_mom.xlsx"));
    QVERIFY(std::filesystem::exists(on.temp.file("table.xlsx")));
    QCOMPARE(frontend.progressModes, std::vector<int>{4});
    QCOMPARE(frontend.messages.size(), std::size_t{2});
    QCOMPARE(frontend.messages[0].line1, std::string("Данные сохранены в файле table.xlsx"));
    QCOMPARE(frontend.messages[1].line1, std::string(zvc::kOpenSpreadsheetQuestion));
    QCOMPARE(opened,
             QUrl::fromLocalFile(QString::fromStdString(on.temp.file("table.xlsx").string())));

    // An existing spreadsheet is replaced only after the question; "Нет" asks for another name,
    // and cancelling there writes nothing.
    int asked = 0;
    window.askXlsxFileName = [&](const std::filesystem::path&) {
      return ++asked == 1 ? std::optional(xlsx) : std::nullopt;
    };
    frontend.messages.clear();
    frontend.answers = {false};
    click(window, "Сохранить в формате Excel");
    QCOMPARE(asked, 2);
    QCOMPARE(frontend.messages.size(), std::size_t{1});
    QCOMPARE(frontend.messages[0].line2, std::string("Вы хотите заменить существующий файл?"));
  }

  void savedFileOpensAgain() {
    MeasurementWindow on;
    auto& window = on.window;
    auto& frontend = on.frontend;
    window.askSaveFileName = [&](const std::filesystem::path&) {
      return std::optional(on.temp.file("saved"));
    };
    frontend.answers = {true};
    click(window, "Сохранить в файле");
    QCOMPARE(frontend.messages.back().line1, std::string("Данные сохранены в файле saved.mch."));
    const auto again =
        zvc::openChromFile(zvc::ChromArchive::kMeasurement, on.temp.file("saved.mch"), frontend);
    QVERIFY(again.has_value());
    QCOMPARE(again->records.count(), std::size_t{2});
  }

  void dailyTableKeepsThreeColumnsAndTellsTheEndHourFlag() {
    zvc::test::TempFolder temp;
    const zvc::WorkingFolder folder(temp.path());
    zvc::test::RecordingFrontend frontend;
    const auto header = zvc::test::chromHeader("DAY");
    const auto records =
        zvc::test::recordsOf({zvc::test::hourDayRecord({24, 3, 14}, 10, 0x8A, 0, {1.5F, 2})});
    zvc::TFormArhivHDM_Chr window(true, header, records, folder, frontend);
    QVERIFY(window.windowTitle().startsWith("Суточные данные хроматографа"));
    QVERIFY(window.findChild<QLabel*>("legend") == nullptr);
    QCOMPARE(cell(window, 0, 2), QString(" 10:00:00"));
    QCOMPARE(cell(window, 0, 4), QString(" 1.500  "));
    QVERIFY(!window.grid()->frozenPart()->isColumnHidden(2));
    QVERIFY(window.grid()->frozenPart()->isColumnHidden(3));
    QCOMPARE(window.grid()->model()->headerData(3, Qt::Horizontal).toString(),
             QString("Кол. ликв.\n данных"));
    QCOMPARE(statusTitleAfter([&] { click(window, "Признаки состояния"); }),
             QString(" Суточные данные с 14.03.24 10:00:00 по 10:00:00*"));
  }
};

QTEST_MAIN(ChromTableWindowTest)
#include "chrom_table_window_test.moc"
