// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LinkLog.h"

#include "device/LinkTrace.h"

// Debug messages off unless a rule turns them on. Never destroyed: a job still running when
// the program exits may trace its last exchange after the statics are gone.
const QLoggingCategory& lcDrivoLink() {
    static const auto* category = new QLoggingCategory("drivo.link", QtInfoMsg);
    return *category;
}

namespace drivo {

QString PrintableBytes(std::string_view bytes) {
    QString text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r')
            text += QLatin1String("\\r");
        else if (c == '\n')
            text += QLatin1String("\\n");
        else if (c == '\\')
            text += QLatin1String("\\\\");
        else if (byte >= 0x20 && byte < 0x7F)
            text += QLatin1Char(c);
        else
            text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
    }
    return text;
}

void InstallLinkLog() {
    // Runs on the job's thread; Qt's message handler is safe to call from any thread.
    SetLinkTrace([](const LinkTransaction& t) {
        if (!lcDrivoLink().isDebugEnabled())
            return;
        qCDebug(lcDrivoLink).noquote().nospace()
            << "sent \"" << PrintableBytes(t.frame) << "\" received \""
            << PrintableBytes(t.received) << "\" status " << t.status << " opens " << t.openAttempts
            << " in " << QString::number(t.durationMs, 'f', 1) << " ms";
    });
}

} // namespace drivo
