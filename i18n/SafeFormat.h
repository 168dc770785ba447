// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Formatting of texts that come from a resource module. A language bundle is data from a
// file, so its texts are never handed to printf as format strings: each conversion of the
// text is checked against the argument the caller gives for that position, and a conversion
// that does not fit (wrong type, no argument left, unknown, absurd width) stays in the text
// literally.
#include <QString>
#include <QStringList>
#include <initializer_list>

namespace drivo {

// One argument of FormatPrintf: an integer (for %d / %i) or a real number (for %f %e %g).
class FormatArg {
public:
    FormatArg(int v) : m_integer(v) {}
    FormatArg(long v) : m_integer(v) {}
    FormatArg(long long v) : m_integer(v) {}
    FormatArg(double v) : m_isReal(true), m_real(v) {}

    bool IsReal() const { return m_isReal; }
    long long Integer() const { return m_integer; }
    double Real() const { return m_real; }

private:
    bool m_isReal = false;
    long long m_integer = 0;
    double m_real = 0;
};

// printf-style: "%%" is a percent sign; the n-th conversion takes the n-th argument.
QString FormatPrintf(const QString& text, std::initializer_list<FormatArg> args);
// The framework's numbered placeholders: "%1" ... "%9" take args[0] ... args[8]; any other
// percent sign, and a number without argument, stays as it is.
QString FormatNumbered(const QString& text, const QStringList& args);

// The texts of the string table that take arguments (see StringIds.h).
QString FormatRaceTimeLoaded(const QString& text, int raceTimeMs);             // 1035
QString FormatChartStatus(const QString& text, int intensity, int durationMs); // 1047
QString FormatTimedRace(const QString& text, int raceTimeMs);                  // 1063
QString FormatMaxSpeed(const QString& text, double metersPerSecond);           // 1064
QString FormatRangeMessage(const QString& text, long low, long high);          // 1067

} // namespace drivo
