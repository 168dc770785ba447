// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The link trace shown in the Qt logging category drivo.link, off by default; turned on with
// QT_LOGGING_RULES="drivo.link.debug=true", it prints one line per exchange with the car.
#include <QLoggingCategory>
#include <QString>

#include <string_view>

Q_DECLARE_LOGGING_CATEGORY(lcDrivoLink)

namespace drivo {

// The bytes as text: printable ASCII as it is, CR and LF as \r and \n, others as \xNN.
QString PrintableBytes(std::string_view bytes);

// Hands the link's transactions to the category (when its debug messages are on).
void InstallLinkLog();

} // namespace drivo
