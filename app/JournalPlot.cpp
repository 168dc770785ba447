// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/JournalPlot.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace drivo {

namespace {

const QString kModuleFile = QStringLiteral("drivo-journal-plot.so");

} // namespace

QString JournalPlotModuleFor(const QString& programPath) {
    const QDir dir = QFileInfo(programPath).absoluteDir();
    const QString beside = dir.filePath(kModuleFile);
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(dir.filePath(QStringLiteral(DRIVO_INSTALLED_PLOT) + u'/' + kModuleFile));
}

JournalPlotLoad CreateJournalPlot(QWidget* parent, const QString& programPath) {
    // Never unloaded: the plot's widgets and their meta-objects live in it.
    QLibrary module(JournalPlotModuleFor(programPath));
    const auto create =
        reinterpret_cast<CreateJournalPlotFunction>(module.resolve(kCreateJournalPlot));
    if (!create)
        return {nullptr, module.errorString()};
    return {std::unique_ptr<JournalPlot>(create(parent)), QString()};
}

} // namespace drivo
