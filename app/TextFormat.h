#pragma once
// Formatting of texts loaded from the string table. A table comes from a language bundle,
// that is from outside the program, so its patterns are never handed to printf: only one
// conversion of the expected type is honoured, anything else is copied as it stands.
#include <QString>
#include <QStringList>

namespace drivo {

// printf-style pattern with one integer conversion (%d, %i, %ld, with flags, width and
// precision); "%%" gives "%".
QString FormatInt(const QString& pattern, long long value);
// Same with one floating conversion (%f, %e, %g and flags, width, precision).
QString FormatDouble(const QString& pattern, double value);
// Message pattern with numbered inserts %1 ... %9.
QString FormatInserts(const QString& pattern, const QStringList& inserts);

// A string of the current resource module, formatted.
QString LoadFormattedInt(int stringId, long long value);
QString LoadFormattedDouble(int stringId, double value);
QString LoadFormattedInserts(int stringId, const QStringList& inserts);

} // namespace drivo
