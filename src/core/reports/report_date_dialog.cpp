#include "core/reports/report_date_dialog.h"

#include "core/common/calendar.h"
#include "core/common/format.h"
#include "core/tables/config_image.h"
#include "core/tables/text_catalogue.h"

namespace zvc {
namespace {

constexpr int kSystemTable = 6;
constexpr int kContractHourField = 6;

std::string dateLabel(const char* text, const DateTime6& d) {
  return format(text, d.day, d.month, d.year);
}

}  // namespace

std::string reportDateCaption(PassportMode mode) {
  return mode == PassportMode::kDaily ? " Параметры отчета за сутки" : " Параметры отчета за месяц";
}

std::string oldestDailyRecordLabel(const ArchiveRange& range) {
  return dateLabel("Дата самой старой записи в архиве суточных данных:  %02d.%02d.%02d",
                   range.first);
}

std::string newestDailyRecordLabel(const ArchiveRange& range) {
  return dateLabel("Дата последней записи в архиве:  %02d.%02d.%02d", range.last);
}

std::vector<std::string> reportMonthNames() {
  std::vector<std::string> names;
  for (int month = 1; month <= 12; ++month) {
    names.emplace_back(TextCatalogue::text(TextCatalogue::kMonthsNominative, month));
  }
  return names;
}

int dayWithinMonth(int year, int month, int day) {
  return std::min(day, daysInMonth(year, month));
}

std::vector<std::string> reportObjectItems(const ObjectList& objects) {
  std::vector<std::string> items(objects.names.begin(), objects.names.begin() + objects.count);
  if (canAddObject(objects)) items.emplace_back(kNewObjectItem);
  return items;
}

int contractHour(const ConfigImage& image) {
  return image.field(kSystemTable, kContractHourField)[0];
}

ReportDateCheck checkReportDate(PassportMode mode, const ObjectList& objects, int item,
                                const Date3& date, const ArchiveRange& range, int hour) {
  ReportDateCheck check;
  if (item < 0 || item >= objects.count) {
    check.error = InputError{"Не введено наименование объекта", ""};
    return check;
  }
  Date3 chosen = date;
  Date3 first = Date3::of(range.first);
  Date3 last = Date3::of(range.last);
  if (mode == PassportMode::kMonthly) {
    chosen.day = first.day = last.day = 1;
  }
  if (chosen < first || chosen > last) {
    check.error = InputError{"В архиве нет данных за указанную дату",
                             "(см. период имеющихся в архиве данных)"};
    return check;
  }
  check.date = {date.year, date.month, mode == PassportMode::kMonthly ? std::uint8_t{1} : date.day,
                static_cast<std::uint8_t>(hour)};
  return check;
}

}  // namespace zvc
