#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zvc::sim {
namespace {

bool parse(std::vector<const char*> args, SimOptions& options, std::string& error) {
  args.insert(args.begin(), "zvc-sim");
  return parseOptions(int(args.size()), args.data(), options, error);
}

TEST(SimOptions, ReadsAFullCommandLine) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--tcp",      "0",           "--pty",
                     "--address",  "5",           "--address",
                     "9",          "--time",      "2024-02-29 23:59:59",
                     "--cp866",    "--line-rate", "1200",
                     "--seed",     "7",           "--log",
                     "/tmp/x.log", "--fault",     "2 delay 100",
                     "--fault",    "version14",   "--software-version",
                     "16"},
                    options, error))
      << error;
  EXPECT_EQ(options.tcpPort, 0);
  EXPECT_TRUE(options.pty);
  EXPECT_EQ(options.addresses, (std::vector<std::uint8_t>{5, 9}));
  EXPECT_EQ(options.startTime, (DateTime6{24, 2, 29, 23, 59, 59}));
  EXPECT_TRUE(options.cp866Names);
  EXPECT_EQ(options.lineRate, 1200);
  EXPECT_EQ(options.seed, 7u);
  EXPECT_EQ(options.logPath, "/tmp/x.log");
  EXPECT_EQ(options.faults.forRequest(2).delayMs, 100);
  EXPECT_TRUE(options.faults.run().version14);
  EXPECT_EQ(options.softwareVersion, 16);
}

TEST(SimOptions, DefaultsToOneControllerAtAddress1) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--pty"}, options, error));
  EXPECT_EQ(options.addresses, std::vector<std::uint8_t>{1});
  EXPECT_EQ(options.lineRate, 0);
}

TEST(SimOptions, SetPutsWholeBytesIntoATable) {
  SimOptions options;
  std::string error;
  ASSERT_TRUE(parse({"--pty", "--set", "32.0=0103", "--set", "39.19=Ff"}, options, error)) << error;
  ASSERT_EQ(options.settings.size(), 2u);
  EXPECT_EQ(options.settings[0].table, 32);
  EXPECT_EQ(options.settings[0].field, 0);
  EXPECT_EQ(options.settings[0].bytes, (std::vector<std::uint8_t>{1, 3}));
  EXPECT_EQ(options.settings[1].bytes, std::vector<std::uint8_t>{0xFF});
}

TEST(SimOptions, RefusesWhatItCannotServe) {
  const std::vector<std::vector<const char*>> cases = {
      {},  // nothing to serve
      {"--tcp", "65536"},
      {"--pty", "--address", "255"},  // 255 means any controller
      {"--pty", "--address", "3", "--address", "3"},
      {"--pty", "--time", "2024-02-30 00:00:00"},
      {"--pty", "--time", "1999-12-31 23:59:59"},
      {"--pty", "--line-rate", "9601"},  // not in the baud-rate code table
      {"--pty", "--scenario", "/nonexistent/scenario"},
      {"--pty", "--log"},  // value missing
      {"--pty", "--bogus", "1"},
      {"--pty", "--set", "32.20=01"},    // table 32 has fields 0..19
      {"--pty", "--set", "32.19=0101"},  // past the table's end
      {"--pty", "--set", "32.0=1"},      // half a byte
      {"--pty", "--set", "32.0=zz"},
      {"--pty", "--set", "47.0=00"},
      {"--pty", "--set", "32=00"},
  };
  for (const auto& args : cases) {
    SimOptions options;
    std::string error;
    EXPECT_FALSE(parse(args, options, error)) << (args.empty() ? "(none)" : args.back());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace zvc::sim
