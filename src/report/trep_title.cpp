#include "report/trep_title.h"

namespace zvc {
namespace {

constexpr double kHeight = 112;
constexpr double kLineWidth = 740;
constexpr ReportTextStyle kHeadline{12, true, Qt::AlignHCenter | Qt::AlignVCenter};
constexpr ReportTextStyle kIndented{10, false, Qt::AlignLeft | Qt::AlignVCenter, 4};
constexpr ReportTextStyle kCentred{10, false, Qt::AlignHCenter | Qt::AlignVCenter};

std::vector<TextLinesBand::Line> titleLines() {
  return {
      {0, 3, kLineWidth, 20, kHeadline, {}},  {0, 22, kLineWidth, 17, kIndented, {}},
      {0, 46, kLineWidth, 20, kHeadline, {}}, {0, 69, kLineWidth, 17, kCentred, {}},
      {0, 88, kLineWidth, 17, kCentred, {}},
  };
}

}  // namespace

TrepTitle::TrepTitle() : TextLinesBand(kHeight, titleLines()) {}

}  // namespace zvc
