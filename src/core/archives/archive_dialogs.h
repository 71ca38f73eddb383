#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/archives/archive_dates.h"
#include "core/common/calendar.h"
#include "core/ui/input_error.h"

namespace zvc {

class ArchiveDialogSettings;

// Oldest and newest record index of a message archive (fields 0 and 1 of table 10 or 11).
struct ArchiveBounds {
  std::uint32_t oldest = 0;
  std::uint32_t newest = 0;

  // `fields` holds the two little-endian u32 of the table.
  static ArchiveBounds fromFields(std::span<const std::uint8_t> fields);
  // Equal non-zero indices: the controller holds no record. Two zeros still lead to the dialog.
  bool empty() const { return oldest == newest && oldest != 0; }
};

// --- Record-index dialog (TFormIndex) ---

inline constexpr int kIndexChoiceCount = 5;
inline constexpr int kIndexChoiceCustom = 4;

// Mode 0 diagnostic, 1 intervention.
std::string_view indexDialogCaption(int mode);
std::string_view indexChoiceText(int choice);
// A remembered choice from the settings file; anything outside 0..4 gives the default 1.
int indexChoiceOrDefault(std::uint32_t remembered);

// What the two input fields show for a choice. The custom choice leaves them empty and enabled.
struct IndexProposal {
  std::optional<std::uint32_t> first;
  std::optional<std::uint32_t> count;
  bool inputsEnabled = false;
};
IndexProposal proposeIndexRange(int choice, ArchiveBounds bounds);

// The newest `wanted` records, or every record when the archive holds fewer.
struct IndexRange {
  std::uint32_t first = 0;
  std::uint32_t count = 0;
  bool operator==(const IndexRange&) const = default;
};
IndexRange newestRecords(ArchiveBounds bounds, std::uint32_t wanted);

// "Принять": either an error to show (the dialog stays) or the range to read, its count cut to
// the records from the first index to the newest.
struct IndexCheck {
  std::optional<InputError> error;
  std::uint32_t first = 0;
  std::uint32_t count = 0;
};
IndexCheck checkIndexInput(std::string_view firstText, std::string_view countText,
                           ArchiveBounds bounds);

// --- Period dialog (TFormPeriod) ---

inline constexpr int kPeriodChoiceCount = 3;
inline constexpr int kPeriodChoiceCustom = 2;
inline constexpr const char* kPeriodDialogCaption = "Ввод периода времени запрашиваемых данных";

std::string_view periodChoiceText(int choice);
// Anything outside 0..2 gives the default 0.
int periodChoiceOrDefault(std::uint32_t remembered);

struct PeriodProposal {
  DateTime6 begin;
  DateTime6 end;
  bool inputsEnabled = false;
};
// `now` is the computer's clock; the custom choice proposes the remembered period.
PeriodProposal proposePeriod(int choice, const DateTime6& now,
                             const ArchiveDialogSettings& settings);

// One group of the dialog: the date field and the hour, minute and second fields as they read
// (chosen from their lists or typed).
struct PeriodFields {
  Date3 date;
  std::string_view hour;
  std::string_view minute;
  std::string_view second;
};

struct PeriodCheck {
  std::optional<InputError> error;
  DateTime6 begin;
  DateTime6 end;
};
// An empty or non-numeric time field counts as out of range. An end equal to the begin passes.
PeriodCheck checkPeriodInput(const PeriodFields& begin, const PeriodFields& end);

// After an accepted custom period the dialog remembers it for the next time.
void rememberPeriod(ArchiveDialogSettings& settings, int choice, const DateTime6& begin,
                    const DateTime6& end);

}  // namespace zvc
