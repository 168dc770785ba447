#include "TextFormat.h"

#include "i18n/ResourceModule.h"

#include <cstdio>
#include <string>

namespace drivo {

namespace {

enum class Want { Integer, Floating };

// Parses one conversion at pattern[pos] (just after '%'); on success returns its length
// and a sanitised C format for it.
int ParseConversion(const QString& p, qsizetype pos, Want want, std::string& format) {
    qsizetype i = pos;
    std::string flags;
    while (i < p.size() && QStringLiteral("-+ 0#").contains(p[i]))
        flags += char(p[i++].toLatin1());
    auto readNumber = [&](int& out) {
        out = -1;
        while (i < p.size() && p[i].isDigit() && p[i].unicode() < 128) {
            out = (out < 0 ? 0 : out) * 10 + (p[i++].unicode() - '0');
            if (out > 64)
                out = 64; // no text wider than a line
        }
    };
    int width = -1;
    int precision = -1;
    readNumber(width);
    if (i < p.size() && p[i] == '.') {
        ++i;
        readNumber(precision);
        if (precision < 0)
            precision = 0;
    }
    while (i < p.size() && (p[i] == 'l' || p[i] == 'h'))
        ++i;
    if (i >= p.size())
        return 0;
    const char conv = char(p[i].toLatin1());
    const bool isInt = conv == 'd' || conv == 'i';
    const bool isFloat = conv == 'f' || conv == 'e' || conv == 'g' || conv == 'E' || conv == 'G';
    if ((want == Want::Integer && !isInt) || (want == Want::Floating && !isFloat))
        return 0;
    format = "%" + flags;
    if (width >= 0)
        format += std::to_string(width);
    if (precision >= 0)
        format += "." + std::to_string(precision);
    format += want == Want::Integer ? std::string("ll") + conv : std::string(1, conv);
    return int(i - pos + 1);
}

template <class T> QString FormatOne(const QString& pattern, Want want, T value) {
    QString out;
    bool used = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        if (pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        std::string format;
        const int length = used ? 0 : ParseConversion(pattern, i + 1, want, format);
        if (length == 0) {
            out += pattern[i];
            continue;
        }
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, format.c_str(), value);
        out += QString::fromLatin1(buffer);
        i += length;
        used = true;
    }
    return out;
}

} // namespace

QString FormatInt(const QString& pattern, long long value) {
    return FormatOne(pattern, Want::Integer, value);
}

QString FormatDouble(const QString& pattern, double value) {
    return FormatOne(pattern, Want::Floating, value);
}

QString FormatInserts(const QString& pattern, const QStringList& inserts) {
    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar next = i + 1 < pattern.size() ? pattern[i + 1] : QChar();
        if (pattern[i] == '%' && next >= '1' && next <= '9' && next.unicode() - '1' < inserts.size()) {
            out += inserts[next.unicode() - '1'];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

QString LoadFormattedInt(int id, long long value) {
    return FormatInt(ResourceModule::Current().LoadResourceString(id), value);
}

QString LoadFormattedDouble(int id, double value) {
    return FormatDouble(ResourceModule::Current().LoadResourceString(id), value);
}

QString LoadFormattedInserts(int id, const QStringList& inserts) {
    return FormatInserts(ResourceModule::Current().LoadResourceString(id), inserts);
}

} // namespace drivo
