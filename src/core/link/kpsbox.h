#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/link/serial_port.h"

namespace zvc {

class Frontend;

// The exchange engine: the only thing that talks to the controller. Frames a request, sends it
// over the serial line, the modem line or a TCP socket, collects and checks the response, retries
// and reports a result code with its text. One object for the whole run; synchronous, not
// re-entrant. Fields are public: the link code sets them directly.
class kpsbox {
 public:
  // Request layouts the engine knows.
  static constexpr std::uint8_t kReadTable = 1;
  static constexpr std::uint8_t kWriteTable = 2;
  static constexpr std::uint8_t kReadArchiveByIndex = 7;
  static constexpr std::uint8_t kReadArchiveByPeriod = 8;
  static constexpr std::uint8_t kCorrectClock = 12;
  static constexpr std::uint8_t kReadHourArchive = 15;
  static constexpr std::uint8_t kReadDayArchive = 16;
  static constexpr std::uint8_t kResetController = 25;

  static constexpr std::uint8_t kRequestStart = 0xCC;
  static constexpr std::uint8_t kResponseStart = 0x33;
  static constexpr std::uint8_t kAnyAddress = 255;

  // Link types.
  static constexpr std::uint8_t kDirectLine = 0;
  static constexpr std::uint8_t kModemLine = 1;
  static constexpr std::uint8_t kTcp = 2;

  // Result codes.
  static constexpr int kSuccess = 0;
  static constexpr int kBadFunction = 2;
  static constexpr int kWriteFailed = 3;
  static constexpr int kInterByteTimeout = 5;
  static constexpr int kPortUnavailable = 6;
  static constexpr int kBadChecksum = 7;
  static constexpr int kControllerError = 8;
  static constexpr int kNoAnswer = 10;
  static constexpr int kSendFailed = 20;
  static constexpr int kReceiveFailed = 21;
  static constexpr int kResultCodeCount = 22;

  static constexpr int kControllerTextCount = 65;

  // The status panel that shows "Обмен..." while a command is on the line.
  static constexpr int kExchangeStatusPanel = 3;

  explicit kpsbox(std::uint8_t address = 0);
  // Closes a port the engine still holds; a TCP socket belongs to whoever connected it.
  ~kpsbox();
  kpsbox(const kpsbox&) = delete;
  kpsbox& operator=(const kpsbox&) = delete;

  // Sends one command and waits for its answer. extra is the byte put into the payload of
  // functions 1 and 2. `length` is the size of `data`; fewer bytes than the function's request
  // takes are refused with result 2. After true the response frame stays in `response` (payload
  // byte k is response[4 + k]) until the next command.
  bool Command(std::uint8_t function, const std::uint8_t* data, int length, std::uint8_t extra);
  // One attempt with the frame of frameLength bytes already in `request`; a length outside
  // 6..255 is refused with result 2.
  bool Exchange(int frameLength);
  // Opens COM `comPort`, keeping on trying for `portOpenWaitSeconds`.
  bool OpenPort();
  // Closes the serial port if it is open and clears `portHandle`.
  void ClosePort();
  void SetControllerErrorText(int code);
  // "Команда %d.  %s" for the last command; valid until the next call.
  std::string_view ErrorText();

  std::array<std::uint8_t, 256> request{};
  std::array<std::uint8_t, 256> response{};
  std::uint8_t linkType = kDirectLine;
  std::uint8_t comPort = 1;
  PortHandle portHandle = kNoPort;
  int tcpSocket = -1;  // a connected stream socket, or -1
  std::int32_t portOpenWaitSeconds = 1;
  bool openPortPerExchange = true;
  std::uint8_t address;
  std::int32_t baudRate = 1200;
  std::uint8_t preambleCount = 0;
  std::array<std::uint8_t, 12> writePassword;
  std::array<std::uint8_t, 4> userCode;
  std::int32_t interByteTimeoutMs = 10;
  std::int32_t responseTimeoutMs = 2000;
  std::uint8_t tries = 2;
  // A TCP request goes out after this pause; tests and harnesses that own both ends shorten it.
  std::int32_t tcpSendPauseMs = 500;
  // Text of each result code; codes without a text hold nullptr. The texts of results 6 and 8
  // are set by the command that fails with them.
  std::array<const char*, kResultCodeCount> engineTexts;
  // Controller error codes 1..64; entry 0 empty.
  std::array<const char*, kControllerTextCount> controllerTexts;
  std::int32_t resultCode = kSuccess;
  double lastExchangeTime = 0;      // days since 1899-12-30, local time
  Frontend* statusPanel = nullptr;  // shows "Обмен..."; also lets the user interface run
  char textBuffer[256] = {};        // the error line
  std::uint8_t lastFunction = 0;

  // COM number -> device path, filled from the "PORTS" section of the settings.
  PortOverrides comPortOverrides;

 private:
  int buildRequest(std::uint8_t function, const std::uint8_t* data, int length, std::uint8_t extra);
  bool send(int count);
  void receive();
  int readByte(std::uint8_t& byte);
  int acceptByte(int q, std::uint8_t byte);
  bool isAddressChange() const;
  void checkResponse();
  void processEvents();
  void pause(int ms);

  std::array<std::uint8_t, 512> transmit_{};  // preambles + frame
  char portErrorText_[96] = {};
  char controllerErrorText_[32] = {};
};

}  // namespace zvc
