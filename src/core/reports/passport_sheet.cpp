#include "core/reports/passport_sheet.h"

#include <cmath>
#include <optional>

#include "core/common/float_format.h"
#include "core/common/format.h"
#include "core/common/text_codec.h"
#include "core/reports/passport_template.h"
#include "core/reports/report_date_dialog.h"
#include "core/tables/chromatograph_serial.h"
#include "core/tables/config_image.h"
#include "core/tables/controller_state.h"
#include "core/tables/table_service.h"
#include "core/tables/text_catalogue.h"
#include "core/ui/frontend.h"

namespace zvc {
namespace {

using Range = Spreadsheet::Range;
using Side = Spreadsheet::Side;
using Line = Spreadsheet::Line;
using Align = Spreadsheet::Align;

constexpr int kError = 1;
constexpr int kQuestion = 3;
constexpr int kInformation = 6;

constexpr int kNamesTable = 5;
constexpr std::size_t kRunNameSize = 20;

// Chromatograph status bits that void a record's gas values, and the one that voids T.
constexpr std::uint8_t kChromOff = 0x02;
constexpr std::uint8_t kNoChromLink = 0x20;
constexpr std::uint8_t kMoistureVoid = kMeterOff | kNoMeterLink;

constexpr int kObjectRow = 2;
constexpr int kPeriodRow = 4;
constexpr int kHeadingRow = 5;
constexpr int kSubHeadingRow = 7;
constexpr int kUnitRow = 9;
constexpr int kFirstDataRow = 10;
constexpr int kDailyAverageRow = 34;
constexpr int kMonthlyLastRow = 40;
constexpr int kMonthlyMeanRow = 41;
constexpr int kDailyFooterRow = 38;
constexpr int kMonthlyFooterRow = 45;
constexpr int kTitleColumn = 7;    // G
constexpr int kPeriodColumn = 19;  // S

constexpr const char* kHeaderFont = "Times New Roman";
constexpr const char* kVoid = "--";
constexpr const char* kNotANumber = "NAN";
constexpr const char* kHeatUnits[3] = {"ккал/м3", "МДж/м3", "кВт\nгод/м3"};

// No analysis behind the record: its gas values show "--".
bool gasValuesVoided(std::uint8_t status) {
  return (status & (kChromOff | kNoChromLink)) != 0;
}

bool isDaily(const Passport& p) {
  return p.reading.mode == PassportMode::kDaily;
}

int lastDataRow(const Passport& p) {
  return isDaily(p) ? kDailyAverageRow : kMonthlyLastRow;
}

std::string fixed(double value, int decimals) {
  return formatFixed(value, decimals).value_or(kNotANumber);
}

// File names take the names as they are, less what would lead out of the folder.
std::string fileNamePart(std::string text) {
  for (char& c : text) {
    if (c == '/') c = '_';
  }
  return text;
}

class SheetWriter {
 public:
  SheetWriter(const Passport& passport, const std::function<void(int)>& progress)
      : p_(passport),
        plan_(planColumns(passport.parameters)),
        P_(plan_.componentCount()),
        last_(plan_.lastColumn()),
        progress_(progress) {}

  Spreadsheet build() {
    sheet_.fitToLandscapePage();
    titles();
    tell(3);
    headings();
    bodyFormat();
    rows();
    if (!isDaily(p_)) heatMeans();
    footer();
    tell(passportProgressMaximum(p_.reading.mode));
    return std::move(sheet_);
  }

 private:
  void tell(int step) {
    if (progress_) progress_(step);
  }

  void titles() {
    writePassportTitle(sheet_, last_);

    const Range object{kObjectRow, kTitleColumn, kObjectRow, last_};
    sheet_.merge(object);
    sheet_.setRowHeight(kObjectRow, 16);
    sheet_.setAlignment(object, Align::kCentre);
    sheet_.setFont(object, "Arial", 10, 0, true);
    sheet_.setText(kObjectRow, kTitleColumn,
                   format("Об'єкт: \"%s\".  Серійний номер хроматографа: %u.  Нитка: \"%s\"",
                          p_.object.c_str(), p_.serialNumber, p_.runName.c_str()));

    // A sheet of few components ends before column S: the period then starts where it can.
    const int from = std::min(kPeriodColumn, last_);
    const Range period{kPeriodRow, from, kPeriodRow, last_};
    if (from < last_) sheet_.merge(period);
    sheet_.setRowHeight(kPeriodRow, 16);
    sheet_.setAlignment(period, Align::kCentre, true);
    sheet_.setFont(period, "Arial", 11, 0, true);
    sheet_.setText(kPeriodRow, from, periodText());
  }

