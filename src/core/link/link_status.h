#pragma once

#include "core/link/link_settings.h"

namespace zvc {

class Frontend;

// The link texts of the status bars for the chosen link kind: the port and speed in panel 0, the
// controller address in panel 1, the chosen subscriber in status bar 2.
void refreshLinkStatus(const LinkSettings& settings, Frontend& frontend);

}  // namespace zvc
