// The engine's receive path: whatever comes back on the line as the answer to each request kind,
// over a serial line or TCP, whole or split.
#include <vector>

#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

struct Request {
  std::uint8_t function;
  std::vector<std::uint8_t> data;
};

// Requests as the program sends them, one per function the engine knows.
const Request kRequests[] = {
    {kpsbox::kReadTable, {0, 0, 18}},
    {kpsbox::kWriteTable, {6, 4, 1, 1}},
    {kpsbox::kReadArchiveByIndex, {0, 0, 0x90, 0x0F, 0, 0, 5}},
    {kpsbox::kReadArchiveByPeriod, {0, 1, 0, 26, 3, 15, 0, 0, 0, 26, 3, 15, 12, 0, 0}},
    {kpsbox::kCorrectClock, {5, 0}},
    {kpsbox::kReadHourArchive, {3, 0, 0, 26, 3, 15, 6, 26, 3, 15, 9}},
    {kpsbox::kReadDayArchive, {3, 1, 0, 26, 3, 10, 26, 3, 14}},
    {kpsbox::kResetController, {}},
};
// Writing the controller's address (table 3 field 0): the answer may come from the new one.
const Request kAddressWrite = {kpsbox::kWriteTable, {3, 0, 1, 7}};

// Operation byte: bits 0..2 the function, bit 3 two tries, bit 4 the search address 255,
// bit 5 the address write instead of another table write.
void command(kpsbox& engine, FakeLine&, std::uint8_t operation) {
  if (operation & 0x08) engine.tries = 2;
  if (operation & 0x10) engine.address = kpsbox::kAnyAddress;
  const Request& request = kRequests[operation & 7];
  const Request& sent = (operation & 0x20) && request.function == kpsbox::kWriteTable
                            ? kAddressWrite
                            : request;
  engine.Command(sent.function, sent.data.data(), int(sent.data.size()), 0);
  (void)engine.ErrorText();
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  runLineInput(input, command);
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (std::uint8_t operation = 0; operation < 8; ++operation) {
    for (const std::uint8_t lineByte : {0, 1, 2, 5}) {
      all.push_back(recordLineInput(lineByte, operation, command));
    }
  }
  all.push_back(recordLineInput(0, 0x21, command));
  all.push_back(recordLineInput(0, 0x10, command));
  return all;
}

}  // namespace zvc::fuzz
