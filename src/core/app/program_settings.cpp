#include "core/app/program_settings.h"

namespace zvc {

ProgramSettings::ProgramSettings(const WorkingFolder& folder)
    : link(folder.linkSettingsFiles()),
      archiveDialogFile_(folder.archiveDialogFile()),
      objectsFile_(folder.objectsFile()) {}

void ProgramSettings::load(ScreenSize screen, double nowDayCount) {
  archiveDialog = loadArchiveDialogSettings(archiveDialogFile_, nowDayCount);
  link.load(screen);
  objects = readObjects(objectsFile_);
}

bool ProgramSettings::save() {
  const bool linkSaved = link.save();
  return saveArchiveDialogSettings(archiveDialogFile_, archiveDialog) && linkSaved;
}

}  // namespace zvc