  std::string periodText() const {
    const auto& rows = p_.reading.chromRows;
    if (rows.empty()) return "";
    const auto* a = rows[0].data();
    const auto* b = rows[rows.count() - 1].data();
    if (!isDaily(p_)) {
      return format("За період з %02d.%02d.%02d по  %02d.%02d.%02d", a[2], a[1], a[0], b[2], b[1],
                    b[0]);
    }
    return format("За період з %02d.%02d.%02d %02d:00  по  %02d.%02d.%02d %02d:00", a[2], a[1],
                  a[0], a[3], b[2], b[1], b[0], b[3]);
  }

  // A heading cell, merged over its range when that is more than one cell.
  void heading(const Range& r, const std::string& text, bool bold = false) {
    if (r.firstRow != r.lastRow || r.firstColumn != r.lastColumn) sheet_.merge(r);
    if (bold) sheet_.setFont(r, kHeaderFont, 11, 0, true);
    sheet_.setText(r.firstRow, r.firstColumn, text);
  }

  void headings() {
    const Range block{kHeadingRow, 1, kUnitRow, last_};
    sheet_.setFont(block, kHeaderFont, 11);
    sheet_.setAlignment(block, Align::kCentre, true);
    sheet_.setWrap(block);
    sheet_.setRowHeight(8, 92);
    sheet_.setRowHeight(kUnitRow, 29);
    columnWidths();

    heading({kHeadingRow, 1, kUnitRow, 1}, isDaily(p_) ? "Дата запису" : "Число місяця");
    sheet_.setVertical({kHeadingRow, 1, kUnitRow, 1});
    tell(5);
    componentHeadings();
    tell(10);
    physicalHeadings();
    tell(15);
    moistureHeadings();
    tell(20);
    borders();
    tell(25);
  }

  void columnWidths() {
    sheet_.setColumnWidth(1, isDaily(p_) ? 22 : 8);
    for (int c = 2; c <= P_ + 1; ++c) sheet_.setColumnWidth(c, 7);
    for (int c = plan_.densityColumn(); c < plan_.moistureColumn(); ++c) {
      sheet_.setColumnWidth(c, 10);
    }
    for (int c = plan_.moistureColumn(); c <= last_; ++c) sheet_.setColumnWidth(c, 13);
  }

  void componentHeadings() {
    if (P_ == 0) return;
    heading({kHeadingRow, 2, 6, P_ + 1}, "Компонентний склад");
    for (int i = 0; i < P_; ++i) {
      const int column = 2 + i;
      const Range names{kSubHeadingRow, column, 8, column};
      sheet_.merge(names);
      sheet_.setFont(names, kHeaderFont, 9, 0, true);
      sheet_.setVertical(names);
      sheet_.setText(kSubHeadingRow, column, p_.parameters[plan_.components[i]].name);
      sheet_.setText(kUnitRow, column, "% МД");
    }
  }

  void physicalHeadings() {
    const int d = plan_.densityColumn();
    heading({kHeadingRow, d, 6, plan_.moistureColumn() - 1}, "Фізико-хімічні показники газу");
    heading({kSubHeadingRow, d, 8, d}, "Густина");
    std::string densityUnit = "кг/м3";
    if (plan_.density) {
      const std::string_view unit =
          TextCatalogue::text(TextCatalogue::kUnitsB, p_.parameters[*plan_.density].unitCode);
      if (!unit.empty()) densityUnit = unit;
    }
    sheet_.setText(kUnitRow, d, densityUnit);
    const struct {
      int column;
      const char* text;
    } groups[] = {{plan_.lowerHeatColumn(), "Теплота згоряння\nнижча"},
                  {plan_.higherHeatColumn(), "Теплота згоряння\nвища"},
                  {plan_.wobbeColumn(), "Число Воббе"}};
    for (const auto& g : groups) {
      heading({kSubHeadingRow, g.column, 8, g.column + 2}, g.text, true);
      for (int u = 0; u < 3; ++u) sheet_.setText(kUnitRow, g.column + u, kHeatUnits[u]);
    }
  }

