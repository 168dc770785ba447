// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The framework's own texts follow the system's language, as the toolkit's do, whatever
// language the window shows: French or German for such a system, English otherwise.
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <cstdint>
#include <memory>

namespace drivo {

QString ParseIntMessage(const QLocale& system = QLocale::system());
QString RangeIntMessage(std::int64_t lower, std::int64_t upper,
                        const QLocale& system = QLocale::system());

// The toolkit's own translations (the standard buttons of message boxes) for a locale, from
// the toolkit's translations folder; nullptr when there are none for it.
std::unique_ptr<QTranslator> LoadToolkitTranslations(const QLocale& system = QLocale::system());

} // namespace drivo
