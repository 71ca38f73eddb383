// Table sessions: the table service reading and writing the configuration, the names and single
// ranges, and resetting the controller, whatever the controller answers.
#include "fuzz_support.h"

namespace zvc::fuzz {
namespace {

enum Operation : std::uint8_t {
  kReadConfiguration,
  kWriteAllTables,
  kReadNames,
  kReadLongTableSilently,
  kWriteChangedFields,
  kReset,
  kOperationCount
};

constexpr TableRange kSystemParameters{6, 0, 12};

void session(kpsbox& engine, FakeLine& line, std::uint8_t operation) {
  ControllerSession controller(engine, line);
  ConfigImage& image = controller.image;
  TableService& service = controller.service;
  switch (operation % kOperationCount) {
    case kReadConfiguration:
      service.readConfiguration();
      break;
    case kWriteAllTables: {
      TableStateBlock block = tableStateBlock(image);
      block.writeRequest = block.configuration;
      service.writeFlaggedTables(block);
      break;
    }
    case kReadNames:
      service.readNames();
      break;
    case kReadLongTableSilently:
      service.readTableRange({1, 0, TableCatalogue::table(1).fieldCount}, false);
      break;
    case kWriteChangedFields: {
      const auto fields = image.fields(kSystemParameters.table, 0, kSystemParameters.count);
      const Bytes before(fields.begin(), fields.end());
      fields[2] ^= 1;
      fields[9] ^= 1;
      service.writeChangedFields(kSystemParameters, before);
      break;
    }
    case kReset:
      service.resetNonVolatileData();
      break;
  }
}

}  // namespace

void fuzzOne(std::span<const std::uint8_t> input) {
  runLineInput(input, session);
}

std::vector<Bytes> seeds() {
  std::vector<Bytes> all;
  for (std::uint8_t operation = 0; operation < kOperationCount; ++operation) {
    all.push_back(recordLineInput(0, operation, session));
  }
  all.push_back(recordLineInput(1, kReadNames, session));
  all.push_back(recordLineInput(2, kReadConfiguration, session));
  return all;
}

}  // namespace zvc::fuzz
