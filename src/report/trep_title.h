#pragma once

#include "report/report.h"

namespace zvc {

// The five-line title block of the moisture-meter reports; the report sets the texts.
class TrepTitle final : public TextLinesBand {
 public:
  static constexpr std::size_t kLineCount = 5;

  TrepTitle();
};

}  // namespace zvc
