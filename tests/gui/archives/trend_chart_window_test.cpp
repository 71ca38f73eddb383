// The chart window of the chromatograph tables, opened on a saved daily file: its parameter
// list, gaps, setpoint lines, zoom and image.

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QListWidget>
#include <QScatterSeries>
#include <QValueAxis>
#include <QtTest>

#include "core/app/working_folder.h"
#include "core/archives/chrom_files.h"
#include "gui/archives/tformarhivhdm_chr.h"
#include "gui/archives/trend_chart_window.h"
#include "gui/dialog_test_helpers.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

using zvc::TrendChartWindow;
using zvc::test::click;
using zvc::test::whenShown;

namespace {

// Ten days of CH4 and density; day 5 taken with the controller off (" 0"), day 8 damaged.
zvc::ArchiveRecords tenDays() {
  std::vector<zvc::test::ChromRecordBytes> days;
  for (int day = 1; day <= 10; ++day) {
    const std::uint8_t status = day == 5 ? 0x02 : 0;
    days.push_back(zvc::test::hourDayRecord({24, 3, static_cast<std::uint8_t>(day)}, 10, 0x8A,
                                            status, {90.0F + day * 0.1F, 0.70F + day * 0.001F}));
  }
  days[7][20] ^= 0xFF;
  return zvc::test::recordsOf(days);
}

std::vector<QLineSeries*> linesNamed(const QChart& chart, const QString& name) {
  std::vector<QLineSeries*> lines;
  for (QAbstractSeries* series : chart.series()) {
    auto* line = qobject_cast<QLineSeries*>(series);
    if (line && series->type() == QAbstractSeries::SeriesTypeLine && line->name() == name) {
      lines.push_back(line);
    }
  }
  return lines;
}

QValueAxis* valueAxis(const QChart& chart) {
  return qobject_cast<QValueAxis*>(chart.axes(Qt::Vertical).value(0));
}

// A daily file saved and opened again, shown in its table window.
struct SavedDailyFile {
  SavedDailyFile() {
    const std::filesystem::path file = temp.file("march.dch");
    const zvc::ArchiveRecords records = tenDays();
    const bool saved = zvc::saveChromFile(
        zvc::ChromArchive::kDaily, folder, zvc::test::chromHeader("DAY"), records,
        {24, 3, 11, 0, 0, 0}, [&](const std::filesystem::path&) { return file; }, frontend);
    opened = zvc::openChromFile(zvc::ChromArchive::kDaily, file, frontend);
    if (!saved || !opened) qFatal("the daily file was not saved and opened");
    frontend.messages.clear();  // "Данные сохранены в файле"
    window = std::make_unique<zvc::TFormArhivHDM_Chr>(true, opened->header, opened->records,
                                                      folder, frontend);
  }

  zvc::test::TempFolder temp;
  zvc::WorkingFolder folder{temp.path()};
  zvc::test::RecordingFrontend frontend;
  std::optional<zvc::SavedChromArchive> opened;
  std::unique_ptr<zvc::TFormArhivHDM_Chr> window;
};

}  // namespace

class TrendChartWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void chartButtonShowsTheFirstParameterWithItsGaps() {
    SavedDailyFile on;
    bool shown = false;
    whenShown<TrendChartWindow>([&](TrendChartWindow& chart) {
      shown = true;
      QListWidget* list = chart.parameters();
      QCOMPARE(list->count(), 2);
      QCOMPARE(list->item(0)->text(), QString("CH4"));
      QCOMPARE(list->item(0)->checkState(), Qt::Checked);
      QCOMPARE(list->item(1)->checkState(), Qt::Unchecked);
      // Days 1-4, 6-7 and 9-10: three runs, one legend entry.
      QCOMPARE(linesNamed(*chart.view()->chart(), "CH4, %").size(), 3u);
      QVERIFY(linesNamed(*chart.view()->chart(), "CH4: верхняя ПУ").empty());

      list->item(1)->setCheckState(Qt::Checked);
      QCOMPARE(chart.view()->chart()->axes(Qt::Vertical).size(), 2);
      QCOMPARE(chart.chosenSeries().size(), 2u);
      click(chart, "Выход");
    });
    click(*on.window, "График");
    QVERIFY(shown);
    QVERIFY(on.frontend.messages.empty());
  }

  void setpointLinesWhereTheControllerGivesThem() {
    SavedDailyFile on;
    zvc::WarningSetpoints setpoints{{90.2F, std::nullopt}, {90.8F, 0.75F}};
    on.window->readSetpoints = [&] { return setpoints; };
    whenShown<TrendChartWindow>([&](TrendChartWindow& chart) {
      const QChart& drawn = *chart.view()->chart();
      const auto upper = linesNamed(drawn, "CH4: верхняя ПУ");
      QCOMPARE(upper.size(), 1u);
      QCOMPARE(upper[0]->at(0).y(), qreal(90.8F));
      QCOMPARE(linesNamed(drawn, "CH4: нижняя ПУ").size(), 1u);
      // Both setpoints lie within the value axis.
      QVERIFY(valueAxis(drawn)->min() <= 90.2 && valueAxis(drawn)->max() >= 90.8);
      click(chart, "Выход");
    });
    click(*on.window, "График");
  }

  void wheelZoomsAndResetShowsTheWholePeriod() {
    SavedDailyFile on;
    TrendChartWindow chart(zvc::chartSource(on.window->table()), std::nullopt,
                           on.temp.file("chart.png"),
                           on.frontend);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    const QValueAxis* axis = valueAxis(*chart.view()->chart());
    const qreal fullSpan = axis->max() - axis->min();
    QWheelEvent wheel(QPointF(200, 200), chart.view()->mapToGlobal(QPointF(200, 200)), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(chart.view()->viewport(), &wheel);
    QVERIFY(axis->max() - axis->min() < fullSpan);
    click(chart, "Исходный масштаб");
    QCOMPARE(axis->max() - axis->min(), fullSpan);
  }

  void saveImageWritesAPng() {
    SavedDailyFile on;
    TrendChartWindow chart(zvc::chartSource(on.window->table()), std::nullopt,
                           on.temp.file("proposed.png"),
                           on.frontend);
    chart.resize(900, 600);
    std::filesystem::path asked;
    chart.askImageFileName = [&](const std::filesystem::path& start) {
      asked = start;
      return std::optional(on.temp.file("trend"));  // the extension is added
    };
    click(chart, "Сохранить изображение");
    QCOMPARE(asked, on.temp.file("proposed.png"));
    const QImage image(QString::fromStdString(on.temp.file("trend.png").string()));
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), chart.view()->size());
    QVERIFY(on.frontend.messages.empty());

    chart.askImageFileName = [&](const std::filesystem::path&) {
      return std::optional(on.temp.file("no such folder/trend.png"));
    };
    click(chart, "Сохранить изображение");
    QCOMPARE(on.frontend.messages.size(), 1u);
    QCOMPARE(on.frontend.messages[0].line1, std::string("Ошибка открытия файла"));
  }
};

QTEST_MAIN(TrendChartWindowTest)
#include "trend_chart_window_test.moc"
