#include "core/app/working_folder.h"

#include <gtest/gtest.h>

#include "core/app/program_settings.h"
#include "core/common/calendar.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(WorkingFolderResolve, GivenFolderThenWritableProgramFolderThenUserDataFolder) {
  TempFolder temp;
  const fs::path executable = temp.file("zvc");
  const fs::path home = "/home/operator";

  EXPECT_EQ(WorkingFolder::resolve(fs::path("/srv/zvc"), executable, home).root(), "/srv/zvc");
  EXPECT_EQ(WorkingFolder::resolve(std::nullopt, executable, home).root(), temp.path());
  EXPECT_EQ(WorkingFolder::resolve(std::nullopt, "/no/such/folder/zvc", home).root(),
            "/home/operator/.local/share/zvc");
}

TEST(WorkingFolderResolve, BareProgramNameMeansTheCurrentFolder) {
  EXPECT_EQ(WorkingFolder::resolve(std::nullopt, "zvc", "/home/operator").root(), ".");
}

// A folder whose name has spaces and Cyrillic letters, not made yet.
class FreshWorkingFolder : public ::testing::Test {
 protected:
  TempFolder temp;
  WorkingFolder folder{temp.path() / "Программа ЖВЦ" / "рабочая папка"};
};

TEST_F(FreshWorkingFolder, FirstStartMakesTheTenSubfoldersAndNoArchiveDialogFile) {
  folder.createSubfolders();

  for (std::string_view name : kSubfolderNames) {
    EXPECT_TRUE(fs::is_directory(folder.root() / name)) << name;
  }
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.root())) ++entries;
  EXPECT_EQ(entries, 10);

  ProgramSettings settings(folder);
  settings.load({1920, 1080}, 45000.5);
  EXPECT_FALSE(fs::exists(folder.archiveDialogFile()));
  EXPECT_EQ(settings.archiveDialog.indexChoice(), 1u);
  EXPECT_EQ(settings.link.settings.general.formWidth, 1000);

  ASSERT_TRUE(settings.save());
  EXPECT_EQ(fs::file_size(folder.archiveDialogFile()), 74u);
}

TEST_F(FreshWorkingFolder, PathsAreBuiltFromTheFolderUnchanged) {
  const fs::path ini = folder.root() / "INI";
  EXPECT_EQ(folder.subfolder(Subfolder::kIni), ini);
  EXPECT_EQ(folder.subfolder(Subfolder::kCalibration), folder.root() / "CALIBRARHIV");
  const SettingsFiles files = folder.linkSettingsFiles();
  EXPECT_EQ(files.settings, ini / "zvc.ini");
  EXPECT_EQ(files.phoneList, ini / "fon_abonents.ini");
  EXPECT_EQ(files.ethernetList, ini / "ethr_abonents.ini");
  EXPECT_EQ(folder.objectsFile(), ini / "objects.ini");
  EXPECT_EQ(folder.archiveDialogFile(), ini / "rd_arh.ini");
  EXPECT_EQ(folder.file(kHourlyWorkFile), folder.root() / "datafile.hdm");
}

TEST_F(FreshWorkingFolder, SettingsWrittenThereReadBack) {
  folder.createSubfolders();
  ProgramSettings settings(folder);
  settings.load({1920, 1080}, 45000.5);
  settings.link.settings.direct.address = 17;
  settings.archiveDialog.setPeriodChoice(2);
  ASSERT_TRUE(settings.save());

  ProgramSettings again(folder);
  again.load({1920, 1080}, 0);
  EXPECT_EQ(again.link.settings.direct.address, 17);
  EXPECT_EQ(again.archiveDialog.periodChoice(), 2u);
}

TEST_F(FreshWorkingFolder, ExitDeletesTheWorkFilesThatExistAndNothingElse) {
  folder.createSubfolders();
  test::writeBytes(folder.file(kDiagnosticWorkFile), "records");
  test::writeBytes(folder.file(kVerificationWorkFile), "records");
  test::writeBytes(folder.file("datafile.txt"), "keep");

  folder.deleteWorkFiles();

  for (std::string_view name : kWorkFileNames) EXPECT_FALSE(fs::exists(folder.file(name)));
  EXPECT_TRUE(fs::exists(folder.file("datafile.txt")));
  EXPECT_TRUE(fs::is_directory(folder.subfolder(Subfolder::kConfig)));
}

}  // namespace
}  // namespace zvc
