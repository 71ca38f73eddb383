#include "core/link/link_settings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <string>

#include "core/common/ini_file.h"
#include "core/common/text_codec.h"
#include "core/link/kpsbox.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

constexpr ScreenSize kScreen{1920, 1080};

// The text of one section as the file holds it, header included.
std::string sectionBytes(const std::string& file, const std::string& header) {
  const std::size_t begin = file.find("[" + header + "]");
  if (begin == std::string::npos) return {};
  const std::size_t end = file.find("\r\n[", begin);
  return file.substr(begin, end == std::string::npos ? std::string::npos : end + 2 - begin);
}

// What "zvc.ini" itself holds: the address books live in their own files.
LinkSettings withoutLists(LinkSettings settings) {
  settings.phone.subscribers = {};
  settings.ethernet.subscribers = {};
  return settings;
}

class LinkSettingsFileTest : public ::testing::Test {
 protected:
  LinkSettingsStore loaded() {
    LinkSettingsStore store(files);
    store.load(kScreen);
    return store;
  }

  TempFolder folder;
  SettingsFiles files{folder.file("zvc.ini"), folder.file("fon_abonents.ini"),
                      folder.file("ethr_abonents.ini")};
};

// A file as an installation on Windows leaves it, with hand-made touches: spacing, comments,
// an unknown key, a Cyrillic modem command, our PORTS section.
const std::string kHandMadeFile = utf8ToCp1251(
    "[CURR_PAR]\r\n"
    "Conn_Prz = 1\r\n"
    "Free_Port_Wait=3\r\n"
    "Do_Close_Port=1\r\n"
    "Form_Width=1100\r\n"
    "Form_Height=700\r\n"
    "Form_Left=10\r\n"
    "Form_Top=20\r\n"
    "\r\n"
    "[DIR_CONN_PAR]\r\n"
    "; кабель к щиту КИП\r\n"
    "COMPort=3\r\n"
    "Adr=12\r\n"
    "Rate=9600\r\n"
    "Preambles=2\r\n"
    "Repeat=3\r\n"
    "TimeOut=200\r\n"
    "WaitTime=4\r\n"
    "\r\n"
    "[FON_CONN_PAR]\r\n"
    "COMPort = 4\r\n"
    "Adr=5\r\n"
    "Rate=19200\r\n"
    "Preambles=5\r\n"
    "Repeat=2\r\n"
    "TimeOut=500\r\n"
    "WaitTime=10\r\n"
    "Default_Command=1\r\n"
    "Command=AT&F; звонок\r\n"
    "ConnectWaitTime=60\r\n"
    "AutoRepeat=1\r\n"
    "Conn_Repeat=3\r\n"
    "Примечание=оставить\r\n"
    "\r\n"
    "[ETHERNET_CONN_PAR]\r\n"
    "Adr = 7\r\n"
    "Preambles=0\r\n"
    "Repeat=4\r\n"
    "TimeOut=1000\r\n"
    "WaitTime=8\r\n"
    "ConnectWaitTime=30\r\n"
    "Conn_Repeat=2\r\n"
    "\r\n"
    "[PORTS]\r\n"
    "COM3=/dev/serial/by-id/usb-FTDI_щит-if00\r\n"
    "COM250=/dev/pts/7\r\n");

