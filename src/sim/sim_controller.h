#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "core/tables/config_image.h"
#include "sim/sim_archives.h"
#include "sim/sim_frame.h"
#include "sim/sim_tables.h"
#include "sim/sim_time.h"

namespace zvc::sim {

// Controller error codes the simulated controller answers with.
enum ControllerError : std::uint8_t {
  kUnknownFunction = 1,
  kBadRequestLength = 2,
  kBadParameters = 4,
  kNoSuchTable = 9,
  kTableNotReadable = 11,
  kTableNotWritable = 12,
  kNoSuchField = 13,
  kFieldOutOfTable = 14,
  kCorrectionTooLarge = 17,
  kBadFieldCount = 37,
  kUnknownUser = 34,
  kTableDestroyed = 60,
  kDestroyedTableOrder = 61,
};

// What the controller sends back: the answer goes out from `address`; a
// refusal has the request's function code and payload {code, 0, table}.
struct Reply {
  std::uint8_t address = 0;
  std::uint8_t function = 0;
  Bytes payload;

  bool refused() const { return (function & 0x80) == 0; }
};

Reply refusal(std::uint8_t address, std::uint8_t function, std::uint8_t code,
              std::uint8_t table = 0);

// One simulated controller: its 47 tables, its clock, its users and archives.
class SimController {
 public:
  // start: the controller clock at power-on; the archives end there.
  SimController(const ControllerSetup& setup, const DateTime6& start);
  ~SimController();
  SimController(const SimController&) = delete;
  SimController& operator=(const SimController&) = delete;

  std::uint8_t address() const { return image_.field(3, 0)[0]; }
  int lineRate() const { return baudRateOfCode(image_.field(3, 1)[0]); }
  std::uint8_t preambleCount() const { return image_.field(3, 2)[0]; }
  // The controller's clock when the line's clock (start + time run) reads base.
  SimSeconds clock(SimSeconds base) const { return base + clockShift_; }
  const ConfigImage& image() const { return image_; }

  // Executes one request addressed to this controller.
  Reply handle(const RequestView& request, SimSeconds base);

 private:
  Reply readFields(const RequestView& request, SimSeconds now);
  Reply writeFields(const RequestView& request, SimSeconds base);
  Reply correctClock(const RequestView& request);
  Reply resetNonVolatileData(const RequestView& request);
  Reply readArchive(const RequestView& request);

  bool knownUser(std::span<const std::uint8_t> credentials) const;
  bool destroyed(int table) const { return image_.field(7, table)[0] != 0; }
  void noteRepairProgress(int table, int nextField);
  // Checks the values of a write into table 2, 3 or 9 merged with the rest of the table.
  bool acceptableValues(int table, std::span<const std::uint8_t> merged) const;

  ControllerSetup setup_;
  DateTime6 start_;
  ConfigImage image_;
  SimSeconds clockShift_ = 0;
  std::array<int, TableCatalogue::kTableCount> repairNextField_{};
  std::unique_ptr<SimArchives> archives_;
};

}  // namespace zvc::sim
