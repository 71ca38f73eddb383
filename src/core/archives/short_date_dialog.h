#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/archives/chrom_archive_reader.h"
#include "core/common/calendar.h"
#include "core/ui/input_error.h"

namespace zvc {

// The period dialog of the hourly and daily archives (TFormShortDate): the quick choice of the
// last day (hourly) or month (daily), or a period typed within what the archive holds.
inline constexpr const char* kShortDateCaption = "Ввод периода времени запрашиваемых данных";
inline constexpr const char* kShortDateChoiceTitle = " Задание периода";
inline constexpr int kShortDateLastChoice = 0;
inline constexpr int kShortDateCustomChoice = 1;

std::string_view shortDateChoiceText(bool daily, int choice);
std::string oldestRecordLabel(bool daily, const ArchiveRange& range);
std::string newestRecordLabel(bool daily, const ArchiveRange& range);

struct ShortDateProposal {
  DateTime6 start;
  DateTime6 end;
  bool inputsEnabled = false;
};
// `controllerClock` is the clock the range query read.
ShortDateProposal proposeShortPeriod(bool daily, int choice, const ArchiveRange& range,
                                     const DateTime6& controllerClock);

struct ShortDateCheck {
  std::optional<InputError> error;
  DateTime6 start;
  DateTime6 end;
};
// "Принять": refuses a reversed period or one wholly outside the range, clips one that overlaps.
ShortDateCheck checkShortPeriod(bool daily, const DateTime6& start, const DateTime6& end,
                                const ArchiveRange& range);

}  // namespace zvc
