#include "cli/cli_frontend.h"

#include "cli/interruption.h"
#include "core/common/format.h"
#include "core/link/kpsbox.h"
#include "core/tables/table_service.h"
#include "core/ui/connection_state.h"

namespace zvc::cli {
namespace {

constexpr int kQuestionKind = 3;
constexpr int kRepeatQuestionKind = 7;  // a failed exchange: repeat it?

}  // namespace

std::string CliFrontend::messageLine(int kind, std::string_view line1, std::string_view line2) {
  std::string text = format("kind %d: ", kind);
  text += line1;
  if (!line2.empty()) {
    text += " / ";
    text += line2;
  }
  return text;
}

bool CliFrontend::showMessage(int kind, std::string_view line1, std::string_view line2) {
  errors_.line(messageLine(kind, line1, line2));
  if (kind == kRepeatQuestionKind) {
    holdOutcome();
    if (!answerYes_ || repeatsLeft_ == 0) return false;
    --repeatsLeft_;
    return true;
  }
  return kind == kQuestionKind && answerYes_;
}

void CliFrontend::setStatus(int panel, std::string_view text) {
  if (panel == kResultPanel) outcome_ = text;
  // What the panel showed before an exchange began is that exchange's progress, not its outcome.
  if (panel == kpsbox::kExchangeStatusPanel && !text.empty()) outcome_.clear();
}

void CliFrontend::processEvents() {
  if (connection_ != nullptr && connection_->archiveReadInProgress && interrupted()) {
    connection_->stopRequested = true;
  }
}

bool CliFrontend::takeEscape() {
  if (escapeTaken_ || !interrupted()) return false;
  escapeTaken_ = true;
  return true;
}

void CliFrontend::startMessageTimer() {
  holdOutcome();
}

void CliFrontend::holdOutcome() {
  exchangeFailed_ = true;
  failureLine_ = outcome_;
}

}  // namespace zvc::cli
