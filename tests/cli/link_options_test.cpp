#include "cli/link_options.h"

#include <gtest/gtest.h>

#include <sstream>

namespace zvc::cli {
namespace {

// Options given field by field; the remaining ones are not given.
template <typename Fill>
LinkOptions given(Fill fill) {
  LinkOptions options;
  fill(options);
  return options;
}

// Stored settings a little off the defaults, so that "kept" can be told from "defaulted".
LinkSettings storedSettings() {
  LinkSettings settings;
  settings.general.linkKind = kPhoneLink;
  settings.direct.port = 3;
  settings.direct.address = 7;
  settings.direct.tries = 2;
  settings.ethernet.params.address = 9;
  settings.ethernet.params.firstByteWaitS = 8;
  return settings;
}

TEST(LinkOptions, NothingGivenIsTheStoredDirectLine) {
  LinkSettings settings = storedSettings();
  EXPECT_FALSE(applyLinkOptions({}, settings));
  LinkSettings expected = storedSettings();
  expected.general.linkKind = kDirectLink;
  EXPECT_EQ(settings, expected);
}

TEST(LinkOptions, SerialPortByNumberOrPath) {
  LinkSettings settings = storedSettings();
  EXPECT_FALSE(applyLinkOptions(given([](LinkOptions& o) {
                                  o.serial = "com12";
                                  o.baud = 115200;
                                  o.tries = 5;
                                }),
                                settings));
  EXPECT_EQ(settings.direct.port, 12);
  EXPECT_EQ(settings.direct.speed, 115200);
  EXPECT_EQ(settings.direct.tries, 5);
  EXPECT_TRUE(settings.ports.empty());

  settings = storedSettings();
  EXPECT_FALSE(applyLinkOptions(given([](LinkOptions& o) { o.serial = "/dev/pts/4"; }), settings));
  EXPECT_EQ(settings.direct.port, 3);
  EXPECT_EQ(comPortPath(3, settings.ports), "/dev/pts/4");
}

TEST(LinkOptions, TcpTakesTheStoredEthernetParameters) {
  LinkSettings settings = storedSettings();
  EXPECT_FALSE(applyLinkOptions(given([](LinkOptions& o) {
                                  o.tcpHost = "127.0.0.1";
                                  o.tcpPort = 5000;
                                  o.address = 255;
                                  o.nextByteMs = 55;
                                  o.tcpPauseMs = 0;
                                }),
                                settings));
  EXPECT_EQ(settings.general.linkKind, kEthernetLink);
  EXPECT_EQ(settings.ethernet.requestPauseMs, 0);
  EXPECT_EQ(settings.ethernet.params.address, 255);
  EXPECT_EQ(settings.ethernet.params.nextByteWaitMs, 55);
  EXPECT_EQ(settings.ethernet.params.firstByteWaitS, 8);
  EXPECT_EQ(settings.direct, storedSettings().direct);
}

TEST(LinkOptions, ValuesOutsideTheDialogLimitsAreRefused) {
  const struct {
    LinkOptions given;
    const char* reason;
  } cases[] = {
      {given([](LinkOptions& o) { o.address = 0; }), "--address: 1..255 expected, got 0"},
      {given([](LinkOptions& o) { o.address = 256; }), "--address: 1..255 expected, got 256"},
      {given([](LinkOptions& o) { o.preambles = 256; }), "--preambles: 0..255 expected"},
      {given([](LinkOptions& o) { o.tries = 6; }), "--tries: 1..5 expected"},
      {given([](LinkOptions& o) { o.firstByteS = 0; }), "--first-byte-s: 1..120 expected"},
      {given([](LinkOptions& o) { o.nextByteMs = 54; }), "--next-byte-ms: 55..5000 expected"},
      {given([](LinkOptions& o) { o.baud = 1234; }), "--baud: one of 300 ... 230400"},
      {given([](LinkOptions& o) { o.tcpPauseMs = 5001; }), "--tcp-pause-ms: 0..5000 expected"},
      {given([](LinkOptions& o) { o.serial = "COM0"; }), "--serial: COM1..COM255"},
      {given([](LinkOptions& o) { o.serial = "COM256"; }), "--serial: COM1..COM255"},
  };
  for (const auto& c : cases) {
    LinkSettings settings = storedSettings();
    const std::optional<std::string> refused = applyLinkOptions(c.given, settings);
    ASSERT_TRUE(refused) << c.reason;
    EXPECT_NE(refused->find(c.reason), std::string::npos) << *refused;
  }
}

// --password first, then the first line of stdin with --password-stdin, then ZVC_PASSWORD; only
// with a user code, and stdin is read no further than the password's line.
TEST(LinkOptions, PasswordFromTheCommandLineStdinOrTheEnvironment) {
  const struct {
    LinkOptions given;
    const char* stdinText;
    const char* environment;
    std::optional<std::string> password;
    const char* stdinLeft;
  } cases[] = {
      {given([](LinkOptions& o) {
         o.user = "1";
         o.password = "given";
       }),
       "line\n", "env", "given", "line\n"},
      {given([](LinkOptions& o) {
         o.user = "1";
         o.passwordFromStdin = true;
       }),
       "пароль\r\nsecret\n4242\n", "env", "пароль", "secret\n4242\n"},
      {given([](LinkOptions& o) {
         o.user = "1";
         o.passwordFromStdin = true;
       }),
       "\n", nullptr, "", ""},
      {given([](LinkOptions& o) { o.user = "1"; }), "line\n", "env", "env", "line\n"},
      {given([](LinkOptions& o) { o.user = "1"; }), "", nullptr, std::nullopt, ""},
      {LinkOptions{}, "line\n", "env", std::nullopt, "line\n"},
  };
  for (const auto& c : cases) {
    LinkOptions options = c.given;
    std::istringstream in(c.stdinText);
    EXPECT_FALSE(takePassword(options, in, c.environment));
    EXPECT_EQ(options.password, c.password) << c.stdinText;
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.stdinLeft);
  }
}

TEST(LinkOptions, PasswordsFromStdinOrTheEnvironmentAreCheckedAsGiven) {
  LinkOptions fromStdin = given([](LinkOptions& o) {
    o.user = "1";
    o.passwordFromStdin = true;
  });
  std::istringstream empty;
  EXPECT_EQ(takePassword(fromStdin, empty, nullptr), "--password-stdin: no password on stdin");
  std::istringstream tooLong("1234567890123\n");
  EXPECT_EQ(takePassword(fromStdin, tooLong, nullptr), "--password-stdin: at most 12 characters");
  LinkOptions fromEnvironment = given([](LinkOptions& o) { o.user = "1"; });
  EXPECT_EQ(takePassword(fromEnvironment, empty, "пароль-пароль"),
            "ZVC_PASSWORD: at most 12 characters");
  EXPECT_FALSE(fromEnvironment.password);
}

}  // namespace
}  // namespace zvc::cli
