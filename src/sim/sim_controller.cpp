#include "sim/sim_controller.h"

#include <algorithm>
#include <cstdlib>

namespace zvc::sim {
namespace {

constexpr std::size_t kCredentialsSize = 16;
constexpr std::size_t kMaxReadData = 245;
constexpr int kMaxCorrectionSeconds = 3600;

struct TableRange {
  int table, first, count;
};

// Payload lengths of the archive requests.
std::size_t archiveRequestSize(std::uint8_t function) {
  switch (function) {
    case 7:
      return 7;
    case 8:
      return 15;
    case 15:
      return 11;
    case 16:
      return 9;
    default:
      return 0;
  }
}

Bytes success(std::uint8_t echo, const TableRange& range) {
  return {echo, std::uint8_t(range.table), std::uint8_t(range.first), std::uint8_t(range.count)};
}

}  // namespace

Reply refusal(std::uint8_t address, std::uint8_t function, std::uint8_t code, std::uint8_t table) {
  return {address, function, {code, 0, table}};
}

SimController::SimController(const ControllerSetup& setup, const DateTime6& start)
    : setup_(setup), start_(start) {
  fillDefaultTables(image_, setup_, start_);
  std::uint8_t now[6];
  start_.toBytes(now);
  // Table 6 field 8: whether a moisture meter is connected.
  const bool moistureMeter = image_.field(6, 8)[0] != 0;
  archives_ =
      std::make_unique<SimArchives>(setup_.archiveSeed, now, setup_.archiveFaults, moistureMeter);
}

SimController::~SimController() = default;

Reply SimController::handle(const RequestView& request, SimSeconds base) {
  switch (request.function()) {
    case 1:
      return readFields(request, clock(base));
    case 2:
      return writeFields(request, base);
    case 12:
      return correctClock(request);
    case 25:
      return resetNonVolatileData(request);
    case 7:
    case 8:
    case 15:
    case 16:
      return readArchive(request);
    default:
      return refusal(address(), request.function(), kUnknownFunction);
  }
}

Reply SimController::readFields(const RequestView& request, SimSeconds now) {
  const auto payload = request.payload();
  const auto refuse = [&](std::uint8_t code, int table = 0) {
    return refusal(address(), request.function(), code, std::uint8_t(table));
  };
  if (payload.size() != 4) return refuse(kBadRequestLength);
  const TableRange range{payload[1], payload[2], payload[3]};
  const TableDescriptor& table = TableCatalogue::table(range.table);
  if (!table.hasFields()) return refuse(kNoSuchTable, range.table);
  if (range.first >= table.fieldCount) return refuse(kNoSuchField, range.table);
  if (range.count == 0 || range.first + range.count > table.fieldCount ||
      std::size_t(range.count) * table.fieldSize > kMaxReadData) {
    return refuse(kBadParameters, range.table);
  }
  if (range.table == 13) return refuse(kTableNotReadable, range.table);  // passwords stay inside
  if (destroyed(range.table)) return refuse(kTableDestroyed, range.table);

  fillLiveTables(image_, now);
  if (archives_->ownsTable(range.table)) {
    archives_->fillTable(range.table, image_.table(range.table));
  }
  Reply reply{address(), std::uint8_t(request.function() | 0x80), success(payload[0], range)};
  const auto data = image_.fields(range.table, range.first, range.count);
  reply.payload.insert(reply.payload.end(), data.begin(), data.end());
  return reply;
}

Reply SimController::writeFields(const RequestView& request, SimSeconds base) {
  const auto payload = request.payload();
  const auto refuse = [&](std::uint8_t code, int table = 0) {
    return refusal(address(), request.function(), code, std::uint8_t(table));
  };
  if (payload.size() < kCredentialsSize + 4) return refuse(kBadRequestLength);
  if (!knownUser(payload.first(kCredentialsSize))) return refuse(kUnknownUser);
  const TableRange range{payload[17], payload[18], payload[19]};
  const auto data = payload.subspan(20);
  const TableDescriptor& table = TableCatalogue::table(range.table);
  if (!table.hasFields()) return refuse(kNoSuchTable, range.table);
  if (range.first >= table.fieldCount) return refuse(kNoSuchField, range.table);
  if (range.count == 0) return refuse(kBadFieldCount, range.table);
  if (range.first + range.count > table.fieldCount) return refuse(kFieldOutOfTable, range.table);
  if (data.size() != std::size_t(range.count) * table.fieldSize) {
    return refuse(kBadRequestLength, range.table);
  }
  if (!table.configuration) return refuse(kTableNotWritable, range.table);
  // A destroyed table is rewritten whole, in ascending ranges from field 0.
  if (destroyed(range.table) && range.first != repairNextField_[range.table]) {
    return refuse(kDestroyedTableOrder, range.table);
  }

  if (range.table == 2) fillLiveTables(image_, clock(base));
  Bytes merged(image_.table(range.table).begin(), image_.table(range.table).end());
  std::copy(data.begin(), data.end(), merged.begin() + range.first * table.fieldSize);
  if (!acceptableValues(range.table, merged)) return refuse(kBadParameters, range.table);

  std::copy(merged.begin(), merged.end(), image_.table(range.table).begin());
  if (range.table == 2) {
    clockShift_ = secondsFromDateTime(DateTime6::fromBytes(merged.data())) - base;
  }
  if (destroyed(range.table)) noteRepairProgress(range.table, range.first + range.count);
  // A new address in table 3 takes effect with this very answer.
  return {address(), std::uint8_t(request.function() | 0x80), success(payload[16], range)};
}

Reply SimController::correctClock(const RequestView& request) {
  const auto payload = request.payload();
  if (payload.size() != kCredentialsSize + 2) {
    return refusal(address(), request.function(), kBadRequestLength);
  }
  if (!knownUser(payload.first(kCredentialsSize))) {
    return refusal(address(), request.function(), kUnknownUser);
  }
  const auto seconds = std::int16_t(payload[16] | (payload[17] << 8));
  if (std::abs(seconds) > kMaxCorrectionSeconds) {
    return refusal(address(), request.function(), kCorrectionTooLarge);
  }
  clockShift_ += seconds;
  return {address(), std::uint8_t(request.function() | 0x80), {0}};
}

Reply SimController::resetNonVolatileData(const RequestView& request) {
  const auto payload = request.payload();
  if (payload.size() != kCredentialsSize) {
    return refusal(address(), request.function(), kBadRequestLength);
  }
  if (!knownUser(payload)) return refusal(address(), request.function(), kUnknownUser);
  // The answer still goes out from the old address; the controller then starts afresh at
  // address 1, 9600 bit/s.
  Reply reply{address(), std::uint8_t(request.function() | 0x80), {0}};
  ControllerSetup fresh = setup_;
  fresh.address = 1;
  fresh.lineRate = 9600;
  fresh.destroyedTable = 0;
  fillDefaultTables(image_, fresh, start_);
  repairNextField_.fill(0);
  return reply;
}

Reply SimController::readArchive(const RequestView& request) {
  const auto payload = request.payload();
  if (payload.size() != archiveRequestSize(request.function())) {
    return refusal(address(), request.function(), kBadRequestLength);
  }
  ArchiveReply answer = archives_->handle(request.function(), payload);
  if (answer.errorCode != 0) return refusal(address(), request.function(), answer.errorCode);
  return {address(), std::uint8_t(request.function() | 0x80), std::move(answer.payload)};
}

bool SimController::knownUser(std::span<const std::uint8_t> credentials) const {
  // Without a users table nobody can be checked; the restore writes it with blank credentials.
  if (destroyed(4)) return true;
  const auto password = credentials.first(12);
  const auto code = credentials.subspan(12, 4);
  for (int slot = 0; slot < 16; ++slot) {
    const auto user = image_.field(4, slot);
    if (user[4] != 0 && std::equal(password.begin(), password.end(), user.begin() + 6) &&
        std::equal(code.begin(), code.end(), user.begin() + 18)) {
      return true;
    }
  }
  return false;
}

void SimController::noteRepairProgress(int table, int nextField) {
  repairNextField_[table] = nextField;
  if (nextField < TableCatalogue::table(table).fieldCount) return;
  image_.field(7, table)[0] = 0;
  repairNextField_[table] = 0;
  // Table 0 field 0 names a destroyed table while any is left.
  const auto states = image_.table(7);
  const auto next = std::find_if(states.begin() + 1, states.end(), [](auto s) { return s != 0; });
  image_.field(0, 0)[0] = next == states.end() ? 0 : std::uint8_t(next - states.begin());
}

bool SimController::acceptableValues(int table, std::span<const std::uint8_t> merged) const {
  switch (table) {
    case 2:
      return isValidDateTime(DateTime6::fromBytes(merged.data()));
    case 3:
      return merged[0] >= 1 && merged[0] <= 254 && baudRateOfCode(merged[1]) != 0;
    case 9:
      return merged[0] >= 1 && merged[0] <= 16 && baudRateOfCode(merged[1]) != 0;
    default:
      return true;
  }
}

}  // namespace zvc::sim
