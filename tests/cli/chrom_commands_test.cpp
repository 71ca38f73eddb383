// show and export of saved chromatograph files, run as the tool.
#include <gtest/gtest.h>

#include "cli_process.h"
#include "core/archives/message_files.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

TEST(ChromCommands, ShowAndExportASavedDailyFile) {
  test::TempFolder temp;
  test::RecordingFrontend frontend;
  const auto file = temp.file("d.dch");
  ASSERT_TRUE(writeMessageFile(
      file, test::chromHeader("DAY"),
      test::recordsOf({test::hourDayRecord({26, 3, 14}, 10, 0x0A, 0, {1.5F, 2})}), frontend));

  const auto shown = test::runCli({"show", file.string()});
  EXPECT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("Суточные данные хроматографа (сер. № 42; нитка \"Нитка 1/2\")"),
            std::string::npos);
  EXPECT_NE(shown.out.find("   Дата\t   Время\t  Время\tКол. ликв.\t   CH4\tПлотность\n"),
            std::string::npos);
  EXPECT_NE(shown.out.find(" 14.03.26\t 10:00:00\t 10:00:00*\t 12\t 1.500  \t 2.0000  \n"),
            std::string::npos);

  const auto xlsx = temp.file("d.xlsx");
  const auto exported = test::runCli({"export", file.string(), "--xlsx", xlsx.string()});
  EXPECT_EQ(exported.status, 0) << exported.err;
  EXPECT_TRUE(std::filesystem::exists(xlsx));
  // An existing spreadsheet is replaced only after the question.
  const auto refused = test::runCli({"export", file.string(), "--xlsx", xlsx.string()});
  EXPECT_NE(refused.status, 0);

  const auto wrong = test::runCli({"export", temp.file("x.ala").string(), "--xlsx", "y.xlsx"});
  EXPECT_EQ(wrong.status, 2);
}

}  // namespace
}  // namespace zvc