  void moistureHeadings() {
    const int m = plan_.moistureColumn();
    heading({kHeadingRow, m, 8, m}, "Температура точки роси\nвологи при робочому тиску");
    heading({kHeadingRow, m + 1, 8, m + 1},
            "Температура точки росивологи приведена\n(Р = 3.92 МПа)");
    heading({kHeadingRow, m + 2, 8, m + 2},
            "Температура точки роси\nвуглеводнів при робочому\nтиску");
    heading({kHeadingRow, m + 3, 6, m + 4}, "Умови відбору\nпроби");
    heading({kSubHeadingRow, m + 3, 8, m + 3}, "Тиск");
    heading({kSubHeadingRow, m + 4, 8, m + 4}, "Температура");
    const char* units[] = {"°С", "°С", "°С", "кгс/см2", "°С"};
    for (int u = 0; u < 5; ++u) sheet_.setText(kUnitRow, m + u, units[u]);
  }

  void borders() {
    const int bottom = lastDataRow(p_);
    sheet_.setBorder({kPeriodRow, 1, kPeriodRow, last_}, Side::kBottom, Line::kMedium);
    sheet_.setBorder({kUnitRow, 1, kUnitRow, last_}, Side::kBottom, Line::kMedium);
    sheet_.setBorder({bottom, 1, bottom, last_}, Side::kBottom, Line::kMedium);
    sheet_.setBorder({kHeadingRow, 1, bottom, 1}, Side::kLeft, Line::kMedium);
    const int m = plan_.moistureColumn();
    // Groups from row 5, their sub-groups from row 7.
    for (int column : {1, P_ + 1, m - 1, m, m + 1, m + 2, last_}) {
      if (column >= 1) {
        sheet_.setBorder({kHeadingRow, column, bottom, column}, Side::kRight, Line::kMedium);
      }
    }
    for (int column : {plan_.densityColumn(), plan_.lowerHeatColumn() + 2,
                       plan_.higherHeatColumn() + 2, m + 3}) {
      sheet_.setBorder({kSubHeadingRow, column, bottom, column}, Side::kRight, Line::kMedium);
    }
    // Thin lines under the group headings, under the sub-headings and between the unit cells.
    if (P_ > 0) sheet_.setBorder({6, 2, 6, P_ + 1}, Side::kBottom, Line::kThin);
    sheet_.setBorder({6, plan_.densityColumn(), 6, m - 1}, Side::kBottom, Line::kThin);
    sheet_.setBorder({6, m + 3, 6, m + 4}, Side::kBottom, Line::kThin);
    if (P_ > 0) sheet_.setBorder({8, 2, 8, P_ + 1}, Side::kBottom, Line::kThin);
    sheet_.setBorder({8, plan_.densityColumn(), 8, m - 1}, Side::kBottom, Line::kThin);
    sheet_.setBorder({8, m + 3, 8, m + 4}, Side::kBottom, Line::kThin);
    for (int column = 2; column < P_ + 1; ++column) {
      sheet_.setBorder({kSubHeadingRow, column, kUnitRow, column}, Side::kRight, Line::kThin);
    }
    for (int group : {plan_.lowerHeatColumn(), plan_.higherHeatColumn(), plan_.wobbeColumn()}) {
      sheet_.setBorder({kUnitRow, group, kUnitRow, group + 1}, Side::kRight, Line::kThin);
    }
  }

  void bodyFormat() {
    const int bottom = lastDataRow(p_);
    sheet_.setAlignment({kFirstDataRow, 1, bottom, last_}, Align::kCentre, true);
    sheet_.setTextFormat({kHeadingRow, 1, bottom, last_});
  }

  void rows() {
    const auto& chrom = p_.reading.chromRows;
    const auto& moisture = p_.reading.moistureRows;
    for (std::size_t i = 0; i < chrom.count(); ++i) {
      const ChromHourDayRecord record{chrom[i]};
      int row = 0;
      if (isDaily(p_)) {
        row = kFirstDataRow + static_cast<int>(i);
        const auto* d = record.bytes.data();
        sheet_.setText(row, 1, format("%02d.%02d.%02d  %02d:00", d[2], d[1], d[0], d[3]));
      } else {
        row = kFirstDataRow - 1 + record.date().day;
        if (row < kFirstDataRow || row > kMonthlyLastRow) continue;
      }
      valueCells(row, record, false);
      if (!isDaily(p_)) addToMeans(record);
      moistureCellsOf(row, i < moisture.count() ? moisture[i] : std::span<const std::uint8_t>{});
    }
    if (isDaily(p_)) {
      sheet_.setText(kDailyAverageRow, 1, "Середнє значення:");
      sheet_.setFont({kDailyAverageRow, 1, kDailyAverageRow, 1}, "Arial", 10, 0, true);
      valueCells(kDailyAverageRow, ChromHourDayRecord{p_.reading.chromDay}, true);
      moistureCellsOf(kDailyAverageRow, p_.reading.moistureDay);
    } else {
      const int days = daysInMonth(2000 + p_.reading.date.year, p_.reading.date.month);
      for (int d = 1; d <= days; ++d) sheet_.setText(kFirstDataRow - 1 + d, 1, std::to_string(d));
    }
  }

