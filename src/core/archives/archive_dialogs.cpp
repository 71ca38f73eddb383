#include "core/archives/archive_dialogs.h"

#include <algorithm>
#include <limits>

#include "core/app/archive_dialog_settings.h"
#include "core/common/format.h"

namespace zvc {
namespace {

constexpr int kDefaultIndexChoice = 1;
constexpr int kDefaultPeriodChoice = 0;

constexpr const char* kIndexChoices[kIndexChoiceCount] = {
    "Весь диапазон данных", "Последние 100 записей", "Последние 50 записей", "Последние 10 записей",
    "Заданный диапазон данных"};
// How many of the newest records choices 1..3 propose.
constexpr std::uint32_t kLastRecords[] = {0, 100, 50, 10};

constexpr const char* kPeriodChoices[kPeriodChoiceCount] = {
    "За последний час", "За последние сутки", "Заданный период"};

constexpr const char* kOutOfRange = "вне допустимого диапазона";

// Digits only; nullopt for an empty text or any other character. Each digit is folded in with
// `fold`, so the caller decides what a number too long for 32 bits becomes.
template <typename Fold>
std::optional<std::uint32_t> digitsValue(std::string_view text, Fold fold) {
  if (text.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = fold(value, static_cast<std::uint32_t>(c - '0'));
  }
  return value;
}

// The first index is taken modulo 2^32, as the controller's 32-bit indices wrap.
std::optional<std::uint32_t> indexValue(std::string_view text) {
  return digitsValue(text, [](std::uint32_t value, std::uint32_t digit) {
    return value * 10 + digit;  // unsigned arithmetic wraps modulo 2^32
  });
}

// A count beyond 32 bits asks for everything there is.
std::optional<std::uint32_t> countValue(std::string_view text) {
  return digitsValue(text, [](std::uint32_t value, std::uint32_t digit) {
    const std::uint64_t next = std::uint64_t{value} * 10 + digit;
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(next, std::numeric_limits<std::uint32_t>::max()));
  });
}

std::uint32_t readU32(const std::uint8_t* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | std::uint32_t{bytes[3]} << 24;
}

// A time field within 0..limit-1, or nothing.
std::optional<std::uint8_t> timeValue(std::string_view text, int limit) {
  const auto value = parseInteger(text);
  if (!value || *value < 0 || *value >= limit) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

struct TimeFieldCheck {
  std::string_view PeriodFields::*field;
  std::uint8_t DateTime6::*part;
  int limit;
  const char* message;
};

std::optional<InputError> readGroup(const PeriodFields& fields, DateTime6& into,
                                    std::span<const TimeFieldCheck> checks) {
  into.year = fields.date.year;
  into.month = fields.date.month;
  into.day = fields.date.day;
  for (const TimeFieldCheck& check : checks) {
    const auto value = timeValue(fields.*check.field, check.limit);
    if (!value) return InputError{check.message, kOutOfRange};
    into.*check.part = *value;
  }
  return std::nullopt;
}

}  // namespace

ArchiveBounds ArchiveBounds::fromFields(std::span<const std::uint8_t> fields) {
  if (fields.size() < 8) return {};
  return {readU32(fields.data()), readU32(fields.data() + 4)};
}

std::string_view indexDialogCaption(int mode) {
  return mode == 0 ? "Индексы архивных записей диагностики"
                   : "Индексы архивных записей о вмешательствах";
}

std::string_view indexChoiceText(int choice) {
  return choice >= 0 && choice < kIndexChoiceCount ? kIndexChoices[choice] : "";
}

int indexChoiceOrDefault(std::uint32_t remembered) {
  return remembered < kIndexChoiceCount ? static_cast<int>(remembered) : kDefaultIndexChoice;
}

IndexProposal proposeIndexRange(int choice, ArchiveBounds bounds) {
  if (choice < 0 || choice >= kIndexChoiceCustom) return {std::nullopt, std::nullopt, true};
  const std::uint32_t all = bounds.newest - bounds.oldest + 1;
  if (choice == 0) return {bounds.oldest, all, false};
  const IndexRange newest = newestRecords(bounds, kLastRecords[choice]);
  return {newest.first, newest.count, false};
}

IndexRange newestRecords(ArchiveBounds bounds, std::uint32_t wanted) {
  const std::uint32_t all = bounds.newest - bounds.oldest + 1;
  if (all < wanted) return {bounds.oldest, all};
  return {bounds.newest - (wanted - 1), wanted};
}

IndexCheck checkIndexInput(std::string_view firstText, std::string_view countText,
                           ArchiveBounds bounds) {
  IndexCheck check;
  const auto first = indexValue(firstText);
  if (!first) {
    check.error = InputError{"Не введен индекс записи начала чтения", ""};
    return check;
  }
  if (*first < bounds.oldest || *first > bounds.newest) {
    check.error = InputError{"Нелогичное значение индекса записи начала чтения",
                             "(см. значения индексов начала и конца архива)."};
    return check;
  }
  const auto count = countValue(countText);
  if (!count) {
    check.error = InputError{"Не введено количество записей для чтения", ""};
    return check;
  }
  if (*count == 0) {
    check.error = InputError{"Нелогичное значение количества записей для чтения", ""};
    return check;
  }
  // In 64 bits: the whole 32-bit range holds one record more than 32 bits can count.
  const std::uint64_t available = std::uint64_t{bounds.newest} - *first + 1;
  check.first = *first;
  check.count = static_cast<std::uint32_t>(std::min<std::uint64_t>(*count, available));
  return check;
}

std::string_view periodChoiceText(int choice) {
  return choice >= 0 && choice < kPeriodChoiceCount ? kPeriodChoices[choice] : "";
}

int periodChoiceOrDefault(std::uint32_t remembered) {
  return remembered < kPeriodChoiceCount ? static_cast<int>(remembered) : kDefaultPeriodChoice;
}

PeriodProposal proposePeriod(int choice, const DateTime6& now,
                             const ArchiveDialogSettings& settings) {
  switch (choice) {
    case 0:
      return {addHours(now, -1), now, false};
    case 1:
      return {addDays(now, -1), now, false};
    default:
      return {dateTimeFromDayCount(settings.periodBegin()),
              dateTimeFromDayCount(settings.periodEnd()), true};
  }
}

PeriodCheck checkPeriodInput(const PeriodFields& begin, const PeriodFields& end) {
  static constexpr TimeFieldCheck kBeginChecks[] = {
      {&PeriodFields::hour, &DateTime6::hour, 24, "Значение часа начала диапазона"},
      {&PeriodFields::minute, &DateTime6::minute, 60, "Значение минут начала диапазона"},
      {&PeriodFields::second, &DateTime6::second, 60, "Значение секунд начала диапазона"}};
  static constexpr TimeFieldCheck kEndChecks[] = {
      {&PeriodFields::hour, &DateTime6::hour, 24, "Значение часа конца диапазона"},
      {&PeriodFields::minute, &DateTime6::minute, 60, "Значение минут конца диапазона"},
      {&PeriodFields::second, &DateTime6::second, 60, "Значение секунд конца диапазона"}};
  PeriodCheck check;
  check.error = readGroup(begin, check.begin, kBeginChecks);
  if (!check.error) check.error = readGroup(end, check.end, kEndChecks);
  if (!check.error && check.end < check.begin) {
    check.error =
        InputError{"Дата и время конца опроса должны быть", "больше даты и времени начала опроса"};
  }
  return check;
}

void rememberPeriod(ArchiveDialogSettings& settings, int choice, const DateTime6& begin,
                    const DateTime6& end) {
  if (choice != kPeriodChoiceCustom) return;
  settings.setPeriodBegin(dayCountFromDateTime(begin));
  settings.setPeriodEnd(dayCountFromDateTime(end));
}

}  // namespace zvc
