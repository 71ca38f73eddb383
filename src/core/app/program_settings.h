#pragma once

#include "core/app/archive_dialog_settings.h"
#include "core/app/working_folder.h"
#include "core/link/link_settings.h"
#include "core/link/subscribers.h"

namespace zvc {

// The settings files of the run: read at start-up, written after each successful connection
// dialog and at exit. Missing files give the defaults without a message.
class ProgramSettings {
 public:
  explicit ProgramSettings(const WorkingFolder& folder);

  // "rd_arh.ini", then "zvc.ini" with both address books, then the object list.
  void load(ScreenSize screen, double nowDayCount);
  // The link settings when they changed, then "rd_arh.ini". False when either failed.
  bool save();

  LinkSettingsStore link;
  ObjectList objects;
  ArchiveDialogSettings archiveDialog;
  // The choice of the hourly and daily period dialog, kept for the run only (not in a file):
  // 0 the last day or month, 1 a typed period.
  int shortPeriodChoice = 1;

 private:
  std::filesystem::path archiveDialogFile_;
  std::filesystem::path objectsFile_;
};

}  // namespace zvc