TEST_F(LinkSettingsFileTest, NoFileGivesTheDefaults) {
  LinkSettingsStore store = loaded();
  const LinkSettings& s = store.settings;
  EXPECT_EQ(s.general.linkKind, kDirectLink);
  EXPECT_EQ(s.direct, (LinkParams{1, 1, 38400, 5, 1, 100, 2}));
  EXPECT_EQ(s.phone.params, (LinkParams{1, 1, 38400, 5, 1, 100, 6}));
  EXPECT_EQ(s.ethernet.params.address, 1);
  EXPECT_EQ(s.ethernet.params.preambles, 5);
  EXPECT_EQ(s.ethernet.params.tries, 1);
  EXPECT_EQ(s.ethernet.params.nextByteWaitMs, 300);
  EXPECT_EQ(s.ethernet.params.firstByteWaitS, 5);
  EXPECT_EQ(s.general.portReleaseWaitS, 1);
  EXPECT_FALSE(s.general.closePortAfterEachCommand);
  EXPECT_EQ(s.general.formWidth, 1000);
  EXPECT_EQ(s.general.formHeight, 680);
  EXPECT_EQ(s.general.formLeft, 460);
  EXPECT_EQ(s.general.formTop, 200);
  EXPECT_EQ(s.phone.connectWaitS, 50);
  EXPECT_EQ(s.phone.connectAttempts, 1);
  EXPECT_EQ(s.phone.modemCommand, "");
  EXPECT_EQ(s.ethernet.connectWaitS, 10);
  EXPECT_EQ(s.ethernet.connectAttempts, 1);
  EXPECT_EQ(s.ethernet.requestPauseMs, 500);
  EXPECT_EQ(s.phone.subscribers.count, 0);

  // Nothing changed: nothing is written, not even a file of defaults.
  EXPECT_TRUE(store.save());
  EXPECT_FALSE(std::filesystem::exists(files.settings));
}

TEST_F(LinkSettingsFileTest, ReadsEveryKey) {
  writeBytes(files.settings, kHandMadeFile);
  const LinkSettings s = loaded().settings;
  EXPECT_EQ(s.general, (GeneralSettings{kPhoneLink, 3, true, 700, 1100, 10, 20}));
  EXPECT_EQ(s.direct, (LinkParams{3, 12, 9600, 2, 3, 200, 4}));
  EXPECT_EQ(s.phone.params, (LinkParams{4, 5, 19200, 5, 2, 500, 10}));
  EXPECT_TRUE(s.phone.defaultCommand);
  EXPECT_EQ(s.phone.modemCommand, "AT&F; звонок");
  EXPECT_EQ(s.phone.connectWaitS, 60);
  EXPECT_TRUE(s.phone.autoRepeat);
  EXPECT_EQ(s.phone.connectAttempts, 3);
  EXPECT_EQ(s.ethernet.params, (LinkParams{1, 7, 38400, 0, 4, 1000, 8}));
  EXPECT_EQ(s.ethernet.connectWaitS, 30);
  EXPECT_EQ(s.ethernet.connectAttempts, 2);
  EXPECT_EQ(s.ethernet.requestPauseMs, 500);  // a file from before the key
  EXPECT_EQ(s.ports,
            (PortOverrides{{3, "/dev/serial/by-id/usb-FTDI_щит-if00"}, {250, "/dev/pts/7"}}));
}

TEST_F(LinkSettingsFileTest, UnchangedSettingsLeaveTheFilesAlone) {
  const std::string phoneFile = utf8ToCp1251(
      "[FON_CONN_PAR]\r\nusers_num=2\r\nuser_index=0\r\nsort_prz=0\r\n"
      "[FON_ABONENT_1]\r\nuser_name=Южная ГРС\r\ncontr_adr=3\r\nphone_code=0441234567\r\n"
      "[FON_ABONENT_2]\r\nuser_name=АГНКС «Восток»\r\ncontr_adr=4\r\nphone_code=0,5551234\r\n");
  writeBytes(files.settings, kHandMadeFile);
  writeBytes(files.phoneList, phoneFile);
  LinkSettingsStore store = loaded();
  ASSERT_EQ(store.settings.phone.subscribers.entries[0].name, "АГНКС «Восток»");  // sorted
  EXPECT_TRUE(store.savePhoneList());
  EXPECT_TRUE(store.save());
  EXPECT_EQ(readBytes(files.settings), kHandMadeFile);
  EXPECT_EQ(readBytes(files.phoneList), phoneFile);
}

