// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartColor.h"

#include <cstdlib>

namespace drivo {

QRgb ColorAbsDiff(QRgb c, int d) {
    auto ch = [d](int v) { return std::abs(v - d) & 0xFF; };
    return qRgb(ch(qRed(c)), ch(qGreen(c)), ch(qBlue(c)));
}

QRgb Blend(QRgb c1, QRgb c2, int p) {
    // (c2 * 100 + p * (c1 - c2)) / 100 equals ((100 - p) * c2 + p * c1) / 100: never negative.
    auto ch = [p](int a, int b) { return ((b * 100 + p * (a - b)) / 100) & 0xFF; };
    return qRgb(ch(qRed(c1), qRed(c2)), ch(qGreen(c1), qGreen(c2)), ch(qBlue(c1), qBlue(c2)));
}

} // namespace drivo
