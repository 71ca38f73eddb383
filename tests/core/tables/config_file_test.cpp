#include "core/tables/config_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <deque>
#include <string>

#include "core/app/working_folder.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

std::string recordBytes(const Record& record) {
  return {reinterpret_cast<const char*>(record.bytes.data()), record.bytes.size()};
}

// A save dialog that answers from a list and remembers where it started.
struct ScriptedDialog {
  std::deque<std::optional<std::filesystem::path>> answers;
  std::vector<std::filesystem::path> starts;
  AskFileName ask() {
    return [this](const std::filesystem::path& start) {
      starts.push_back(start);
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    };
  }
};

class ConfigFileTest : public ::testing::Test {
 protected:
  test::TempFolder temp;
  WorkingFolder folder{temp.path()};
  test::RecordingFrontend frontend;
  const DateTime6 now{26, 3, 7, 9, 5, 30};

  void SetUp() override { folder.createSubfolders(); }
};

TEST_F(ConfigFileTest, DefaultRecordSavedAndLoadedIsTheSame) {
  Record record = defaultConfigRecord();
  std::memcpy(&record.bytes[Record::kFlowComputers + 20 * 5 + 4], "pass-\xC9\x00\xFF", 8);
  const auto file = temp.file("a.cnf");
  ASSERT_TRUE(writeConfigFile(file, record, frontend));
  EXPECT_EQ(frontend.messages.back().line1, "Параметры конфигурации");
  EXPECT_EQ(frontend.messages.back().line2, "сохранены в файле a.cnf");
  const std::string disk = test::readBytes(file);
  ASSERT_EQ(disk.size(), 4335u);
  EXPECT_EQ(std::uint8_t(disk[Record::kFlowComputers + 4]), 0xE4);  // a blank password byte
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  const auto loaded = readConfigFile(file, frontend);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, record);
}

TEST_F(ConfigFileTest, FilesThatAreNoConfigurationAreRefused) {
  const std::string good = recordBytes(defaultConfigRecord());
  std::string version14 = good;
  version14[4] = 14;
  std::string otherType = good;
  otherType[2] = 72;
  struct Case {
    std::string bytes;
    int kind;
    const char* line1;
    const char* line2;
  };
  const Case cases[] = {
      {good.substr(0, 4334), 6, "Файл x.cnf не является файлом конфигурации", "контроллера ЖВЦ_15"},
      {good + '\0', 6, "Файл x.cnf не является файлом конфигурации", "контроллера ЖВЦ_15"},
      {otherType, 6, "Файл x.cnf не является файлом конфигурации", "контроллера ЖВЦ"},
      {version14, 6, "Файл параметров конфигурации x.cnf подготовлен",
       "для контроллера ЖВЦ с версией ПО 14"},
  };
  for (const Case& c : cases) {
    test::writeBytes(temp.file("x.cnf"), c.bytes);
    frontend.messages.clear();
    EXPECT_FALSE(readConfigFile(temp.file("x.cnf"), frontend)) << c.line2;
    ASSERT_EQ(frontend.messages.size(), 1u);
    EXPECT_EQ(frontend.messages[0].kind, c.kind);
    EXPECT_EQ(frontend.messages[0].line1, c.line1);
    EXPECT_EQ(frontend.messages[0].line2, c.line2);
  }
  frontend.messages.clear();
  EXPECT_FALSE(readConfigFile(temp.file("missing.cnf"), frontend));
  EXPECT_EQ(frontend.messages.at(0).line1, "Ошибка открытия файла");
  EXPECT_EQ(frontend.messages.at(0).kind, 1);
}

TEST_F(ConfigFileTest, DefaultNameCarriesVersionNameAndMinute) {
  Record record = defaultConfigRecord();
  EXPECT_EQ(defaultConfigFileName(folder, record, now),
            temp.path() / "CONFIG" / "zvc_15-Контроллер ЖВЦ_15-2603070905.cnf");
  // A name with a folder separator stays a name.
  std::memcpy(&record.bytes[Record::kNames], "  a/b \0", 7);
  EXPECT_EQ(defaultConfigFileName(folder, record, now).filename(), "zvc_15-a_b-2603070905.cnf");
}

TEST_F(ConfigFileTest, SaveAppendsExtensionAndAsksBeforeReplacing) {
  const Record record = defaultConfigRecord();
  test::writeBytes(temp.file("old.cnf"), "keep");
  ScriptedDialog dialog;
  dialog.answers = {temp.file("old"), temp.file("new.txt")};
  frontend.answers = {false};  // do not replace old.cnf
  ASSERT_TRUE(saveConfigRecord(folder, record, now, dialog.ask(), frontend));
  EXPECT_EQ(dialog.starts.at(0), defaultConfigFileName(folder, record, now));
  EXPECT_EQ(dialog.starts.at(1), temp.file("old.cnf"));
  EXPECT_EQ(frontend.messages.at(0).line1, "Файл old.cnf уже есть.");
  EXPECT_EQ(test::readBytes(temp.file("old.cnf")), "keep");
  EXPECT_EQ(test::readBytes(temp.file("new.txt")).size(), 4335u);

  // Even the proposed name is not replaced unasked: a second save within the minute.
  const auto proposed = defaultConfigFileName(folder, record, now);
  test::writeBytes(proposed, "earlier");
  ScriptedDialog cancelled;
  cancelled.answers = {proposed, std::nullopt};
  frontend.answers = {false};
  EXPECT_FALSE(saveConfigRecord(folder, record, now, cancelled.ask(), frontend));
  EXPECT_EQ(test::readBytes(proposed), "earlier");
}

TEST_F(ConfigFileTest, FailedWriteLeavesTheOldFile) {
  const auto file = temp.file("locked") / "a.cnf";
  EXPECT_FALSE(writeConfigFile(file, defaultConfigRecord(), frontend));
  EXPECT_EQ(frontend.messages.at(0).line1, "Ошибка открытия файла");
}

}  // namespace
}  // namespace zvc