TEST_F(LinkSettingsFileTest, ChangedPhoneListRewritesOnlyItsSection) {
  writeBytes(files.settings, kHandMadeFile);
  LinkSettingsStore store = loaded();
  addSubscriber(store.settings.phone.subscribers, PhoneSubscriber{"Южная", 3, 1, "0441234567"});
  ASSERT_TRUE(store.savePhoneList());
  ASSERT_TRUE(store.save());

  const std::string after = readBytes(files.settings);
  for (const char* untouched : {"CURR_PAR", "DIR_CONN_PAR", "ETHERNET_CONN_PAR", "PORTS"}) {
    EXPECT_EQ(sectionBytes(after, untouched), sectionBytes(kHandMadeFile, untouched)) << untouched;
  }
  // The whole section written again, the unknown key kept.
  EXPECT_EQ(sectionBytes(after, "FON_CONN_PAR"),
            utf8ToCp1251("[FON_CONN_PAR]\r\nCOMPort=4\r\nAdr=5\r\nRate=19200\r\nPreambles=5\r\n"
                         "Repeat=2\r\nTimeOut=500\r\nWaitTime=10\r\nDefault_Command=1\r\n"
                         "Command=AT&F; звонок\r\nConnectWaitTime=60\r\nAutoRepeat=1\r\n"
                         "Conn_Repeat=3\r\nПримечание=оставить\r\n\r\n"));
  EXPECT_EQ(readPhoneSubscribers(files.phoneList), store.settings.phone.subscribers);

  // The copy is refreshed: a second save writes nothing.
  writeBytes(files.settings, "marker");
  EXPECT_TRUE(store.save());
  EXPECT_EQ(readBytes(files.settings), "marker");
}

TEST_F(LinkSettingsFileTest, EachRegionWritesItsOwnSection) {
  struct Case {
    const char* section;
    void (*change)(LinkSettings&);
  };
  const Case cases[] = {
      {"CURR_PAR", [](LinkSettings& s) { s.general.linkKind = kEthernetLink; }},
      {"DIR_CONN_PAR", [](LinkSettings& s) { s.direct.tries = 5; }},
      {"FON_CONN_PAR", [](LinkSettings& s) { s.phone.modemCommand = "ATZ"; }},
      {"ETHERNET_CONN_PAR", [](LinkSettings& s) { s.ethernet.connectAttempts = 9; }},
      {"ETHERNET_CONN_PAR", [](LinkSettings& s) { s.ethernet.subscribers.sortOrder = 1; }},
  };
  for (const Case& c : cases) {
    writeBytes(files.settings, kHandMadeFile);
    LinkSettingsStore store = loaded();
    c.change(store.settings);
    ASSERT_TRUE(store.save());
    const std::string after = readBytes(files.settings);
    for (const char* section :
         {"CURR_PAR", "DIR_CONN_PAR", "FON_CONN_PAR", "ETHERNET_CONN_PAR", "PORTS"}) {
      const bool same = sectionBytes(after, section) == sectionBytes(kHandMadeFile, section);
      EXPECT_EQ(same, std::string(section) != c.section) << c.section << " changed, " << section;
    }
    EXPECT_EQ(readLinkSettings(files.settings, kScreen), withoutLists(store.settings)) << c.section;
  }
}

TEST_F(LinkSettingsFileTest, HandMadePortsSurviveEverySave) {
  writeBytes(files.settings, "[PORTS]\nCOM1=/dev/ttyAMA0\n");
  LinkSettingsStore store = loaded();
  EXPECT_EQ(store.settings.ports, (PortOverrides{{1, "/dev/ttyAMA0"}}));
  store.settings.general.linkKind = kPhoneLink;
  store.settings.direct.address = 9;
  store.settings.phone.connectWaitS = 99;
  store.settings.ethernet.connectWaitS = 99;
  ASSERT_TRUE(store.save());
  const LinkSettings reread = readLinkSettings(files.settings, kScreen);
  EXPECT_EQ(reread.ports, (PortOverrides{{1, "/dev/ttyAMA0"}}));
  EXPECT_EQ(reread, withoutLists(store.settings));
}

