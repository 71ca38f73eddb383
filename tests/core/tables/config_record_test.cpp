#include "core/tables/config_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"
#include "support/recording_frontend.h"

namespace zvc {
namespace {

using Record = ConfigFileRecord;

constexpr std::size_t kUserSlotBytes = 22;

std::string textAt(const Record& record, std::size_t offset, std::size_t size) {
  return fieldToUtf8(&record.bytes[offset], size);
}

void setUser(Record& record, int slot, const char* name, int level, const char* code) {
  std::uint8_t* user = &record.bytes[Record::kUsers + kUserSlotBytes * slot];
  std::memcpy(user, name, 4);
  user[4] = static_cast<std::uint8_t>(level);
  std::memcpy(user + 18, code, 4);
}

TEST(ConfigFileRecord, SectionsLieAtTheirOffsets) {
  static_assert(sizeof(Record) == 4335);
  EXPECT_EQ(Record::kLimits + 4 * Record::kLimitsStep + 80 + 100, Record::kAveragingPeriod);
  EXPECT_EQ(Record::kFlowComputers + 16 * Record::kFlowComputerRecord + 200, Record::kWriteNeed);
  EXPECT_EQ(Record::kConstants + Record::kRunStep + 80 + 200, Record::kSize);
}

TEST(ConfigFileRecord, DefaultRecordHoldsTheUsualConfiguration) {
  const Record record = defaultConfigRecord();
  EXPECT_EQ(record.bytes[0], 0);
  EXPECT_EQ(record.bytes[2], 73);
  EXPECT_EQ(record.bytes[4], 15);
  EXPECT_EQ(textAt(record, Record::kNames, 20), "Контроллер ЖВЦ_15");
  EXPECT_EQ(textAt(record, Record::kNames + 40, 20), "Нитка 2");
  EXPECT_EQ(record.bytes[Record::kUpperLink + 1], 11);
  EXPECT_EQ(record.bytes[Record::kSystem + 1], 0xC9);
  EXPECT_EQ(record.bytes[Record::kSystem + 6], 9);
  EXPECT_EQ(record.bytes[Record::kChromatographLink + 4], 150);
  EXPECT_EQ(record.bytes[Record::kChromatographLink + 14], 15);
  EXPECT_EQ(record.bytes[Record::kMoistureMeterLink + 6], 1);
  EXPECT_EQ(record.bytes[Record::kFlowComputerLink + 3], 20);
  EXPECT_EQ(record.bytes[Record::kAveragingPeriod], 1);
  EXPECT_EQ(record.flowComputer(0)[2], 0xA3);
  EXPECT_EQ(record.flowComputer(15)[0], 16);
  EXPECT_EQ(record.flowComputer(15)[1], 0);
  EXPECT_EQ(record.bytes[Record::kFlowComputers + 4], ' ');
  EXPECT_EQ(record.bytes[Record::kUsers + 15 * kUserSlotBytes + 21], ' ');
  // Table 1: the last default parameter, "Hi", register 32504 = 0x7EF8, range 0..100.
  const std::size_t hi = Record::kParameters + 14 * 64;
  EXPECT_EQ(textAt(record, hi, 40), "Теплота сгорания низшая");
  EXPECT_EQ(textAt(record, hi + 40, 10), "Hi");
  EXPECT_EQ(record.bytes[hi + 59], 0xF8);
  EXPECT_EQ(record.bytes[hi + 60], 0x7E);
  float maximum = 0;
  std::memcpy(&maximum, &record.bytes[hi + 55], 4);
  EXPECT_EQ(maximum, 100.0F);
  EXPECT_EQ(record.bytes[Record::kParameters + 15 * 64 + 50], 0);  // record 15 stays empty
}

TEST(ConfigFileRecord, ScramblingIsItsOwnInverseAndBlankIsE4) {
  Record record = defaultConfigRecord();
  std::memcpy(&record.bytes[Record::kFlowComputers + 20 * 3 + 4], "secret\xFF\x00\x05", 9);
  const Record plain = record;
  scramblePasswords(record);
  EXPECT_EQ(record.bytes[Record::kFlowComputers + 4], 0xE4);
  EXPECT_EQ(record.bytes[Record::kFlowComputers + 20 * 3 + 4], std::uint8_t(4 - 's'));
  EXPECT_EQ(record.bytes[Record::kFlowComputers], 1);  // addresses are not scrambled
  scramblePasswords(record);
  EXPECT_EQ(record, plain);
}

TEST(ConfigFileRecord, ImageToRecordMarksItReadAndBlanksPasswords) {
  ConfigImage image;
  image.table(0)[1] = 73;
  image.table(0)[3] = 15;
  image.field(13, 2)[0] = 'x';
  image.field(18, 2)[0] = 42;
  image.field(17, 2)[0] = 3;
  image.field(19, 2)[0] = 5;
  image.field(20, 2)[0] = 1;
  image.field(46, 19)[3] = 0x77;
  image.field(4, 1)[0] = 'A';
  Record record = defaultConfigRecord();
  imageToConfigRecord(image, record);
  EXPECT_EQ(record.bytes[0], 1);
  EXPECT_EQ(record.bytes[2], 73);
  EXPECT_EQ(record.flowComputer(2)[0], 42);
  EXPECT_EQ(record.flowComputer(2)[1], 3);
  EXPECT_EQ(record.flowComputer(2)[2], 5);
  EXPECT_EQ(record.flowComputer(2)[3], 1);
  EXPECT_EQ(record.flowComputer(2)[4], ' ');
  EXPECT_EQ(record.bytes[4055 + 79], 0x77);
  EXPECT_EQ(record.bytes[Record::kUsers + 22], 'A');
  EXPECT_EQ(textAt(record, Record::kNames, 20), "");  // the image's names, empty here
}

TEST(ConfigFileRecord, RecordToImageCopiesEverySection) {
  Record record = defaultConfigRecord();
  record.flowComputer(1)[4] = 'p';
  record.bytes[4055 + 79] = 0x55;
  record.bytes[Record::kEthernet] = 9;
  ConfigImage image;
  test::RecordingFrontend frontend;
  ASSERT_TRUE(configRecordToImage(record, false, image, frontend));
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_EQ(image.field(13, 1)[0], 'p');
  EXPECT_EQ(image.field(18, 15)[0], 16);
  EXPECT_EQ(image.field(17, 0)[0], 2);
  EXPECT_EQ(image.field(46, 19)[3], 0x55);
  EXPECT_EQ(image.field(29, 0)[0], 9);
  EXPECT_EQ(image.field(6, 6)[0], 9);
  EXPECT_EQ(image.field(4, 0)[0], 0);  // the users table is left without the users check
  // And back: a record read from that image holds the same sections, passwords aside.
  Record back = defaultConfigRecord();
  imageToConfigRecord(image, back);
  back.bytes[0] = 0;
  std::copy_n(record.bytes.begin() + 1, 18, back.bytes.begin() + 1);
  back.flowComputer(1)[4] = 'p';
  std::copy_n(record.bytes.begin() + Record::kUsers, 352, back.bytes.begin() + Record::kUsers);
  EXPECT_EQ(back, record);
}

struct CheckCase {
  const char* what;
  void (*prepare)(Record&);
  const char* line1;
  const char* line2;
  bool usersCopied;  // the check failed after table 4 was copied
};

void oneManufacturer(Record& r) {
  setUser(r, 0, "ADM ", 1, "1111");
}

const CheckCase kChecks[] = {
    {"no manufacturer", [](Record&) {}, "В списке зарегистрированных пользователей",
     "не зарегистрирован производитель-наладчик", false},
    {"two manufacturers, the second nameless",
     [](Record& r) {
       oneManufacturer(r);
       setUser(r, 5, "    ", 1, "    ");
     },
     "Может быть зарегистрирован", "только один производитель-наладчик", false},
    {"nameless user",
     [](Record& r) {
       oneManufacturer(r);
       setUser(r, 3, "    ", 2, "2222");
     },
     "Номер пользователя в таблице: 4.", "Не задано имя пользователя", false},
    {"codeless user",
     [](Record& r) {
       oneManufacturer(r);
       setUser(r, 2, "BOB ", 4, "    ");
     },
     "Номер пользователя в таблице: 3.", "Не задан код идентификации пользователя", false},
    {"same names",
     [](Record& r) {
       oneManufacturer(r);
       setUser(r, 6, "ADM ", 3, "3333");
     },
     "Пользователи   1 и 7.", "Совпадение имен пользователей", false},
    {"same codes",
     [](Record& r) {
       oneManufacturer(r);
       setUser(r, 6, "ENG ", 3, "1111");
     },
     "Пользователи   1 и 7.", "Совпадение кодов идентификации пользователя", false},
    {"chromatograph without address",
     [](Record& r) {
       oneManufacturer(r);
       r.bytes[Record::kChromatographLink] = 0;
     },
     "Неверно задан адрес хроматографа", "", true},
    {"moisture meter without address",
     [](Record& r) {
       oneManufacturer(r);
       r.bytes[Record::kSystem + 8] = 1;
       r.bytes[Record::kMoistureMeterLink] = 0;
     },
     "Неверно задан адрес влагомера", "", true},
    {"flow computer without address",
     [](Record& r) {
       oneManufacturer(r);
       r.bytes[Record::kFlowComputerLink] = 3;
       r.flowComputer(2)[0] = 0;
     },
     "Неверно заданы адреса вычислителей РГ", "", true},
};

TEST(ConfigFileRecord, RecordToImageStopsAtTheFirstFailedCheckKeepingWhatWasCopied) {
  for (const CheckCase& c : kChecks) {
    Record record = defaultConfigRecord();
    c.prepare(record);
    ConfigImage image;
    test::RecordingFrontend frontend;
    EXPECT_FALSE(configRecordToImage(record, true, image, frontend)) << c.what;
    ASSERT_EQ(frontend.messages.size(), 1u) << c.what;
    EXPECT_EQ(frontend.messages[0].kind, 2) << c.what;
    EXPECT_EQ(frontend.messages[0].line1, c.line1) << c.what;
    EXPECT_EQ(frontend.messages[0].line2, c.line2) << c.what;
    EXPECT_EQ(image.field(3, 1)[0], 11) << c.what;                    // tables 5, 1, 3 copied first
    EXPECT_EQ(image.field(4, 0)[0] == 'A', c.usersCopied) << c.what;  // "ADM "
    EXPECT_EQ(image.field(44, 0)[0], 0) << c.what;                    // nothing after the failure
    EXPECT_EQ(image.field(17, 0)[0], 0) << c.what;
  }
}

TEST(ConfigFileRecord, UsersCheckClearsEmptySlotsAndTheSpareByte) {
  Record record = defaultConfigRecord();
  oneManufacturer(record);
  setUser(record, 4, "OLD ", 0, "9999");
  record.bytes[Record::kUsers + 5] = 7;
  ConfigImage image;
  test::RecordingFrontend frontend;
  ASSERT_TRUE(configRecordToImage(record, true, image, frontend));
  EXPECT_EQ(fieldToUtf8(image.field(4, 4).data(), 22), "");
  EXPECT_EQ(image.field(4, 4)[0], ' ');
  EXPECT_EQ(image.field(4, 0)[5], 0);
  EXPECT_EQ(image.field(4, 0)[0], 'A');
}

}  // namespace
}  // namespace zvc
