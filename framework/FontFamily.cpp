// SPDX-License-Identifier: GPL-3.0-or-later
#include "FontFamily.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QSet>
#include <QStringList>

namespace drivo {

namespace {

// The first of `wanted` that is installed (matched without case), else the family of the
// application's default font.
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
    // The family the default font resolves to, not its alias ("Sans Serif"): a font asked for
    // by the alias is matched twice, and a box engine is made for the alias on the way.
    static const QString fallback = QFontInfo(QGuiApplication::font()).family();
    return fallback;
}

} // namespace

QString SubstituteFamily(const QString& named) {
    return InstalledFamily({named, QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                            QStringLiteral("DejaVu Sans Condensed")});
}

QFont ResourceFont(const QString& named, int pixelSize, QFont::Weight weight) {
    QFont font(SubstituteFamily(named));
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferDefault | QFont::PreferNoShaping));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace drivo