TEST_F(LinkSettingsFileTest, HandEditedValuesOutsideEveryRangeLoadSafely) {
  const std::string longCommand(300, 'C');
  writeBytes(files.settings,
             "[CURR_PAR]\nConn_Prz=7\nFree_Port_Wait=-5\nDo_Close_Port=abc\n"
             "Form_Width=99999999999999\nForm_Height=-3\nForm_Left=100000\nForm_Top=x\n"
             "[DIR_CONN_PAR]\nCOMPort=0\nAdr=300\nRate=-1\nPreambles=1000\nRepeat=0\n"
             "TimeOut=2147483647\nWaitTime=99999999\n"
             "[FON_CONN_PAR]\nCOMPort=256\nAdr=0\nRate=99999999\nPreambles=-1\nRepeat=255\n"
             "TimeOut=-100\nWaitTime=-2\nCommand=" +
                 longCommand +
                 "\nConnectWaitTime=0\nConn_Repeat=1000\n"
                 "[ETHERNET_CONN_PAR]\nRepeat=-9\nTimeOut=\nWaitTime=2147483648\n"
                 "ConnectWaitTime=100000\nConn_Repeat=0\n");
  LinkSettingsStore store = loaded();
  const LinkSettings& s = store.settings;
  EXPECT_EQ(s.general.linkKind, kDirectLink);
  EXPECT_EQ(s.general.portReleaseWaitS, 1);
  EXPECT_FALSE(s.general.closePortAfterEachCommand);
  EXPECT_EQ(s.general.formWidth, 1000);  // not a 32-bit number: the default
  EXPECT_EQ(s.general.formHeight, 1);
  EXPECT_EQ(s.general.formLeft, 32767);
  EXPECT_EQ(s.general.formTop, (1080 - 1) / 2);
  EXPECT_EQ(s.direct, (LinkParams{1, 255, 300, 255, 1, 5000, 120}));
  EXPECT_EQ(s.phone.params, (LinkParams{255, 1, 230400, 0, 5, 55, 1}));
  EXPECT_EQ(s.phone.modemCommand, std::string(kModemCommandChars, 'C'));
  EXPECT_EQ(s.phone.connectWaitS, 1);
  EXPECT_EQ(s.phone.connectAttempts, 10);
  EXPECT_EQ(s.ethernet.params.tries, 1);
  EXPECT_EQ(s.ethernet.params.nextByteWaitMs, 300);
  EXPECT_EQ(s.ethernet.params.firstByteWaitS, 5);
  EXPECT_EQ(s.ethernet.connectWaitS, 360);
  EXPECT_EQ(s.ethernet.connectAttempts, 1);

  // Every link kind gives the engine at least one try and a wait it can count in ms.
  for (std::uint8_t kind : {kDirectLink, kPhoneLink, kEthernetLink}) {
    LinkSettings chosen = s;
    chosen.general.linkKind = kind;
    kpsbox engine(0);
    configureEngine(engine, chosen);
    EXPECT_GE(engine.tries, 1);
    EXPECT_GT(engine.responseTimeoutMs, 0);
  }
}

TEST_F(LinkSettingsFileTest, TcpRequestPauseRoundTrips) {
  writeBytes(files.settings, kHandMadeFile);
  for (const int pause : {0, 37, 5000}) {
    LinkSettingsStore store = loaded();
    store.settings.ethernet.requestPauseMs = pause;
    ASSERT_TRUE(store.save());
    EXPECT_EQ(loaded().settings.ethernet.requestPauseMs, pause);
  }
  // Other programs' keys of the section stay.
  const IniFile file = IniFile::load(files.settings);
  EXPECT_EQ(file.getInteger("ETHERNET_CONN_PAR", "ConnectWaitTime", 0), 30);
  EXPECT_EQ(file.getInteger("ETHERNET_CONN_PAR", "RequestPauseMs", -1), 5000);

  // A hand-edited value outside 0..5000 is brought into it.
  for (const auto& [text, pause] :
       {std::pair{"-1", 0}, std::pair{"99999", 5000}, std::pair{"x", 500}}) {
    writeBytes(files.settings, std::string("[ETHERNET_CONN_PAR]\r\nRequestPauseMs=") + text);
    EXPECT_EQ(loaded().settings.ethernet.requestPauseMs, pause) << text;
  }
}

