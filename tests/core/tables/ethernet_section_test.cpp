#include "core/tables/ethernet_section.h"

#include <gtest/gtest.h>

#include <array>

namespace zvc {
namespace {

using Table29 = std::array<std::uint8_t, 28>;

// 192.168.1.10, 255.255.255.0, 192.168.1.1; ports 5020, 5021, 502, 65535.
constexpr Table29 kStored = {10, 1, 168,  192,  0, 255, 255,  255,  1, 1, 168,  192,  0x9C, 0x13,
                             0,  0, 0x9D, 0x13, 0, 0,   0xF6, 0x01, 0, 0, 0xFF, 0xFF, 0,    0};

TEST(Ethernet, AddressesShowInDottedOrder) {
  const EthernetInput input = ethernetInput(kStored);
  EXPECT_EQ(input.addresses[0], (std::array<std::string, 4>{"192", "168", "1", "10"}));
  EXPECT_EQ(input.addresses[1], (std::array<std::string, 4>{"255", "255", "255", "0"}));
  EXPECT_EQ(input.ports, (std::array<std::string, 4>{"5020", "5021", "502", "65535"}));
  const auto lines = ethernetLines(kStored);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[0].label, "IP-адрес контроллера");
  EXPECT_EQ(lines[0].value, "192.168.1.10");
  EXPECT_EQ(lines[6].label, "Порт соединения ЖВЦ 2");
}

TEST(Ethernet, ConfirmStoresTheLastOctetFirst) {
  Table29 section{};
  EthernetInput input = ethernetInput(kStored);
  ASSERT_EQ(acceptEthernet(input, section), std::nullopt);
  EXPECT_EQ(section, kStored);

  input.addresses[2] = {"10", "0", "0", "254"};
  input.ports[2] = "0";
  ASSERT_EQ(acceptEthernet(input, section), std::nullopt);
  EXPECT_EQ((std::array<std::uint8_t, 4>{section[8], section[9], section[10], section[11]}),
            (std::array<std::uint8_t, 4>{254, 0, 0, 10}));
  EXPECT_EQ(section[20], 0);
}

TEST(Ethernet, EmptyFieldsThenRangesAreRefused) {
  const struct {
    void (*edit)(EthernetInput&);
    InputError error;
  } cases[] = {
      {[](EthernetInput& in) { in.addresses[1][3].clear(); }, {"Введены не все параметры", ""}},
      {[](EthernetInput& in) { in.ports[3].clear(); }, {"Введены не все параметры", ""}},
      {[](EthernetInput& in) {
         in.addresses[0][0] = "256";
         in.ports[0].clear();
       },
       {"Введены не все параметры", ""}},
      {[](EthernetInput& in) { in.addresses[2][1] = "256"; },
       {"Поле IP-адреса вне допустимого диапазона", "(0...255)"}},
      {[](EthernetInput& in) { in.ports[1] = "65536"; },
       {"Параметр вне допустимого диапазона", "(0...65535)"}},
  };
  for (const auto& c : cases) {
    Table29 section = kStored;
    EthernetInput input = ethernetInput(section);
    c.edit(input);
    EXPECT_EQ(acceptEthernet(input, section), c.error);
    EXPECT_EQ(section, kStored);
  }
}

}  // namespace
}  // namespace zvc
