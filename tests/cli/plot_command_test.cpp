// plot of saved chromatograph files, run as the tool.
#include <gtest/gtest.h>

#include <QImage>

#include "cli_process.h"
#include "core/archives/message_files.h"
#include "core/tables/config_file.h"
#include "core/tables/config_record.h"
#include "support/chrom_fixtures.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

class PlotCommand : public ::testing::Test {
 protected:
  PlotCommand() {
    std::vector<test::ChromRecordBytes> hours;
    for (int hour = 0; hour < 24; ++hour) {
      hours.push_back(test::hourDayRecord({26, 3, 14}, hour, static_cast<std::uint8_t>(hour + 1), 0,
                                          {90.0F + hour * 0.05F, 0.7F}));
    }
    EXPECT_TRUE(writeMessageFile(file, test::chromHeader("HOU"), test::recordsOf(hours), frontend));
  }

  std::string png(const char* name) const { return temp.file(name).string(); }

  test::TempFolder temp;
  test::RecordingFrontend frontend;
  std::filesystem::path file = temp.file("h.hch");
};

TEST_F(PlotCommand, WritesAPngOfTheAskedSize) {
  const struct {
    std::vector<std::string> extra;
    QSize size;
  } cases[] = {
      {{}, QSize(1200, 700)},
      {{"--size", "640x480"}, QSize(640, 480)},
  };
  for (const auto& c : cases) {
    const std::string out = png("chart.png");
    std::filesystem::remove(out);
    std::vector<std::string> arguments = {"plot", file.string(), "--param", "CH4,Плотность",
                                          "--png", out};
    arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
    const auto plotted = test::runCli(arguments);
    ASSERT_EQ(plotted.status, 0) << plotted.err;
    EXPECT_EQ(QImage(QString::fromStdString(out)).size(), c.size);
  }
}

TEST_F(PlotCommand, SetpointsComeFromAConfigurationFile) {
  ConfigFileRecord record = defaultConfigRecord();
  const float upper = 91.0F;
  std::memcpy(&record.bytes[ConfigFileRecord::kLimits + 2 * ConfigFileRecord::kLimitsStep], &upper,
              4);
  const auto cnf = temp.file("station.cnf");
  ASSERT_TRUE(writeConfigFile(cnf, record, frontend));
  const auto plotted = test::runCli(
      {"plot", file.string(), "--param", "CH4", "--png", png("s.png"), "--config", cnf.string()});
  EXPECT_EQ(plotted.status, 0) << plotted.err;
  EXPECT_FALSE(QImage(QString::fromStdString(png("s.png"))).isNull());
}

TEST_F(PlotCommand, RefusalsSayWhy) {
  const struct {
    std::vector<std::string> arguments;
    const char* reason;
  } cases[] = {
      {{"plot", file.string(), "--param", "CO2", "--png", "x.png"},
       "no parameter \"CO2\" in the file; it has \"CH4\" \"Плотность\""},
      {{"plot", file.string(), "--png", "x.png"}, "plot needs --param"},
      {{"plot", file.string(), "--param", "CH4"}, "plot needs --png"},
      {{"plot", file.string(), "--param", "CH4,", "--png", "x.png"}, "between the commas"},
      {{"plot", file.string(), "--param", "CH4", "--png", "x.png", "--size", "99x500"},
       "--size: WIDTHxHEIGHT of 100..10000"},
      {{"plot", "a.ala", "--param", "CH4", "--png", "x.png"}, "is not a file with a chart"},
      {{"show", file.string(), "--png", "x.png"}, "--png is for plot"},
  };
  for (const auto& c : cases) {
    const auto refused = test::runCli(c.arguments);
    EXPECT_EQ(refused.status, 2) << c.reason;
    EXPECT_NE(refused.err.find(c.reason), std::string::npos) << refused.err;
  }
}

}  // namespace
}  // namespace zvc