TEST_F(LinkSettingsFileTest, EthernetListChangeAlsoReachesItsFile) {
  LinkSettingsStore store = loaded();
  EXPECT_TRUE(store.saveEthernetList());  // unchanged: no file
  EXPECT_FALSE(std::filesystem::exists(files.ethernetList));
  addSubscriber(store.settings.ethernet.subscribers,
                EthernetSubscriber{"Шлюз", 2, 0x0A000001, 502});
  ASSERT_TRUE(store.saveEthernetList());
  EXPECT_EQ(readEthernetSubscribers(files.ethernetList), store.settings.ethernet.subscribers);

  // Changing it back is written too: the file follows the list, not the settings copy.
  removeSelectedSubscriber(store.settings.ethernet.subscribers);
  ASSERT_TRUE(store.saveEthernetList());
  EXPECT_EQ(readEthernetSubscribers(files.ethernetList).count, 0);
}

TEST(LinkEngineTest, ConfiguresTheEngineForTheChosenLink) {
  LinkSettings settings;
  settings.general.portReleaseWaitS = 4;
  settings.general.closePortAfterEachCommand = true;
  settings.direct = LinkParams{7, 12, 9600, 3, 2, 150, 3};
  settings.phone.params = LinkParams{8, 13, 19200, 4, 3, 250, 9};
  settings.ports = {{7, "/dev/pts/3"}};

  kpsbox engine(0);
  configureEngine(engine, settings);
  EXPECT_EQ(engine.linkType, kDirectLink);
  EXPECT_EQ(engine.comPort, 7);
  EXPECT_EQ(engine.address, 12);
  EXPECT_EQ(engine.baudRate, 9600);
  EXPECT_EQ(engine.preambleCount, 3);
  EXPECT_EQ(engine.tries, 2);
  EXPECT_EQ(engine.interByteTimeoutMs, 150);
  EXPECT_EQ(engine.responseTimeoutMs, 3000);
  EXPECT_EQ(engine.portOpenWaitSeconds, 4);
  EXPECT_TRUE(engine.openPortPerExchange);
  EXPECT_EQ(engine.comPortOverrides, settings.ports);

  settings.general.linkKind = kPhoneLink;
  configureEngine(engine, settings);
  EXPECT_EQ(engine.linkType, kPhoneLink);
  EXPECT_EQ(engine.comPort, 8);
  EXPECT_EQ(engine.address, 13);
  EXPECT_EQ(engine.responseTimeoutMs, 9000);
  EXPECT_FALSE(engine.openPortPerExchange);  // a modem line keeps its port

  configureEngineForAddressSearch(engine, settings);
  EXPECT_EQ(engine.linkType, kDirectLink);
  EXPECT_EQ(engine.comPort, 7);
  EXPECT_EQ(engine.address, kpsbox::kAnyAddress);
  EXPECT_FALSE(engine.openPortPerExchange);

  settings.general.linkKind = kEthernetLink;
  settings.ethernet.requestPauseMs = 20;
  configureEngine(engine, settings);
  EXPECT_EQ(engine.tcpSendPauseMs, 20);
}

TEST(PortExistsTest, OpensTheMappedDevice) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string slave = ::ptsname(master);
  TempFolder folder;
  const PortOverrides overrides = {{200, slave}, {201, folder.file("no-such-device").string()}};
  EXPECT_TRUE(PortExists(200, overrides));
  EXPECT_FALSE(PortExists(201, overrides));
  EXPECT_FALSE(PortExists(255, overrides));  // no device path at all

  // Held exclusively by another program: still offered.
  const int holder = ::open(slave.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ::ioctl(holder, TIOCEXCL);
  EXPECT_TRUE(PortExists(200, overrides));
  ::close(holder);
  ::close(master);
}

