#include "sim/sim_line.h"

#include <utility>

namespace zvc::sim {

SimLine::SimLine(std::vector<std::unique_ptr<SimController>> controllers, FaultPlan faults,
                 LogSink log)
    : controllers_(std::move(controllers)), faults_(std::move(faults)), log_(std::move(log)) {}

SimController* SimLine::addressee(std::uint8_t address) {
  if (controllers_.empty()) return nullptr;
  if (address == kAnyAddress) return controllers_.front().get();
  for (auto& controller : controllers_) {
    if (controller->address() == address) return controller.get();
  }
  return nullptr;
}

std::optional<Answer> SimLine::receive(const Bytes& frame, SimSeconds base) {
  std::optional<Answer> late = std::exchange(lateAnswer_, std::nullopt);
  std::optional<Answer> answer = answerTo(frame, base);
  if (!late) return answer;
  // The answer held back leaves as this request arrives, just ahead of this request's answer.
  if (answer) {
    late->bytes.insert(late->bytes.end(), answer->bytes.begin(), answer->bytes.end());
    late->delayMs = answer->delayMs;
    late->lineRate = answer->lineRate;
  }
  return late;
}

std::optional<Answer> SimLine::answerTo(const Bytes& frame, SimSeconds base) {
  const RequestView request{frame};
  if (log_) log_(requestLogLine(request));
  SimController* controller = addressee(request.address());
  if (controller == nullptr) return std::nullopt;

  const AnswerFaults faults = faults_.forRequest(++requestCount_);
  if (faults.silent) return std::nullopt;
  // A new rate or preamble count set by this very request applies from the next answer on.
  const int lineRate = controller->lineRate();
  const std::uint8_t preambleCount = controller->preambleCount();
  Reply reply = faults.errorCode ? refusal(controller->address(), request.function(),
                                           *faults.errorCode, faults.errorTable)
                                 : controller->handle(request, base);
  if (faults.wrongRange) misechoRange(reply, request.function());

  Answer answer;
  answer.bytes = damageAnswer(buildAnswerFrame(reply.address, reply.function, reply.payload),
                              faults, preambleCount);
  answer.delayMs = faults.delayMs;
  answer.lineRate = lineRate;
  if (faults.late) {
    lateAnswer_ = std::move(answer);
    return std::nullopt;
  }
  return answer;
}

}  // namespace zvc::sim
