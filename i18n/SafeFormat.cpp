// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeFormat.h"

#include <vector>

namespace drivo {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Reads a width or precision at i; false when it has more than two digits (no text of ours
// needs a field of 100 characters or more).
bool ReadNumber(const QString& text, qsizetype& i, QString& out) {
    const qsizetype start = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    out = text.mid(start, i - start);
    return out.size() <= 2;
}

} // namespace

QString FormatPrintf(const QString& text, std::initializer_list<FormatArg> args) {
    const std::vector<FormatArg> values(args);
    std::size_t next = 0;
    QString out;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'%') {
            out += text[i++];
            continue;
        }
        const qsizetype start = i++;
        if (i < text.size() && text[i] == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        QString flags, width, precision;
        bool hasPrecision = false;
        while (i < text.size() && QStringView(u"-+ #0").contains(text[i]))
            flags += text[i++];
        bool sane = flags.size() <= 5 && ReadNumber(text, i, width);
        if (i < text.size() && text[i] == u'.') {
            hasPrecision = true;
            ++i;
            sane = ReadNumber(text, i, precision) && sane;
        }
        QString length;
        while (i < text.size() && QStringView(u"hlLqjzt").contains(text[i]))
            length += text[i++];
        if (i >= text.size()) { // unfinished conversion
            out += text.mid(start);
            break;
        }
        const QChar conversion = text[i++];
        const QString written = text.mid(start, i - start);
        const FormatArg* arg = next < values.size() ? &values[next] : nullptr;
        ++next; // every conversion stands for one argument position
        const bool integer = (conversion == u'd' || conversion == u'i') &&
                             (length.isEmpty() || length == u"l" || length == u"ll");
        const bool real = QStringView(u"fFeEgG").contains(conversion) && length.isEmpty();
        if (!sane || !arg || (integer && arg->IsReal()) || (real && !arg->IsReal()) ||
            (!integer && !real)) {
            out += written;
            continue;
        }
        // Rebuilt from the checked parts only, then formatted by Qt (independent of the C locale).
        QByteArray rebuilt = '%' + flags.toLatin1() + width.toLatin1();
        if (hasPrecision)
            rebuilt += '.' + precision.toLatin1();
        if (integer)
            out += QString::asprintf((rebuilt + "lld").constData(), arg->Integer());
        else
            out +=
                QString::asprintf((rebuilt + char(conversion.unicode())).constData(), arg->Real());
    }
    return out;
}

QString FormatNumbered(const QString& text, const QStringList& args) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() && text[i + 1] >= u'1' && text[i + 1] <= u'9') {
            const qsizetype n = text[i + 1].unicode() - u'1';
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString FormatRaceTimeLoaded(const QString& text, int raceTimeMs) {
    return FormatPrintf(text, {raceTimeMs});
}

QString FormatChartStatus(const QString& text, int intensity, int durationMs) {
    return FormatPrintf(text, {intensity, durationMs});
}

QString FormatTimedRace(const QString& text, int raceTimeMs) {
    return FormatPrintf(text, {raceTimeMs});
}

QString FormatMaxSpeed(const QString& text, double metersPerSecond) {
    return FormatPrintf(text, {metersPerSecond});
}

QString FormatRangeMessage(const QString& text, long low, long high) {
    return FormatNumbered(text, {QString::number(low), QString::number(high)});
}

} // namespace drivo
