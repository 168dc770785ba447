#pragma once
// The battery bar until the percent progress widget is merged: a plain progress bar that
// takes the position, text and colour of a battery look.
#include "RaceDisplay.h"

#include <QProgressBar>

namespace drivo {

using BatteryBarWidget = QProgressBar;

// Position, then text, then colour, the order the bar expects them in.
void ApplyBatteryLook(BatteryBarWidget& bar, const BatteryLook& look);
QColor BatteryBarColour(const BatteryBarWidget& bar);

} // namespace drivo
