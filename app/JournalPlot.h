// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal window's plot: race time on the left axis, top speed on the right, one point per
// run. It is drawn with Qt Charts, whose libraries (OpenGL among them) would cost every start
// of the program a fifth of its time; so it lives in a module of its own, loaded when the
// first journal window opens, beside the program (a build tree) or in the installation's
// library folder (<prefix>/lib/<arch>/drivo for <prefix>/bin/drivo).
#include <QString>
#include <memory>
#include <vector>

class QWidget;

namespace drivo {

struct JournalRun {
    double raceTimeMs;
    double topSpeed;
};

struct JournalPlotTexts {
    QString run, raceTime, topSpeed; // the axes; the last two also name the lines
};

class JournalPlot {
public:
    virtual ~JournalPlot() = default;
    // The plot's widget, owned by the parent it was made for.
    virtual QWidget* Widget() const = 0;
    // Draws the runs in file order.
    virtual void Show(const std::vector<JournalRun>& runs, const JournalPlotTexts& texts) = 0;
};

// The module's one entry, with C linkage so that it is found by name.
using CreateJournalPlotFunction = JournalPlot* (*)(QWidget* parent);
inline constexpr char kCreateJournalPlot[] = "drivo_create_journal_plot";

// The module's file for the program at that path: beside it if there, else the installed one.
QString JournalPlotModuleFor(const QString& programPath);

struct JournalPlotLoad {
    std::unique_ptr<JournalPlot> plot; // null when the module could not be loaded
    QString error;                     // then why
};
// A plot for the parent, from the module for that program (loaded once, kept loaded).
JournalPlotLoad CreateJournalPlot(QWidget* parent, const QString& programPath);

} // namespace drivo
