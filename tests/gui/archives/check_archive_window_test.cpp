#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <optional>

#include "gui/archives/check_archive_window.h"
#include "gui/dialog_test_helpers.h"
#include "support/check_fixtures.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::CheckReading;
using zvc::DateTime6;

namespace {

const DateTime6 kTime{26, 3, 15, 6, 2, 30};

CheckReading reading(std::size_t size, int count) {
  std::vector<std::vector<std::uint8_t>> records;
  for (int n = 0; n < count; ++n) {
    records.push_back(zvc::test::checkRecord(size, kTime, 1 + n % 2, n % 2, {1.5F, 0.25F}));
  }
  zvc::ArchiveFileHeader header = zvc::test::chromHeader(size == 90 ? "VRF" : "CLB");
  header.setRecordCount(static_cast<std::uint32_t>(count));
  return {header, zvc::test::checkRecordsOf(size, records)};
}

QString cellText(const QTableWidget& grid, int row, int column) {
  const QTableWidgetItem* item = grid.item(row, column);
  return item ? item->text() : QString();
}

}  // namespace

class CheckArchiveWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void gridHoldsHeadingsAndRecords() {
    zvc::test::RecordingFrontend frontend;
    const zvc::WorkingFolder folder("/tmp");
    const CheckReading shown = reading(zvc::VerificationRecord::kSize, 3);
    zvc::TFormArhiv_Verif window(shown, folder, frontend);
    QVERIFY(window.windowTitle().startsWith("Данные поверки хроматографа (сер. № 42)"));
    const auto* grid = window.findChild<QTableWidget*>();
    QVERIFY(grid);
    QCOMPARE(grid->rowCount(), 2 + 3);
    QCOMPARE(grid->columnCount(), 4 + 2);
    QCOMPARE(cellText(*grid, 0, 2), QString("   Номер"));
    QCOMPARE(cellText(*grid, 1, 3), QString(" поверки"));
    QCOMPARE(cellText(*grid, 0, 4), QString("   CH4"));
    QCOMPARE(cellText(*grid, 2, 3), QString("   OK"));
    QCOMPARE(cellText(*grid, 3, 3), QString("  Bad"));
    QCOMPARE(cellText(*grid, 2, 4), QString(" 1.500  "));
  }

  void spreadsheetAndFileAreWrittenAndTheWindowComesBack() {
    zvc::test::TempFolder temp;
    zvc::test::RecordingFrontend frontend;
    const zvc::WorkingFolder folder(temp.path());
    const CheckReading shown = reading(zvc::CalibrationRecord::kSize, 2);
    zvc::TFormArhiv_Clb window(shown, folder, frontend);
    std::filesystem::path proposed;
    window.askXlsxFileName = [&](const std::filesystem::path& start) {
      proposed = start;
      return std::optional(temp.file("sheet"));
    };
    window.askSaveFileName = [&](const std::filesystem::path&) {
      return std::optional(temp.file("saved"));
    };
    zvc::test::buttonOf(window, "Сохранить в формате Excel")->click();
    QVERIFY(std::filesystem::exists(temp.file("sheet.xlsx")));
    QCOMPARE(QString::fromStdString(proposed.parent_path().filename().string()),
             QString("CALIBRARHIV"));
    QVERIFY(window.isEnabled());
    QCOMPARE(QString::fromStdString(frontend.messages.back().line1),
             QString("Данные сохранены в файле sheet.xlsx"));

    zvc::test::buttonOf(window, "Сохранить в файле")->click();
    QVERIFY(std::filesystem::exists(temp.file("saved.clb")));
    QCOMPARE(std::filesystem::file_size(temp.file("saved.clb")),
             std::uintmax_t{905 + 2 * zvc::CalibrationRecord::kSize});
  }
};

QTEST_MAIN(CheckArchiveWindowTest)
#include "check_archive_window_test.moc"
