// "Связаться" and "Поиск адреса устройства" against a running zvc-sim.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "core/link/connect_dialog_logic.h"
#include "core/link/kpsbox.h"
#include "sim_process.h"
#include "support/recording_frontend.h"
#include "support/temp_folder.h"

namespace zvc {
namespace {

using test::SimProcess;

constexpr std::uint8_t kSimCom = 41;

class ConnectDialogSimTest : public ::testing::Test {
 protected:
  void SetUp() override { store.load({1920, 1080}); }

  test::TempFolder folder;
  LinkSettingsStore store{
      {folder.file("zvc.ini"), folder.file("fon_abonents.ini"), folder.file("ethr_abonents.ini")}};
  test::RecordingFrontend frontend;
  kpsbox engine{1};
};

TEST_F(ConnectDialogSimTest, AddressSearchWithTwoControllersStoresTheFirstToAnswer) {
  SimProcess sim({"--pty", "--address", "7", "--address", "3"});
  store.settings.ports[kSimCom] = sim.ptyPath();
  store.settings.direct.port = kSimCom;
  store.settings.direct.speed = 9600;

  ASSERT_TRUE(searchDeviceAddress(engine, store.settings, frontend));

  EXPECT_EQ(store.settings.direct.address, 7);
  ASSERT_EQ(frontend.messages.size(), 1u);
  EXPECT_EQ(frontend.messages[0].line2, "(адрес = 7).");
}

TEST_F(ConnectDialogSimTest, EthernetConnectsToTheChosenSubscriber) {
  SimProcess sim({"--tcp", "0", "--address", "5"});
  EthernetLinkSettings& ethernet = store.settings.ethernet;
  ethernet.subscribers.count = 1;
  ethernet.subscribers.entries[0] = {"Стенд", 5, INADDR_LOOPBACK, sim.tcpPort()};
  store.settings.general.linkKind = kEthernetLink;

  ASSERT_TRUE(connectChosenLink(engine, store, {kEthernetLink, "5", true}, frontend));

  EXPECT_EQ(engine.linkType, kpsbox::kTcp);
  EXPECT_EQ(engine.address, 5);
  const std::uint8_t table0[3] = {0, 0, 1};
  EXPECT_TRUE(engine.Command(kpsbox::kReadTable, table0, 3, 0)) << engine.ErrorText();
  EXPECT_EQ(frontend.status[kStatusBar2], " Стенд (IP-адр. 127.0.0.1)");
  close(engine.tcpSocket);
}

}  // namespace
}  // namespace zvc
