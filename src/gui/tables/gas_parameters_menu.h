#pragma once

#include <cstdint>
#include <span>

#include "core/tables/chromatograph_link_section.h"
#include "gui/app/main_window_context.h"

class QWidget;

namespace zvc {

class Frontend;

// The operations of the gas-parameter items of the "Параметры" menu. Each reads the first N
// fields of its tables (N measured parameters, as the image holds them since the connection),
// edits them in its dialog and writes what changed.

// Kind 0..4: dead zone, lower and upper warning setpoint, lower and upper write limit (tables
// 22..26).
void editGasParameterLimits(const MainWindowContext& context, int kind);
// Table 21.
void editWriteNeed(const MainWindowContext& context);
// Table 28.
void editWritePeriod(const MainWindowContext& context);
// Run 0 or 1: the constants first, then the flags that select them.
void editConstants(const MainWindowContext& context, int run);

// The list of measured parameters for the chromatograph-link dialog: true when the list was
// accepted with a change; count and parameters then hold it.
bool editParameterList(Frontend& frontend, std::uint8_t& count,
                       std::span<std::uint8_t, kParameterBytes> parameters, QWidget* parent);

}  // namespace zvc
