// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The families the resources name ("MS Sans Serif", "Tahoma", "System") are seldom installed
// on Linux. Asking the font system for a missing family makes it search for a substitute at
// every start; naming an installed one at once spares that search.
#include <QString>
#include <QStringList>

namespace drivo {

// The first of `wanted` that is installed (matched without case), else the family of the
// application's default font.
QString InstalledFamily(const QStringList& wanted);

} // namespace drivo
