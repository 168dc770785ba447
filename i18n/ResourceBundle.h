// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Structure check of a Qt binary resource file (rcc -binary) before it is registered: Qt
// itself only looks at the header and then trusts every offset inside the file.
#include <QByteArray>

namespace drivo {

// True when the header, every tree node reachable from the root, every name and every data
// block lie within data, the tree has no loops or shared nodes, and no entry is compressed
// (so what Qt reads of an entry is exactly the bytes checked here).
bool IsResourceBundle(const QByteArray& data);

} // namespace drivo