TEST(ConnectDialogTest, ChecksTheChoiceBeforeConnecting) {
  const InputError missing{"Введены не все параметры", ""};
  const InputError badAddress{"Адрес вне допустимого диапазона", "(1...255)"};
  std::uint8_t address = 0;
  EXPECT_EQ(checkConnectChoice(std::nullopt, "1", true, address), missing);
  EXPECT_EQ(checkConnectChoice(kDirectLink, "", true, address), missing);
  EXPECT_EQ(checkConnectChoice(kDirectLink, "256", true, address), badAddress);
  EXPECT_EQ(checkConnectChoice(kDirectLink, "0", true, address), badAddress);
  EXPECT_EQ(checkConnectChoice(kPhoneLink, "5", false, address), missing);
  EXPECT_EQ(checkConnectChoice(kDirectLink, "255", false, address), std::nullopt);
  EXPECT_EQ(address, 255);

  LinkSettings settings;
  settings.general.linkKind = kPhoneLink;
  storeConnectAddress(settings, 42);
  EXPECT_EQ(settings.phone.params.address, 42);
  EXPECT_EQ(settings.direct.address, 1);
}

class LinkParamsDialogTest : public ::testing::Test {
 protected:
  std::optional<InputError> accept(std::uint8_t kind, const LinkParamsInput& input) {
    return acceptLinkParams(kind, input, settings);
  }
  static InputError outOfRange(const char* field) {
    return InputError{field, "Параметр вне допустимого диапазона"};
  }

  LinkSettings settings;
  const InputError missing{"Введены не все параметры", ""};
};

TEST_F(LinkParamsDialogTest, NextByteWaitFrom55Ms) {
  LinkParamsInput input = linkParamsInput(settings, kDirectLink);
  input.nextByteWait = "54";
  EXPECT_EQ(accept(kDirectLink, input), outOfRange("Время ожидания следующих байтов ответа"));
  EXPECT_EQ(settings.direct.nextByteWaitMs, 100);
  input.nextByteWait = "55";
  EXPECT_EQ(accept(kDirectLink, input), std::nullopt);
  EXPECT_EQ(settings.direct.nextByteWaitMs, 55);
}

