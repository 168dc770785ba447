// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The race journal window: the journal's lines, newest first, beside a plot of race time and
// top speed per run. Non-modal; its owner keeps one at a time. A line's profile goes back to
// the owner only after the checks a profile file gets.
#include "app/JournalPlot.h"
#include "settings/RaceJournal.h"
#include "settings/RaceSettings.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace drivo {

class CJournalWindow : public QDialog {
    Q_OBJECT
public:
    // Takes a line's profile that passed the checks.
    using LoadProfile = std::function<void(const RaceSettings&)>;
    // The file to export to; empty when the user cancelled.
    using AskFile = std::function<QString(QWidget* parent)>;

    // Qt's file dialog, the journal's name in the working directory offered.
    static QString AskExportFile(QWidget* parent);

    // The plot comes from the module beside or installed with the program at programPath.
    CJournalWindow(std::string journalPath, const QString& programPath, LoadProfile load,
                   QWidget* parent = nullptr, AskFile askExportFile = AskExportFile);

    // Reads the file again into the table and the plot.
    void Reload();
    // The texts in the current language; the lines are kept.
    void Retranslate();

    // "Charger ce profil": the selected line's profile, checked; a refused one is reported.
    void LoadSelected();
    // "Exporter...": copies the journal to the file the user names.
    void Export();

    QTableWidget* Table() const { return m_table; }
    // The plot's widget, or the label saying why there is none.
    QWidget* Plot() const;

private:
    // The window's own texts: title, buttons, column headers.
    void SetTexts();
    void FillTable();
    void FillChart();
    void UpdateLoadButton();
    // The file's line shown in the selected row; nullptr when none is selected.
    const JournalLine* SelectedLine() const;

    std::string m_path;
    LoadProfile m_load;
    AskFile m_askExportFile;
    JournalRead m_journal;
    QTableWidget* m_table = nullptr;
    std::unique_ptr<JournalPlot> m_plot;
    QString m_plotError; // why there is no plot
    QLabel* m_noPlot = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_loadButton = nullptr;
    QPushButton* m_exportButton = nullptr;
};

} // namespace drivo
