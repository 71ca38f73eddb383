#include "core/link/connect_dialog_logic.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/common/ini_file.h"
#include "core/link/kpsbox.h"
#include "support/link_peer.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::responseFrame;
using Reply = test::ScriptedController::Reply;

constexpr int kPtyCom = 3;
constexpr int kMissingCom = 7;

class ConnectDialogLogicTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store.load({1920, 1080});
    LinkSettings& settings = store.settings;
    settings.ports[kPtyCom] = pty.slavePath();
    settings.ports[kMissingCom] = folder.file("no-such-tty").string();
    settings.direct.port = kPtyCom;
    settings.direct.speed = 115200;
    settings.direct.firstByteWaitS = 1;
    settings.direct.nextByteWaitMs = 60;
    engine.statusPanel = &frontend;
  }

  void script(std::vector<Reply> replies) {
    controller = std::make_unique<test::ScriptedController>(pty.master(), std::move(replies));
  }
  int savedInteger(const char* section, const char* key) {
    return static_cast<int>(IniFile::load(files.settings).getInteger(section, key, -1));
  }

  test::TempFolder folder;
  SettingsFiles files{folder.file("zvc.ini"), folder.file("fon_abonents.ini"),
                      folder.file("ethr_abonents.ini")};
  LinkSettingsStore store{files};
  test::PseudoTerminal pty;
  test::RecordingFrontend frontend;
  kpsbox engine{1};
  std::unique_ptr<test::ScriptedController> controller;
};

TEST_F(ConnectDialogLogicTest, DirectLineOpensThePortAndKeepsTheTypedAddress) {
  ASSERT_TRUE(connectChosenLink(engine, store, {kDirectLink, "17", false}, frontend));

  EXPECT_NE(engine.portHandle, kNoPort);
  EXPECT_EQ(engine.address, 17);
  EXPECT_EQ(engine.comPort, kPtyCom);
  EXPECT_EQ(engine.baudRate, 115200);
  EXPECT_EQ(engine.responseTimeoutMs, 1000);
  EXPECT_EQ(engine.linkType, kpsbox::kDirectLine);
  EXPECT_TRUE(frontend.messages.empty());
  EXPECT_EQ(savedInteger("DIR_CONN_PAR", "Adr"), 17);
  EXPECT_EQ(frontend.status[0], " COM3,   115200 бит/с");
  EXPECT_EQ(frontend.status[1], " Адр. 17");
}

TEST_F(ConnectDialogLogicTest, UnavailablePortIsNamedWithItsNumberAndItsDevice) {
  store.settings.direct.port = kMissingCom;

  EXPECT_FALSE(connectChosenLink(engine, store, {kDirectLink, "1", false}, frontend));

  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 1);
  EXPECT_EQ(frontend.messages[0].line1, "Коммуникационный порт СОМ7 недоступен");
  EXPECT_EQ(frontend.messages[0].line2, folder.file("no-such-tty").string());
  EXPECT_EQ(engine.portHandle, kNoPort);
}

TEST_F(ConnectDialogLogicTest, PortOpenedPerCommandIsNotOpenedNow) {
  store.settings.direct.port = kMissingCom;
  store.settings.general.closePortAfterEachCommand = true;

  EXPECT_TRUE(connectChosenLink(engine, store, {kDirectLink, "1", false}, frontend));
  EXPECT_TRUE(engine.openPortPerExchange);
  EXPECT_EQ(engine.portHandle, kNoPort);
  EXPECT_TRUE(frontend.messages.empty());
}

TEST_F(ConnectDialogLogicTest, TelephoneDoesNotOpenThePortPerCommand) {
  store.settings.general.closePortAfterEachCommand = true;
  store.settings.phone.params.port = kPtyCom;

  ASSERT_TRUE(connectChosenLink(engine, store, {kPhoneLink, "4", true}, frontend));
  EXPECT_FALSE(engine.openPortPerExchange);
  EXPECT_NE(engine.portHandle, kNoPort);
  EXPECT_EQ(store.settings.phone.params.address, 4);
  EXPECT_EQ(engine.linkType, kpsbox::kModemLine);
}

TEST_F(ConnectDialogLogicTest, RefusedChoiceIsAnInputErrorAndSavesNothing) {
  EXPECT_FALSE(connectChosenLink(engine, store, {kDirectLink, "256", false}, frontend));
  EXPECT_FALSE(connectChosenLink(engine, store, {kEthernetLink, "5", false}, frontend));

  ASSERT_EQ(frontend.messages.size(), 2u);
  EXPECT_EQ(frontend.messages[0].kind, 2);
  EXPECT_EQ(frontend.messages[0].line1, "Адрес вне допустимого диапазона");
  EXPECT_EQ(frontend.messages[0].line2, "(1...255)");
  EXPECT_EQ(frontend.messages[1].line1, "Введены не все параметры");
  EXPECT_FALSE(std::filesystem::exists(files.settings));
}

TEST_F(ConnectDialogLogicTest, AddressSearchTakesTheAnsweringAddress) {
  script({{responseFrame(9, 0x81, {0, 0, 1, 0})}});

  EXPECT_TRUE(searchDeviceAddress(engine, store.settings, frontend));

  controller->finish();
  const auto requests = controller->requests();
  ASSERT_EQ(requests.size(), 1u);
  const test::Bytes& wire = requests[0].wire;
  const std::size_t frame = wire.size() - 10;  // after the preambles
  EXPECT_EQ(wire[frame + 1], kpsbox::kAnyAddress);
  EXPECT_EQ(test::Bytes(wire.begin() + frame + 3, wire.begin() + frame + 8),
            (test::Bytes{1, 0, 0, 0, 1}));
  EXPECT_EQ(store.settings.direct.address, 9);
  EXPECT_EQ(engine.portHandle, kNoPort);
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 5);
  EXPECT_EQ(frontend.messages[0].line1, "Адрес устройства установлен");
  EXPECT_EQ(frontend.messages[0].line2, "(адрес = 9).");
  EXPECT_FALSE(frontend.busy);
}

TEST_F(ConnectDialogLogicTest, AddressSearchWithoutAnswerKeepsTheAddress) {
  store.settings.direct.address = 12;
  script({});

  EXPECT_FALSE(searchDeviceAddress(engine, store.settings, frontend));

  EXPECT_EQ(store.settings.direct.address, 12);
  EXPECT_EQ(engine.portHandle, kNoPort);
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 5);
  EXPECT_EQ(frontend.messages[0].line1, "Устройство не обнаружено");
  EXPECT_EQ(frontend.status[2], "Команда 1.  Устройство не отвечает");
  EXPECT_EQ(frontend.messageTimerStarts, 1);
}

TEST_F(ConnectDialogLogicTest, AddressSearchOnUnavailablePort) {
  store.settings.direct.port = kMissingCom;

  EXPECT_FALSE(searchDeviceAddress(engine, store.settings, frontend));

  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].kind, 6);
  EXPECT_EQ(frontend.messages[0].line1, "Коммуникационный порт СОМ7 недоступен");
  EXPECT_EQ(frontend.messages[0].line2, folder.file("no-such-tty").string());
  EXPECT_FALSE(frontend.busy);
}

}  // namespace
}  // namespace zvc
