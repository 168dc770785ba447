// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Channel arithmetic on 24-bit colours used by the chart's pens, frame and bar shading.
#include <QRgb>

namespace drivo {

// Each channel becomes |channel - d|, kept to its low 8 bits.
QRgb ColorAbsDiff(QRgb c, int d);
// p percent (0..100) of c1 over c2, per channel in integer arithmetic.
QRgb Blend(QRgb c1, QRgb c2, int p);

} // namespace drivo