TEST_F(LinkParamsDialogTest, FirstFailureInTheDialogsOrder) {
  struct Case {
    std::uint8_t kind;
    void (*edit)(LinkParamsInput&);
    std::optional<InputError> error;
  };
  const InputError preambles = outOfRange("Количество преамбул в запросе");
  const InputError firstByte = outOfRange("Время ожидания первого байта ответа");
  const InputError nextByte = outOfRange("Время ожидания следующих байтов ответа");
  const InputError release = outOfRange("Время ожидания освобождения СОМ порта");
  const InputError connectWait = outOfRange("Ожидание соединения");
  const InputError attempts = outOfRange("Количество попыток соединения");
  const InputError pause = outOfRange("Пауза перед запросом по Ethernet");
  const Case cases[] = {
      // An empty field anywhere comes before any range.
      {kDirectLink,
       [](LinkParamsInput& i) {
         i.preambles = "999";
         i.nextByteWait = "";
       },
       missing},
      {kDirectLink, [](LinkParamsInput& i) { i.port.reset(); }, missing},
      {kDirectLink, [](LinkParamsInput& i) { i.speed = 12345; }, missing},
      {kEthernetLink, [](LinkParamsInput& i) { i.tries.reset(); }, missing},
      {kPhoneLink, [](LinkParamsInput& i) { i.connectAttempts = " "; }, missing},
      {kDirectLink,
       [](LinkParamsInput& i) {
         i.preambles = "256";
         i.firstByteWait = "0";
       },
       preambles},
      {kDirectLink,
       [](LinkParamsInput& i) {
         i.firstByteWait = "121";
         i.nextByteWait = "1";
       },
       firstByte},
      {kDirectLink, [](LinkParamsInput& i) { i.nextByteWait = "5001"; }, nextByte},
      {kDirectLink,
       [](LinkParamsInput& i) {
         i.closePortAfterEachCommand = true;
         i.portReleaseWait = "21";
       },
       release},
      // Without the check box the release wait is not asked for.
      {kDirectLink, [](LinkParamsInput& i) { i.portReleaseWait = ""; }, std::nullopt},
      {kPhoneLink,
       [](LinkParamsInput& i) {
         i.connectWait = "361";
         i.connectAttempts = "0";
       },
       connectWait},
      {kPhoneLink, [](LinkParamsInput& i) { i.connectAttempts = "11"; }, attempts},
      {kEthernetLink, [](LinkParamsInput& i) { i.connectWait = "0"; }, connectWait},
      {kEthernetLink, [](LinkParamsInput& i) { i.connectAttempts = "abc"; }, attempts},
      {kEthernetLink, [](LinkParamsInput& i) { i.requestPause = "5001"; }, pause},
      {kEthernetLink, [](LinkParamsInput& i) { i.requestPause = ""; }, missing},
      // Only the Ethernet link has the pause.
      {kPhoneLink, [](LinkParamsInput& i) { i.requestPause = ""; }, std::nullopt},
      // Ethernet has no port or speed to choose.
      {kEthernetLink,
       [](LinkParamsInput& i) {
         i.port.reset();
         i.speed.reset();
       },
       std::nullopt},
  };
  for (const Case& c : cases) {
    LinkParamsInput input = linkParamsInput(settings, c.kind);
    c.edit(input);
    const LinkSettings before = settings;
    EXPECT_EQ(accept(c.kind, input), c.error) << int(c.kind) << " " << input.preambles;
    if (c.error) {
      EXPECT_EQ(settings, before);
    }
  }
}

TEST_F(LinkParamsDialogTest, AcceptedValuesAreStored) {
  LinkParamsInput direct = linkParamsInput(settings, kDirectLink);
  direct.port = 17;
  direct.speed = 115200;
  direct.tries = 5;
  direct.preambles = "0";
  direct.firstByteWait = "120";
  direct.nextByteWait = "5000";
  direct.closePortAfterEachCommand = true;
  direct.portReleaseWait = "20";
  ASSERT_EQ(accept(kDirectLink, direct), std::nullopt);
  EXPECT_EQ(settings.direct, (LinkParams{17, 1, 115200, 0, 5, 5000, 120}));
  EXPECT_TRUE(settings.general.closePortAfterEachCommand);
  EXPECT_EQ(settings.general.portReleaseWaitS, 20);

  LinkParamsInput phone = linkParamsInput(settings, kPhoneLink);
  phone.modemCommand = std::string(250, 'A');
  phone.connectWait = "360";
  phone.connectAttempts = "10";
  ASSERT_EQ(accept(kPhoneLink, phone), std::nullopt);
  EXPECT_EQ(settings.phone.modemCommand, std::string(kModemCommandChars, 'A'));
  EXPECT_EQ(settings.phone.connectWaitS, 360);
  EXPECT_EQ(settings.phone.connectAttempts, 10);

  LinkParamsInput ethernet = linkParamsInput(settings, kEthernetLink);
  ethernet.connectWait = "1";
  ethernet.connectAttempts = "1";
  ethernet.tries = 2;
  ethernet.requestPause = "0";
  ASSERT_EQ(accept(kEthernetLink, ethernet), std::nullopt);
  EXPECT_EQ(settings.ethernet.requestPauseMs, 0);
  EXPECT_EQ(settings.ethernet.connectWaitS, 1);
  EXPECT_EQ(settings.ethernet.params.tries, 2);
  EXPECT_EQ(settings.phone.connectWaitS, 360);
}

}  // namespace
}  // namespace zvc
