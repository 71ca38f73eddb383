#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/archives/archive_dates.h"
#include "core/archives/chrom_archive_reader.h"
#include "core/link/subscribers.h"
#include "core/reports/passport_reader.h"
#include "core/ui/input_error.h"

namespace zvc {

class ConfigImage;

// The report date dialog (TFormExcRep_Date): the day or month of a passport and its object.
inline constexpr const char* kNewObjectItem = "Новый объект";

std::string reportDateCaption(PassportMode mode);
std::string oldestDailyRecordLabel(const ArchiveRange& range);
std::string newestDailyRecordLabel(const ArchiveRange& range);
// "Январь" … "Декабрь".
std::vector<std::string> reportMonthNames();
// The day kept when the month or year changes: lowered to the month's length.
int dayWithinMonth(int year, int month, int day);
// The object names, then "Новый объект" while the list has room.
std::vector<std::string> reportObjectItems(const ObjectList& objects);
// The contract hour of table 6 field 6, which the range query read.
int contractHour(const ConfigImage& image);

struct ReportDateCheck {
  std::optional<InputError> error;
  DateHour4 date;  // the day (monthly: day 1) at the contract hour
};
// "Принять": `item` is the chosen line of the object list (-1 for none).
ReportDateCheck checkReportDate(PassportMode mode, const ObjectList& objects, int item,
                                const Date3& date, const ArchiveRange& range, int hour);

}  // namespace zvc
