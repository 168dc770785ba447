// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The families the resources name ("MS Sans Serif", "Tahoma", "System") are seldom installed
// on Linux. Asking the font system for a missing family makes it search for a substitute at
// every start; naming an installed one at once spares that search.
#include <QFont>
#include <QString>

namespace drivo {

// `named` where it is installed, else the first installed of the narrow sans families the
// package brings, before the wide default: texts laid out for the resources' fonts still fit
// their rectangles, and a window's texts of one size share one font engine.
QString SubstituteFamily(const QString& named);

// The resources' font `named` (its substitute where missing) at a size in pixels. Drawn as the
// resources' system drew it: glyph by glyph, without ligatures or kerning pairs, which also
// spares shaping every text (the resources' texts are Latin, whole characters); and at the
// fixed sizes the layouts were made for, unhinted, which spares fitting every glyph's outline
// to the pixel grid before it is drawn.
QFont ResourceFont(const QString& named, int pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace drivo
