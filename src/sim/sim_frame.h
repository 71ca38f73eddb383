#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zvc::sim {

inline constexpr std::uint8_t kRequestStart = 0xCC;
inline constexpr std::uint8_t kAnswerStart = 0x33;
inline constexpr std::uint8_t kAnyAddress = 255;
inline constexpr std::size_t kMinFrame = 6;
inline constexpr std::size_t kMaxFrame = 255;
inline constexpr std::size_t kMaxPayload = kMaxFrame - kMinFrame;

using Bytes = std::vector<std::uint8_t>;

// A checked request frame: start byte, address, length, function, payload, checksum.
struct RequestView {
  std::span<const std::uint8_t> frame;

  std::uint8_t address() const { return frame[1]; }
  std::uint8_t function() const { return frame[3]; }
  std::span<const std::uint8_t> payload() const { return frame.subspan(4, frame.size() - 6); }
};

// Assembles request frames from a byte stream as the controller receives
// them: hunts for the start byte (preamble 0xFF bytes and noise are skipped),
// drops a length below 6, and on a wrong checksum hunts again from the byte
// after the false start.
class FrameReader {
 public:
  std::vector<Bytes> feed(std::span<const std::uint8_t> bytes);
  // Forget a partial frame, e.g. after a silence on the line.
  void reset() { partial_.clear(); }
  bool idle() const { return partial_.empty(); }

 private:
  void accept(std::uint8_t byte, std::vector<Bytes>& frames);

  Bytes partial_;
};

// Answer frame 0x33, address, length, function, payload, checksum. The
// payload is cut to what fits into 255 bytes.
Bytes buildAnswerFrame(std::uint8_t address, std::uint8_t function,
                       std::span<const std::uint8_t> payload);

// "F=1 00 00 00 12": the function and the payload bytes of a request.
std::string requestLogLine(const RequestView& request);

}  // namespace zvc::sim
