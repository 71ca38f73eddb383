#include "core/link/subscribers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/common/format.h"
#include "core/common/ini_file.h"
#include "core/common/text_codec.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr std::uint32_t ip(int a, int b, int c, int d) {
  return static_cast<std::uint32_t>(a) << 24 | static_cast<std::uint32_t>(b) << 16 |
         static_cast<std::uint32_t>(c) << 8 | static_cast<std::uint32_t>(d);
}

PhoneSubscriberList phoneList(const std::vector<std::pair<std::string, std::string>>& entries) {
  PhoneSubscriberList list;
  for (const auto& [name, phone] : entries) {
    list.entries[list.count++] = PhoneSubscriber{name, 1, 1, phone};
  }
  return list;
}

template <typename List>
std::vector<std::string> names(const List& list) {
  std::vector<std::string> result;
  for (int i = 0; i < list.count; ++i) result.push_back(list.entries[i].name);
  return result;
}

using Names = std::vector<std::string>;

TEST(SortSubscribersTest, NewEntryNamedFirstIsPlacedFirstAndSelected) {
  PhoneSubscriberList list = phoneList({{"ВЕРА", "3"}, {"АНТОН", "1"}, {"ГАЛИНА", "2"}});
  SortSubscribers(list);
  addSubscriber(list, PhoneSubscriber{"Ааронов", 7, 1, "9"});
  EXPECT_EQ(names(list), (Names{"Ааронов", "АНТОН", "ВЕРА", "ГАЛИНА"}));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(list.entries[0].address, 7);
}

TEST(SortSubscribersTest, LowerCaseCyrillicSortsAsUpperCase) {
  PhoneSubscriberList list =
      phoneList({{"ЯКОВ", ""}, {"борис", ""}, {"АНТОН", ""}, {"Zeta", ""}, {"alpha", ""}});
  list.selected = 1;  // "борис"
  SortSubscribers(list);
  EXPECT_EQ(names(list), (Names{"alpha", "Zeta", "АНТОН", "борис", "ЯКОВ"}));
  EXPECT_EQ(list.selected, 3);
}

TEST(SortSubscribersTest, EqualKeysKeepTheirOrderAndSelectionFollowsTheLastOfTheName) {
  PhoneSubscriberList list = phoneList({{"Пункт", "2"}, {"пункт", "1"}, {"Пункт", "3"}});
  list.selected = 0;
  SortSubscribers(list);
  EXPECT_EQ(list.entries[0].phone, "2");
  EXPECT_EQ(list.entries[1].phone, "1");
  EXPECT_EQ(list.entries[2].phone, "3");
  EXPECT_EQ(list.selected, 2);  // the last entry named exactly "Пункт"

  list.sortOrder = kSortByNumber;
  SortSubscribers(list);
  EXPECT_EQ(list.entries[0].phone, "1");
  EXPECT_EQ(list.entries[2].phone, "3");
  EXPECT_EQ(list.selected, 2);
}

TEST(SortSubscribersTest, EthernetByAddressComparesUnsigned) {
  EthernetSubscriberList list;
  list.entries[0] = {"high", 1, ip(192, 168, 0, 1), 502};
  list.entries[1] = {"low", 1, ip(10, 0, 0, 200), 502};
  list.entries[2] = {"mid", 1, ip(127, 0, 0, 1), 502};
  list.count = 3;
  list.sortOrder = kSortByNumber;
  SortSubscribers(list);
  EXPECT_EQ(names(list), (Names{"low", "mid", "high"}));
  EXPECT_EQ(list.selected, 2);
}

TEST(SubscriberListTest, TwoHundredthEntryIsTheLast) {
  PhoneSubscriberList list;
  for (int i = 0; i < kMaxSubscribers; ++i) {
    ASSERT_TRUE(canAddSubscriber(list));
    addSubscriber(list, PhoneSubscriber{format("N%03d", i), 1, 1, "1"});
  }
  EXPECT_EQ(list.count, kMaxSubscribers);
  EXPECT_FALSE(canAddSubscriber(list));
  addSubscriber(list, PhoneSubscriber{"one too many", 1, 1, "1"});
  EXPECT_EQ(list.count, kMaxSubscribers);
  EXPECT_EQ(list.entries[kMaxSubscribers - 1].name, "N199");
}