  // Columns 2 … LAST of the chromatograph.
  void valueCells(int row, const ChromHourDayRecord& record, bool dayAverage) {
    const std::uint8_t status = record.status();
    if (gasValuesVoided(status)) {
      for (int c = 2; c < plan_.moistureColumn(); ++c) sheet_.setText(row, c, kVoid);
    } else {
      for (int i = 0; i < P_; ++i)
        sheet_.setText(row, 2 + i, valueText(record, plan_.components[i]));
      if (plan_.density)
        sheet_.setText(row, plan_.densityColumn(), valueText(record, *plan_.density));
      heatCells(row, plan_.lowerHeatColumn(), record, plan_.lowerHeat);
      heatCells(row, plan_.higherHeatColumn(), record, plan_.higherHeat);
      heatCells(row, plan_.wobbeColumn(), record, plan_.wobbe);
    }
    if (plan_.temperature) {
      const bool off = !dayAverage && (status & kChromOff) != 0;
      sheet_.setText(row, last_, off ? kVoid : valueText(record, *plan_.temperature));
    }
  }

  std::string valueText(const ChromHourDayRecord& record, int parameter) const {
    return fixed(record.value(parameter), p_.parameters[parameter].decimals);
  }

  // An absent parameter leaves its three cells empty.
  void heatCells(int row, int column, const ChromHourDayRecord& record,
                 const std::optional<int>& parameter) {
    if (!parameter) return;
    const double value = record.value(*parameter);
    if (!std::isfinite(value)) {
      for (int u = 0; u < 3; ++u) sheet_.setText(row, column + u, kNotANumber);
      return;
    }
    writeHeat(row, column, value, *parameter);
  }

  void writeHeat(int row, int column, double value, int parameter) {
    const ReportParameter& p = p_.parameters[parameter];
    const auto units = heatInThreeUnits(value, p.unitCode);
    for (int u = 0; u < 3; ++u) sheet_.setText(row, column + u, fixed(units[u], p.decimals));
  }

  void moistureCellsOf(int row, std::span<const std::uint8_t> bytes) {
    if (!p_.moistureMeter || bytes.size() < WmtHourDayRecord::kSize) return;
    const WmtHourDayRecord record{bytes};
    const int m = plan_.moistureColumn();
    if ((record.status() & kMoistureVoid) != 0) {
      for (int u = 0; u < 4; ++u) sheet_.setText(row, m + u, kVoid);
      return;
    }
    const auto cells =
        moistureCells({record.value(0), record.value(1), record.value(2), record.value(3)});
    for (int u = 0; u < 4; ++u) {
      sheet_.setText(row, m + u, std::isfinite(cells[u]) ? format("%.2f", cells[u]) : kNotANumber);
    }
  }

  // Each heating value its row shows as a number counts on its own: a lower heat that is not a
  // number leaves the day's higher heat in its mean.
  void addToMeans(const ChromHourDayRecord& record) {
    if (gasValuesVoided(record.status())) return;
    lower_.add(record, plan_.lowerHeat);
    higher_.add(record, plan_.higherHeat);
  }

  void heatMeans() {
    const int from = std::max(1, P_ - 5);
    const Range label{kMonthlyMeanRow, from, kMonthlyMeanRow, P_ + 2};
    sheet_.merge(label);
    sheet_.setAlignment(label, Align::kGeneral, true);
    sheet_.setFont(label, "Arial", 10, 0, true);
    sheet_.setText(kMonthlyMeanRow, from, "Середньозважене значення теплоти згоряння:");
    const Range means{kMonthlyMeanRow, plan_.lowerHeatColumn(), kMonthlyMeanRow,
                      plan_.wobbeColumn() - 1};
    sheet_.setAlignment(means, Align::kCentre, true);
    sheet_.setTextFormat(means);
    if (plan_.lowerHeat && lower_.count > 0) {
      writeHeat(kMonthlyMeanRow, plan_.lowerHeatColumn(), lower_.mean(), *plan_.lowerHeat);
    }
    if (plan_.higherHeat && higher_.count > 0) {
      writeHeat(kMonthlyMeanRow, plan_.higherHeatColumn(), higher_.mean(), *plan_.higherHeat);
    }
  }

