#include "core/archives/print_question.h"

#include <gtest/gtest.h>

#include "core/archives/archive_file_header.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;
using Type = PrintQuestionType;

TEST(PrintQuestionLines, EachTypeHasItsTitleControllerAndPeriodForm) {
  ArchiveFileHeader header;
  header.setPeriod(DateTime6{24, 3, 5, 7, 8, 9}, DateTime6{24, 12, 31, 23, 59, 58});
  struct Case {
    Type type;
    const char* title;
    const char* controller;
    const char* period;
  };
  // "контроллерa" ends in a Latin "a" on the printed forms.
  const Case cases[] = {
      {Type::kDiagnostic, "Перечень диагностических сообщений", "контроллерa ЖВЦ_15",
       "за период  с  05.03.24  07:08:09  по  31.12.24  23:59:58"},
      {Type::kIntervention, "Перечень сообщений о вмешательствах оператора",
       "в работу контроллерa ЖВЦ_15", "за период  с  05.03.24  07:08:09  по  31.12.24  23:59:58"},
      {Type::kMoistureHourly, "Часовые измерительные данные влагомера", "контроллерa ЖВЦ_15",
       "за период  с  05.03.24  07ч  по  31.12.24  23ч"},
      {Type::kMoistureDaily, "Суточные измерительные данные влагомера", "контроллерa ЖВЦ_15",
       "за период  с  05.03.24  по  31.12.24"},
      {Type::kMoistureMeasurement, "Измерительные данные влагомера", "контроллерa ЖВЦ_15",
       "за период  с  05.03.24  07:08:09  по  31.12.24  23:59:58"},
  };
  for (const Case& c : cases) {
    const PrintQuestionLines lines = printQuestionLines(c.type, header);
    EXPECT_EQ(lines.listTitle, c.title) << static_cast<int>(c.type);
    EXPECT_EQ(lines.controller, c.controller) << static_cast<int>(c.type);
    EXPECT_EQ(lines.period, c.period) << static_cast<int>(c.type);
  }
  EXPECT_NE(printQuestionLines(Type::kDiagnostic, header).controller.find("ерa"),
            std::string::npos);
}

class OrganisationTitleFile : public ::testing::Test {
 protected:
  TempFolder temp;
  WorkingFolder folder{temp.path()};
  std::filesystem::path file = organisationTitleFile(folder);
};

TEST_F(OrganisationTitleFile, LivesInTheIniFolder) {
  EXPECT_EQ(file, temp.path() / "INI" / "title.ini");
}

TEST_F(OrganisationTitleFile, MissingFileGivesEmptyText) {
  EXPECT_EQ(OrganisationTitle::load(file).text(), "");
}

TEST_F(OrganisationTitleFile, AcceptedTextIsRememberedForTheNextRun) {
  folder.createSubfolders();
  OrganisationTitle title = OrganisationTitle::load(file);
  EXPECT_EQ(title.accept("ООО \"Газ\""), "ООО \"Газ\"");

  const std::string stored = readBytes(file);
  ASSERT_EQ(stored.size(), 40u);
  EXPECT_EQ(stored.substr(0, 9), "\xCE\xCE\xCE \"\xC3\xE0\xE7\"") << "Windows-1251";
  EXPECT_EQ(stored.find_first_not_of('\0', 9), std::string::npos) << "NUL-padded";
  EXPECT_EQ(OrganisationTitle::load(file).text(), "ООО \"Газ\"");
}

TEST_F(OrganisationTitleFile, LongTextIsCutToFortyBytes) {
  folder.createSubfolders();
  std::string cut;
  for (int i = 0; i < 40; ++i) cut += "Ж";
  const std::string longText = cut + "ЖЖЖЖЖ";
  EXPECT_EQ(OrganisationTitle::load(file).accept(longText), cut);
  EXPECT_EQ(readBytes(file).size(), 40u);
  EXPECT_EQ(OrganisationTitle::load(file).text(), cut);
}

TEST_F(OrganisationTitleFile, UnchangedTextDoesNotRewriteTheFile) {
  folder.createSubfolders();
  std::string bytes = "Org";
  bytes.resize(40, '\0');
  writeBytes(file, bytes);
  const auto past = std::filesystem::last_write_time(file) - std::chrono::hours(24);
  std::filesystem::last_write_time(file, past);

  OrganisationTitle title = OrganisationTitle::load(file);
  ASSERT_EQ(title.text(), "Org");
  EXPECT_EQ(title.accept("Org"), "Org");
  EXPECT_EQ(std::filesystem::last_write_time(file), past);

  title.accept("Org2");
  EXPECT_NE(std::filesystem::last_write_time(file), past);
}

TEST_F(OrganisationTitleFile, ShortFileReadsWhatItHolds) {
  folder.createSubfolders();
  writeBytes(file, "Org");
  EXPECT_EQ(OrganisationTitle::load(file).text(), "Org");
}

TEST_F(OrganisationTitleFile, WriteFailureStillPrints) {
  // No INI folder: the text cannot be stored, the report gets it anyway.
  EXPECT_EQ(OrganisationTitle::load(file).accept("Org"), "Org");
  EXPECT_FALSE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace zvc
