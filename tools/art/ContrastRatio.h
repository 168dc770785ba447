// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contrast ratio of two colours as accessibility guidelines define it (1 to 21); text
// wants at least 4.5 against what lies behind it. Shared by the art tool and the window tests.
#include <QColor>
#include <algorithm>
#include <cmath>

namespace art {

inline double RelativeLuminance(QColor c) {
    const auto linear = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

inline double ContrastRatio(QColor a, QColor b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace art
