#include "sim/sim_frame.h"

#include <algorithm>

#include "core/common/crc16.h"
#include "core/common/format.h"

namespace zvc::sim {

std::vector<Bytes> FrameReader::feed(std::span<const std::uint8_t> bytes) {
  std::vector<Bytes> frames;
  for (std::uint8_t byte : bytes) accept(byte, frames);
  return frames;
}

void FrameReader::accept(std::uint8_t byte, std::vector<Bytes>& frames) {
  if (partial_.empty()) {
    if (byte == kRequestStart) partial_.push_back(byte);
    return;
  }
  if (partial_.size() == 2 && byte < kMinFrame) {
    partial_.clear();
    return;
  }
  partial_.push_back(byte);
  if (partial_.size() < 3 || partial_.size() < partial_[2]) return;

  Bytes frame = std::move(partial_);
  partial_.clear();
  if (Crc16(frame.data(), frame.size()) == 0) {
    frames.push_back(std::move(frame));
    return;
  }
  for (std::size_t i = 1; i < frame.size(); ++i) accept(frame[i], frames);
}

Bytes buildAnswerFrame(std::uint8_t address, std::uint8_t function,
                       std::span<const std::uint8_t> payload) {
  const std::size_t payloadSize = std::min(payload.size(), kMaxPayload);
  Bytes frame(payloadSize + kMinFrame);
  frame[0] = kAnswerStart;
  frame[1] = address;
  frame[2] = static_cast<std::uint8_t>(frame.size());
  frame[3] = function;
  std::copy_n(payload.begin(), payloadSize, frame.begin() + 4);
  appendCrc16(frame.data(), frame.size() - 2);
  return frame;
}

std::string requestLogLine(const RequestView& request) {
  std::string line = format("F=%d", request.function());
  for (std::uint8_t byte : request.payload()) line += format(" %02X", byte);
  return line;
}

}  // namespace zvc::sim