TEST(SubscriberListTest, RemovingMovesLaterEntriesUpAndClearsTheLastSlot) {
  PhoneSubscriberList list = phoneList({{"A", "1"}, {"B", "2"}, {"C", "3"}});
  list.selected = 0;
  removeSelectedSubscriber(list);
  EXPECT_EQ(names(list), (Names{"B", "C"}));
  EXPECT_EQ(list.selected, 0);  // the new first entry
  EXPECT_EQ(list.entries[2], PhoneSubscriber{});

  list.selected = 1;
  removeSelectedSubscriber(list);
  EXPECT_EQ(names(list), (Names{"B"}));
  EXPECT_EQ(list.selected, 0);
  removeSelectedSubscriber(list);
  EXPECT_EQ(list.count, 0);
  removeSelectedSubscriber(list);  // nothing left to remove
  EXPECT_EQ(list.count, 0);
}

TEST(SubscriberFilesTest, PhoneFileHoldsAllTwoHundredSlots) {
  TempFolder folder;
  const auto path = folder.file("fon_abonents.ini");
  PhoneSubscriberList list = phoneList({{"Южная ГРС", "+380441234567"}, {"Ёлочка", "0,5551234"}});
  list.entries[1].modbusAddress = 17;
  list.selected = 1;
  ASSERT_TRUE(writePhoneSubscribers(path, list));

  const IniFile file = IniFile::load(path);
  for (int i = 1; i <= kMaxSubscribers; ++i) {
    EXPECT_TRUE(file.hasSection(format("FON_ABONENT_%d", i))) << i;
  }
  EXPECT_FALSE(file.hasSection("FON_ABONENT_201"));
  EXPECT_EQ(file.value("FON_CONN_PAR", "users_num"), "2");
  EXPECT_EQ(file.value("FON_ABONENT_2", "adr_modbus"), "17");
  EXPECT_NE(readBytes(path).find(utf8ToCp1251("user_name=Южная ГРС\r\n")), std::string::npos);

  // Reading sorts by name: "Ёлочка" (Ё = 0xA8) comes before "Южная".
  const PhoneSubscriberList reread = readPhoneSubscribers(path);
  EXPECT_EQ(names(reread), (Names{"Ёлочка", "Южная ГРС"}));
  EXPECT_EQ(reread.selected, 0);
  EXPECT_EQ(reread.entries[0].phone, "0,5551234");
  EXPECT_EQ(reread.entries[0].modbusAddress, 17);
}

TEST(SubscriberFilesTest, EthernetFileHoldsOnlyUsedEntries) {
  TempFolder folder;
  const auto path = folder.file("ethr_abonents.ini");
  EthernetSubscriberList list;
  list.entries[0] = {"Шлюз", 3, ip(192, 168, 1, 10), 4001};
  list.entries[1] = {"Резерв", 4, ip(10, 0, 0, 1), 4002};
  list.count = 2;
  ASSERT_TRUE(writeEthernetSubscribers(path, list));
  EXPECT_EQ(IniFile::load(path).value("ETHERNET_ABONENT_1", "ip_adr"),
            std::to_string(static_cast<std::int32_t>(ip(192, 168, 1, 10))));

  list.selected = 1;
  removeSelectedSubscriber(list);
  ASSERT_TRUE(writeEthernetSubscribers(path, list));
  const IniFile file = IniFile::load(path);
  EXPECT_TRUE(file.hasSection("ETHERNET_ABONENT_1"));
  EXPECT_FALSE(file.hasSection("ETHERNET_ABONENT_2"));
  EXPECT_EQ(readEthernetSubscribers(path), list);
}

