// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontFamily.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QSet>

namespace drivo {

QString InstalledFamily(const QStringList& wanted) {
    // Read once: the list only changes when fonts are installed while the program runs.
    static const QSet<QString> installed = [] {
        QSet<QString> lower;
        for (const QString& family : QFontDatabase::families())
            lower.insert(family.toLower());
        return lower;
    }();
    for (const QString& family : wanted)
        if (installed.contains(family.toLower()))
            return family;
    return QGuiApplication::font().family();
}

} // namespace drivo
