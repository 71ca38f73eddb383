#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_controller.h"
#include "sim/sim_faults.h"
#include "sim/sim_frame.h"

namespace zvc::sim {

// What goes back on the line for one request.
struct Answer {
  Bytes bytes;       // stray bytes, preamble and frame, as damaged by the faults
  int delayMs = 0;   // extra wait before the first byte
  int lineRate = 0;  // bit/s of the answering controller
};

// A line with one or more controllers on it. Every checked request frame is
// logged; the one controller it is addressed to executes it (a request to 255
// is taken by the first); the faults of its request number shape the answer.
// Requests are numbered from 1 in the order they reach a controller.
class SimLine {
 public:
  using LogSink = std::function<void(const std::string&)>;

  SimLine(std::vector<std::unique_ptr<SimController>> controllers, FaultPlan faults,
          LogSink log = {});

  // frame: a complete request frame with a sound checksum. base: the line's
  // clock (start time plus the time run). nullopt: nobody answers. An answer
  // held back by the "late" fault comes with the next request's answer.
  std::optional<Answer> receive(const Bytes& frame, SimSeconds base);

  SimController& controller(std::size_t index) { return *controllers_[index]; }
  int requestsTaken() const { return requestCount_; }

 private:
  SimController* addressee(std::uint8_t address);
  std::optional<Answer> answerTo(const Bytes& frame, SimSeconds base);

  std::vector<std::unique_ptr<SimController>> controllers_;
  FaultPlan faults_;
  LogSink log_;
  int requestCount_ = 0;
  std::optional<Answer> lateAnswer_;
};

}  // namespace zvc::sim