TEST(SubscriberFilesTest, ObjectListRoundTrips) {
  TempFolder folder;
  const auto path = folder.file("objects.ini");
  ObjectList list;
  addObject(list, "ГРС Полтава");
  addObject(list, "АГНКС 5");
  EXPECT_EQ(list.names[0], "АГНКС 5");
  EXPECT_EQ(list.selected, 0);
  ASSERT_TRUE(writeObjects(path, list));
  EXPECT_EQ(IniFile::load(path).value("OBJECT_2", "obj_name"), "ГРС Полтава");
  EXPECT_EQ(readObjects(path), list);

  EXPECT_TRUE(canRemoveObject(list));
  removeSelectedObject(list);
  EXPECT_FALSE(canRemoveObject(list));
  EXPECT_TRUE(canChangeObject(list));
  ASSERT_TRUE(writeObjects(path, list));
  EXPECT_FALSE(IniFile::load(path).hasSection("OBJECT_2"));
}

TEST(SubscriberFilesTest, MissingFilesGiveEmptyLists) {
  TempFolder folder;
  const PhoneSubscriberList phones = readPhoneSubscribers(folder.file("fon_abonents.ini"));
  EXPECT_EQ(phones.count, 0);
  EXPECT_EQ(phones.entries[199].address, 1);
  EXPECT_EQ(readEthernetSubscribers(folder.file("ethr_abonents.ini")).count, 0);
  EXPECT_EQ(readObjects(folder.file("objects.ini")).count, 0);
  EXPECT_FALSE(canChangeObject(ObjectList{}));
}

TEST(SubscriberFilesTest, HandEditedValuesFitIntoTheFields) {
  TempFolder folder;
  const std::string longName(80, 'N');
  std::string phoneFile = "[FON_CONN_PAR]\r\nusers_num=999\r\nuser_index=500\r\nsort_prz=7\r\n";
  for (int i = 1; i <= 3; ++i) {
    phoneFile += format("[FON_ABONENT_%d]\r\nuser_name=%c%s\r\ncontr_adr=%s\r\nphone_code=%s\r\n",
                        i, 'A' + i, longName.c_str(),
                        i == 1   ? "0"
                        : i == 2 ? "300"
                                 : "abc",
                        std::string(40, '7').c_str());
  }
  phoneFile += "adr_modbus=-4\r\n";
  writeBytes(folder.file("fon.ini"), phoneFile);
  const PhoneSubscriberList phones = readPhoneSubscribers(folder.file("fon.ini"));
  EXPECT_EQ(phones.count, kMaxSubscribers);
  EXPECT_LT(phones.selected, phones.count);
  EXPECT_EQ(phones.sortOrder, kSortByName);
  for (const PhoneSubscriber& entry : phones.entries) {
    EXPECT_LE(utf8ToCp1251(entry.name).size(), kSubscriberNameChars);
    EXPECT_LE(utf8ToCp1251(entry.phone).size(), kPhoneNumberChars);
    EXPECT_GE(entry.address, 1);
  }
  // Empty slots sort first by name; the three named ones end the list.
  EXPECT_EQ(phones.entries[199].address, 1);        // "abc": the default
  EXPECT_EQ(phones.entries[198].address, 255);      // 300
  EXPECT_EQ(phones.entries[197].address, 1);        // 0
  EXPECT_EQ(phones.entries[199].modbusAddress, 0);  // -4

  writeBytes(folder.file("ethr.ini"),
             "[ETHERNET_CONN_PAR]\r\nusers_num=201\r\nuser_index=-3\r\n"
             "[ETHERNET_ABONENT_1]\r\nuser_name=" +
                 utf8ToCp1251(std::string(30, 'x') + "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ") +
                 "\r\nip_adr=3232235777\r\nport=70000\r\n");
  const EthernetSubscriberList ethernet = readEthernetSubscribers(folder.file("ethr.ini"));
  EXPECT_EQ(ethernet.count, kMaxSubscribers);
  // The selection (-3, so the first slot) follows its entry behind the 199 empty slots.
  EXPECT_EQ(ethernet.selected, 199);
  const EthernetSubscriber& first = ethernet.entries[199];
  EXPECT_EQ(first.name, std::string(30, 'x') + "ЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖЖ");  // 49 characters
  EXPECT_EQ(first.ip, ip(192, 168, 1, 1));
  EXPECT_EQ(first.port, 65535);

  writeBytes(folder.file("obj.ini"), "[OBJECT_LIST]\r\nobj_num=77\r\n[OBJECT_1]\r\nobj_name=" +
                                         std::string(70, 'o') + "\r\n");
  const ObjectList objects = readObjects(folder.file("obj.ini"));
  EXPECT_EQ(objects.count, kMaxObjects);
  EXPECT_EQ(objects.names[0], std::string(kObjectNameChars, 'o'));
}

