#include "core/common/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/common/text_codec.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

TEST(IniFileTest, ReadsWhatWindowsReads) {
  const std::string longValue(200000, 'x');
  const IniFile file = IniFile::fromBytes(
      "\xEF\xBB\xBF"
      "; comment=not a key\n"
      "orphan=before any section\n"
      "[Main]\n"
      "  Key  =  value with blanks  \n"
      "key=second value loses\n"
      "garbage line without equals sign\n"
      "=no key\n"
      "Quoted=\"  kept blanks  \"\n"
      "Single='x'\n"
      "Long=" +
      longValue +
      "\n"
      "[Секция]\n"
      "Имя=Нитка 1\n"
      "[main]\n"
      "Later=invisible: the first section of a name wins\n");

  EXPECT_EQ(file.value("MAIN", "KEY"), "value with blanks");
  EXPECT_EQ(file.value("main", "Quoted"), "  kept blanks  ");
  EXPECT_EQ(file.value("Main", "Single"), "x");
  EXPECT_EQ(file.value("Main", "Long"), longValue);
  EXPECT_EQ(file.value("СЕКЦИЯ", "имя"), "Нитка 1");
  EXPECT_EQ(file.value("Main", "Later"), std::nullopt);
  EXPECT_EQ(file.value("Main", "garbage line without equals sign"), std::nullopt);
  EXPECT_EQ(file.value("Main", ""), std::nullopt);
  EXPECT_EQ(file.value("Main", "; comment"), std::nullopt);
  EXPECT_EQ(file.value("", "orphan"), std::nullopt);
  EXPECT_EQ(file.getString("Main", "Missing", "fallback"), "fallback");
}

TEST(IniFileTest, HostileIntegersGiveTheDefault) {
  const IniFile file = IniFile::fromBytes(
      "[N]\r\nabc=abc\r\nbig=99999999999999\r\nempty=\r\ntail=12abc\r\n"
      "good= 42 \r\nnegative=-7\r\nplus=+5\r\n");
  for (const char* key : {"abc", "big", "empty", "tail", "missing"}) {
    EXPECT_EQ(file.getInteger("N", key, 17), 17) << key;
  }
  EXPECT_EQ(file.getInteger("N", "good", 17), 42);
  EXPECT_EQ(file.getInteger("N", "negative", 17), -7);
  EXPECT_EQ(file.getInteger("N", "plus", 17), 5);
  EXPECT_EQ(file.getInteger("N", "negative", 17, 0, 100), 17);
  EXPECT_EQ(file.getInteger("N", "big", 17, 0, 99999999999999), 99999999999999);
}

TEST(IniFileTest, UnchangedFileGivesBackItsBytes) {
  const std::string bytes = utf8ToCp1251(
      "[FON_ABONENT_1]\r\nuser_name=Газпром, ГРС «Южная»\r\n\r\n; примечание\r\nodd line\r\n"
      "[X]\r\n k = v \r\n");
  EXPECT_EQ(IniFile::fromBytes(bytes).toBytes(), bytes);
}

TEST(IniFileTest, SettingKeysKeepTheRestOfTheFile) {
  IniFile file = IniFile::fromBytes("[A]\n a = 1 \n; note\nb=2\n\n[B]\nc=3\nkeep me\n");
  file.setString("a", "B", "two");     // replaced in place, caller's spelling
  file.setString("A", "new", "Ёлка");  // added after the last key of its section
  file.setInteger("C", "n", -12);      // a new section at the end
  const std::string expected = "[A]\r\n a = 1 \r\n; note\r\nB=two\r\n" + utf8ToCp1251("new=Ёлка") +
                               "\r\n\r\n[B]\r\nc=3\r\nkeep me\r\n[C]\r\nn=-12\r\n";
  EXPECT_EQ(file.toBytes(), expected);
}

TEST(IniFileTest, ValuesReadBackAsWritten) {
  IniFile file;
  const char* values[] = {"",           "plain",    "  leading and trailing  ",
                          "\"quoted\"", "'single'", "\"half",
                          "a=b;c",      "Кириллица"};
  for (const char* value : values) {
    file.setString("S", "k", value);
    EXPECT_EQ(IniFile::fromBytes(file.toBytes()).value("S", "k"), value) << value;
  }
  // A line break must not start a line of its own (a forged section, say).
  file.setString("S", "k", "x\r\n[S]\r\nk=forged");
  const IniFile reread = IniFile::fromBytes(file.toBytes());
  EXPECT_EQ(reread.value("S", "k"), "x  [S]  k=forged");
}

TEST(IniFileTest, ReplacesAndRemovesWholeSections) {
  IniFile file = IniFile::fromBytes("[S]\nold=1\nother=2\n\n[T]\nt=1\n[s]\nduplicate=1\n");
  file.replaceSection("s", {{"x", "1"}, {"y", "2"}});
  EXPECT_EQ(file.toBytes(), "[S]\r\nx=1\r\ny=2\r\n\r\n[T]\r\nt=1\r\n[s]\r\nduplicate=1\r\n");
  file.removeSection("S");  // both, so the duplicate does not come to light
  EXPECT_EQ(file.toBytes(), "[T]\r\nt=1\r\n");
  EXPECT_FALSE(file.hasSection("s"));
  file.replaceSection("New", {{"k", "v"}});
  EXPECT_EQ(file.value("new", "k"), "v");
}

TEST(IniFileTest, SaveReplacesTheFileWhole) {
  TempFolder folder;
  const auto path = folder.file("zvc.ini");
  writeBytes(path, "[OLD]\r\nk=1\r\n");
  IniFile file = IniFile::load(path);
  file.setString("OLD", "k", "2");
  ASSERT_TRUE(file.save(path));
  EXPECT_EQ(readBytes(path), "[OLD]\r\nk=2\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  // A target that cannot be replaced leaves no temporary file behind.
  std::filesystem::create_directory(folder.file("dir.ini"));
  EXPECT_FALSE(file.save(folder.file("dir.ini")));
  EXPECT_FALSE(file.save(folder.file("missing/zvc.ini")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
}

TEST(IniFileTest, MissingFileIsEmpty) {
  TempFolder folder;
  const IniFile file = IniFile::load(folder.file("none.ini"));
  EXPECT_EQ(file.toBytes(), "");
  EXPECT_FALSE(file.hasSection("CURR_PAR"));
}

TEST(IniFileTest, UpperCaseCoversCyrillic) {
  EXPECT_EQ(cp1251ToUtf8(upperCp1251(utf8ToCp1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюя"))),
            "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
  EXPECT_EQ(cp1251ToUtf8(upperCp1251(utf8ToCp1251("ґєії ўђѓљњќћџјѕ az09"))),
            "ҐЄІЇ ЎЂЃЉЊЌЋЏЈЅ AZ09");
}

}  // namespace
}  // namespace zvc
