#pragma once

#include <optional>
#include <string>

#include "cli/cli_options.h"
#include "core/link/link_settings.h"

namespace zvc::cli {

// The given link options over the stored settings, with the limits of the link-parameter dialog:
// --tcp makes it the Ethernet link, anything else the direct line. A device path for --serial
// becomes the path of the stored COM number. The text of the first value refused otherwise.
std::optional<std::string> applyLinkOptions(const LinkOptions& given, LinkSettings& settings);

}  // namespace zvc::cli