  void footer() {
    const int row = isDaily(p_) ? kDailyFooterRow : kMonthlyFooterRow;
    const Range r{row, 1, row, last_};
    sheet_.merge(r);
    sheet_.setRowHeight(row, 18);
    sheet_.setFont(r, "Arial", 10);
    sheet_.setBorder(r, Side::kTop, Line::kMedium);
    const std::string blanks(15, ' ');
    const char* b = blanks.c_str();
    sheet_.setText(row, 1,
                   format("Відповідальна особа %s%s Посада %s%s Прізвище %s%s Підпис %s%s Дата %s",
                          b, b, b, b, b, b, b, b, b));
  }

  struct Sum {
    double total = 0;
    int count = 0;
    void add(const ChromHourDayRecord& record, const std::optional<int>& parameter) {
      if (!parameter) return;
      const double value = record.value(*parameter);
      if (!std::isfinite(value)) return;
      total += value;
      ++count;
    }
    double mean() const { return total / count; }
  };

  const Passport& p_;
  const ColumnPlan plan_;
  const int P_;
  const int last_;
  const std::function<void(int)> progress_;
  Spreadsheet sheet_;
  Sum lower_;
  Sum higher_;
};

}  // namespace

Passport makePassport(const ConfigImage& image, PassportReading reading, std::string object) {
  Passport p;
  p.parameters = reportParameters(image);
  p.object = std::move(object);
  const auto runName = image.field(kNamesTable, 1 + (reading.run & 1));
  p.runName = fieldToUtf8(runName.data(), std::min(runName.size(), kRunNameSize));
  p.serialNumber = chromatographSerial(image);
  p.moistureMeter = moistureMeterPresent(image);
  p.reading = std::move(reading);
  return p;
}

std::filesystem::path passportFile(const std::filesystem::path& reportFolder,
                                   const Passport& passport) {
  const Date3& d = passport.reading.date;
  const std::string object = fileNamePart(passport.object);
  const std::string run = fileNamePart(passport.runName);
  const std::string name = isDaily(passport) ? format("%s_%s_day_%02d%02d%02d.xlsx", object.c_str(),
                                                      run.c_str(), d.year, d.month, d.day)
                                             : format("%s_%s_mon_%02d%02d.xlsx", object.c_str(),
                                                      run.c_str(), d.year, d.month);
  return reportFolder / name;
}

int passportProgressMaximum(PassportMode mode) {
  return mode == PassportMode::kDaily ? 30 : 40;
}

Spreadsheet passportSheet(const Passport& passport, const std::function<void(int)>& progress) {
  return SheetWriter(passport, progress).build();
}

bool writePassport(const Passport& passport, const std::filesystem::path& file, Frontend& frontend,
                   const std::function<void(int)>& progress) {
  const std::string name = file.filename().string();
  std::error_code error;
  if (std::filesystem::exists(file, error)) {
    if (!frontend.showMessage(kQuestion, format("Файл отчета %s уже есть.", name.c_str()),
                              "Вы хотите заменить существующий отчет?")) {
      return false;
    }
  }
  bool saved = false;
  {
    BusyCursor busy(frontend);
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path(), error);
    // The new report takes the old one's place in one step, so a failure keeps the old one.
    saved = passportSheet(passport, progress).save(file);
  }
  if (!saved) {
    frontend.showMessage(kError, "Ошибка работы с файлом!", "");
    return false;
  }
  frontend.showMessage(kInformation, format("Данные сохранены в файле %s", name.c_str()), "");
  return true;
}

std::optional<Passport> readPassport(ConnectionState& connection, TableService& tables,
                                     PassportMode mode, int run, const Date3& date,
                                     const std::string& object, const ArchiveRange& range) {
  // The title names the chromatograph by its serial number, read once per connection.
  if (chromatographSerial(tables.image()) == 0) readChromatographSerial(tables);
  PassportReader reader(connection, tables);
  auto reading = mode == PassportMode::kDaily
                     ? reader.readDaily(run, date, contractHour(tables.image()), range)
                     : reader.readMonthly(run, date, range);
  if (!reading) return std::nullopt;
  return makePassport(tables.image(), std::move(*reading), object);
}

}  // namespace zvc
