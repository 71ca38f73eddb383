#include "core/app/menu_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/common/text_codec.h"
#include "core/tables/config_image.h"

namespace zvc {
namespace {

std::vector<MenuGroup> hiddenGroups(const MenuView& view) {
  std::vector<MenuGroup> hidden;
  for (std::size_t group = 0; group < kMenuGroupCount; ++group) {
    if (!view.isShown(MenuGroup(group))) hidden.push_back(MenuGroup(group));
  }
  return hidden;
}

// A station with a moisture meter, two flow computers and both runs on the chromatograph.
class MenuRules : public ::testing::Test {
 protected:
  void SetUp() override {
    image.field(6, 8)[0] = 1;
    image.field(6, 9)[0] = 2;
    image.field(14, 7)[0] = 0b11;
    setName(1, "  Нитка Север ");
    setName(2, "Нитка Юг");
  }
  void setName(int run, std::string_view name) {
    const auto field = image.field(5, run);
    std::fill(field.begin(), field.end(), ' ');
    const std::string bytes = utf8ToCp1251(name);
    std::copy(bytes.begin(), bytes.end(), field.begin());
  }

  ConfigImage image;
};

TEST_F(MenuRules, NotConnectedLeavesOnlyFilesLinkAndProgram) {
  const MenuView view = menuView(false, image);
  EXPECT_EQ(hiddenGroups(view),
            (std::vector<MenuGroup>{
                MenuGroup::kParameters, MenuGroup::kChromatographSerialNumber,
                MenuGroup::kControllerDateTime, MenuGroup::kMessageArchiveRequests,
                MenuGroup::kControllerState, MenuGroup::kChromatographMomentary,
                MenuGroup::kChromatographArchiveReads, MenuGroup::kMoistureMeterMomentary,
                MenuGroup::kMoistureMeterArchiveReads, MenuGroup::kReports,
                MenuGroup::kSaveConfiguration}));
  EXPECT_TRUE(view.emptyLinkPanels);
  EXPECT_FALSE(view.run1Caption);
  EXPECT_FALSE(view.run2Caption);
}

TEST_F(MenuRules, ConnectedStationWithEverythingHidesOnlyTheSerialNumber) {
  const MenuView view = menuView(true, image);
  EXPECT_EQ(hiddenGroups(view), std::vector<MenuGroup>{MenuGroup::kChromatographSerialNumber});
  EXPECT_FALSE(view.emptyLinkPanels);
  EXPECT_EQ(view.run1Caption, "Нитка Север");
  EXPECT_EQ(view.run2Caption, "Нитка Юг");
}

TEST_F(MenuRules, MissingMoistureMeterAndFlowComputersHideTheirItems) {
  image.field(6, 8)[0] = 0;
  image.field(6, 9)[0] = 0;
  EXPECT_EQ(hiddenGroups(menuView(true, image)),
            (std::vector<MenuGroup>{
                MenuGroup::kMoistureMeterLink, MenuGroup::kFlowComputerLink,
                MenuGroup::kFlowComputerParameters, MenuGroup::kFlowComputerDistribution,
                MenuGroup::kFlowComputerWritePeriod, MenuGroup::kChromatographSerialNumber,
                MenuGroup::kMoistureMeterData}));
}

TEST_F(MenuRules, ChromatographOnRun2OnlyHidesRun1AndNamesRun2) {
  image.field(14, 7)[0] = 0b10;
  const MenuView view = menuView(true, image);
  EXPECT_FALSE(view.isShown(MenuGroup::kRun1Items));
  EXPECT_TRUE(view.isShown(MenuGroup::kRun2Items));
  EXPECT_FALSE(view.run1Caption);
  EXPECT_EQ(view.run2Caption, "Нитка Юг");
}

TEST_F(MenuRules, OtherBitsOfTheRunSetAreIgnored) {
  image.field(14, 7)[0] = 0b11111100;
  const MenuView view = menuView(true, image);
  EXPECT_FALSE(view.isShown(MenuGroup::kRun1Items));
  EXPECT_FALSE(view.isShown(MenuGroup::kRun2Items));
}

}  // namespace
}  // namespace zvc
