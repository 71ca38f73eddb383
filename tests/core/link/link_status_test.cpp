#include "core/link/link_status.h"

#include <gtest/gtest.h>

#include "support/recording_frontend.h"

namespace zvc {
namespace {

struct StatusCase {
  std::uint8_t linkKind;
  bool emptyLists;
  const char* panel0;
  const char* panel1;
  const char* bar2;
};

class LinkStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(LinkStatusTest, ShowsTheChosenLink) {
  const StatusCase& c = GetParam();
  LinkSettings settings;
  settings.general.linkKind = c.linkKind;
  settings.direct = {.port = 2, .address = 7, .speed = 9600};
  settings.phone.params = {.port = 4, .address = 8, .speed = 19200};
  if (!c.emptyLists) {
    settings.phone.subscribers.count = 2;
    settings.phone.subscribers.selected = 1;
    settings.phone.subscribers.entries[1] = {"Станция", 21, 1, "+380441234567"};
    settings.ethernet.subscribers.count = 1;
    settings.ethernet.subscribers.entries[0] = {"ГРС", 33, 0xC0A8010A, 502};
  }
  test::RecordingFrontend frontend;
  frontend.status = {"old", "old", "old", "old", "old", "old"};

  refreshLinkStatus(settings, frontend);

  EXPECT_EQ(frontend.status[0], c.panel0);
  EXPECT_EQ(frontend.status[1], c.panel1);
  EXPECT_EQ(frontend.status[kStatusBar2], c.bar2);
}

INSTANTIATE_TEST_SUITE_P(Kinds, LinkStatusTest,
                         ::testing::Values(StatusCase{kDirectLink, false, " COM2,   9600 бит/с",
                                                      " Адр. 7", ""},
                                           StatusCase{kPhoneLink, false, " COM4,   19200 бит/с",
                                                      " Адр. 21", " Станция (тел. +380441234567)"},
                                           StatusCase{kEthernetLink, false, "", " Адр. 33",
                                                      " ГРС (IP-адр. 192.168.1.10)"},
                                           StatusCase{kPhoneLink, true, "", "", ""},
                                           StatusCase{kEthernetLink, true, "", "", ""}));

}  // namespace
}  // namespace zvc
