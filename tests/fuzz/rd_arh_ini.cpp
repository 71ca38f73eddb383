// "rd_arh.ini": the last choices of the archive dialogs, as the dialogs propose them again.
#include "core/app/archive_dialog_settings.h"
#include "core/archives/archive_dialogs.h"
#include "core/common/calendar.h"
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

const DateTime6 kNow{26, 3, 15, 12, 34, 56};

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  const ArchiveDialogSettings settings =
      loadArchiveDialogSettings(scratchFile("rd_arh.ini", input), dayCountFromDateTime(kNow));
  (void)indexChoiceText(indexChoiceOrDefault(settings.indexChoice()));
  const int period = periodChoiceOrDefault(settings.periodChoice());
  (void)periodChoiceText(period);
  (void)proposePeriod(period, kNow, settings);
  (void)proposePeriod(2, kNow, settings);
}

std::vector<Bytes> seeds() {
  const double now = dayCountFromDateTime(kNow);
  ArchiveDialogSettings remembered = ArchiveDialogSettings::defaults(now);
  rememberPeriod(remembered, 2, DateTime6{26, 3, 1, 0, 0, 0}, kNow);
  std::vector<Bytes> all;
  for (const ArchiveDialogSettings& settings : {ArchiveDialogSettings::defaults(now), remembered}) {
    all.push_back(writtenBytes("rd_arh.ini", [&](const std::filesystem::path& file) {
      saveArchiveDialogSettings(file, settings);
    }));
  }
  return all;
}

}  // namespace zvc::fuzz