struct PhoneCase {
  PhoneSubscriberInput input;
  InputError error;
};

TEST(SubscriberDialogTest, PhoneChecksInOrder) {
  const InputError missing{"Введены не все параметры", ""};
  const InputError badAddress{"Адрес вне допустимого диапазона", "(1...255)"};
  const PhoneCase cases[] = {
      {{"", "1", "123"}, missing},        {{"Имя", " ", "123"}, missing},
      {{"Имя", "0", ""}, badAddress},     {{"Имя", "256", "123"}, badAddress},
      {{"Имя", "1a", "123"}, badAddress}, {{"Имя", "255", ""}, missing},
  };
  for (const PhoneCase& c : cases) {
    PhoneSubscriber entry{"old", 9, 1, "old"};
    EXPECT_EQ(acceptPhoneSubscriber(c.input, entry), c.error) << c.input.address;
    EXPECT_EQ(entry, (PhoneSubscriber{"old", 9, 1, "old"}));
  }
  PhoneSubscriber entry{"old", 9, 5, "old"};
  EXPECT_EQ(acceptPhoneSubscriber({std::string(60, 'a'), "255", std::string(35, '5')}, entry),
            std::nullopt);
  EXPECT_EQ(entry, (PhoneSubscriber{std::string(49, 'a'), 255, 5, std::string(29, '5')}));
}

TEST(SubscriberDialogTest, EthernetChecksInOrderAndStoresNothingOnFailure) {
  const InputError missing{"Введены не все параметры", ""};
  struct Case {
    EthernetSubscriberInput input;
    std::optional<InputError> error;
  };
  const Case cases[] = {
      {{"Шлюз", "2", {"192", "168", "0", "256"}, "502"},
       InputError{"Поле IP-адреса вне допустимого диапазона", "(0...255)"}},
      {{"Шлюз", "2", {"192", "", "0", "1"}, "502"}, missing},
      {{"Шлюз", "2", {"192", "168", "0", "1"}, ""}, missing},
      {{"Шлюз", "0", {"192", "168", "0", "1"}, "502"},
       InputError{"Адрес вне допустимого диапазона", "(1...255)"}},
      {{"Шлюз", "2", {"192", "168", "0", "1"}, "65536"},
       InputError{"Параметр вне допустимого диапазона", "(0...65535)"}},
  };
  for (const Case& c : cases) {
    EthernetSubscriber entry{"old", 9, 1, 1};
    EXPECT_EQ(acceptEthernetSubscriber(c.input, entry), c.error);
    EXPECT_EQ(entry, (EthernetSubscriber{"old", 9, 1, 1}));
  }

  EthernetSubscriber entry;
  ASSERT_EQ(acceptEthernetSubscriber({"Шлюз", "2", {"10", "0", "0", "255"}, "65535"}, entry),
            std::nullopt);
  EXPECT_EQ(entry, (EthernetSubscriber{"Шлюз", 2, ip(10, 0, 0, 255), 65535}));
  EXPECT_EQ(ipPortText(entry), "10.0.0.255:65535");
}

TEST(SubscriberDialogTest, ObjectNeedsAName) {
  std::string stored = "old";
  EXPECT_EQ(acceptObjectName("  ", stored), (InputError{"Не введено наименование", ""}));
  EXPECT_EQ(stored, "old");
  EXPECT_EQ(acceptObjectName(std::string(60, 'z'), stored), std::nullopt);
  EXPECT_EQ(stored, std::string(50, 'z'));
}

}  // namespace
}  // namespace zvc
