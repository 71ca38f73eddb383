#include "core/archives/short_date_dialog.h"

#include <algorithm>

#include "core/archives/archive_dates.h"
#include "core/common/format.h"

namespace zvc {
namespace {

DateTime6 cut(const DateTime6& value, bool daily) {
  return daily ? Date3::of(value).toDateTime6() : DateHour4::of(value).toDateTime6();
}

}  // namespace

std::string_view shortDateChoiceText(bool daily, int choice) {
  if (choice == kShortDateCustomChoice) return "Заданный период";
  return daily ? "За последний месяц" : "За последние сутки";
}

std::string oldestRecordLabel(bool daily, const ArchiveRange& range) {
  const DateTime6& t = range.first;
  if (daily) {
    return format("Дата и время самой старой записи в архиве:  %02d.%02d.%02d", t.day, t.month,
                  t.year);
  }
  return format("Дата и время самой старой записи в архиве:  %02d.%02d.%02d %02dч", t.day, t.month,
                t.year, t.hour);
}

std::string newestRecordLabel(bool daily, const ArchiveRange& range) {
  const DateTime6& t = range.last;
  if (daily) {
    return format("Дата и время последней записи в архиве:  %02d.%02d.%02d", t.day, t.month,
                  t.year);
  }
  return format("Дата и время последней записи в архиве:  %02d.%02d.%02d %02dч", t.day, t.month,
                t.year, t.hour);
}

ShortDateProposal proposeShortPeriod(bool daily, int choice, const ArchiveRange& range,
                                     const DateTime6& controllerClock) {
  ShortDateProposal proposal;
  if (choice == kShortDateLastChoice) {
    const DateTime6 now = cut(controllerClock, daily);
    proposal.end = daily ? addDays(now, -1) : addHours(now, -1);
    proposal.start = daily ? addMonths(proposal.end, -1) : addHours(proposal.end, -23);
    return proposal;
  }
  proposal.inputsEnabled = true;
  proposal.end = cut(range.last, daily);
  const DateTime6 start = daily ? addMonths(proposal.end, -1) : addDays(proposal.end, -1);
  proposal.start = std::max(start, cut(range.first, daily));
  return proposal;
}

ShortDateCheck checkShortPeriod(bool daily, const DateTime6& start, const DateTime6& end,
                                const ArchiveRange& range) {
  ShortDateCheck check;
  const DateTime6 s = cut(start, daily);
  const DateTime6 e = cut(end, daily);
  const DateTime6 first = cut(range.first, daily);
  const DateTime6 last = cut(range.last, daily);
  if (e < s) {
    check.error =
        InputError{"Дата и время конца опроса должны быть", "больше даты и времени начала опроса"};
    return check;
  }
  if ((s < first && e < first) || (s > last && e > last)) {
    check.error = InputError{"В архиве нет данных за указанный период",
                             "(см. период имеющихся в архиве данных)"};
    return check;
  }
  check.start = std::max(s, first);
  check.end = std::min(e, last);
  return check;
}

}  // namespace zvc
