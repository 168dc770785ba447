// SPDX-License-Identifier: GPL-3.0-or-later
#include "CJournalWindow.h"

#include "framework/MessageBoxes.h"
#include "i18n/ResourceModule.h"
#include "i18n/SafeFormat.h"
#include "i18n/StringIds.h"
#include "settings/ProfileReader.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

namespace drivo {

namespace {

enum Column {
    kDate,
    kRaceTime,
    kTopSpeed,
    kEndTimes,
    kIntensities,
    kTimeMax,
    kWheelDiam,
    kRaceLength,
    kReturn,
    kColumnCount
};
constexpr int kHeaderIds[kColumnCount] = {
    IDS_COLUMN_DATE,      IDS_COLUMN_RACE_TIME,   IDS_COLUMN_TOP_SPEED,
    IDS_COLUMN_END_TIMES, IDS_COLUMN_INTENSITIES, IDS_TIME_MAX_LABEL,
    IDS_WHEEL_DIAM_LABEL, IDS_RACE_LENGTH_LABEL,  IDS_RETURN_CHECKBOX};

template <std::size_t N> QString Joined(const std::array<std::int32_t, N>& values, int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::number(values[static_cast<std::size_t>(i)]);
    return texts.join(u' ');
}

// The texts of a parsed line's cells; the profile's are empty when none had been sent.
QStringList Cells(const JournalEntry& e) {
    QStringList cells{QString::fromStdString(e.LocalTime), QString::number(e.RaceTimeMs),
                      QString::number(e.TopSpeed, 'f', 2)};
    if (const auto& p = e.Profile)
        cells << Joined(p->Time, kStageCount) << Joined(p->Value, kStageCount)
              << QString::number(p->TimeMax()) << QString::number(p->WheelDiam)
              << QString::number(p->RaceLength) << QString::number(p->ReturnMode);
    return cells;
}

} // namespace

QString CJournalWindow::AskExportFile(QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, LoadResourceString(IDS_JOURNAL_EXPORT),
                                        QString::fromLatin1(kJournalFileName),
                                        LoadResourceString(IDS_JOURNAL_FILTER));
}

CJournalWindow::CJournalWindow(std::string journalPath, const QString& programPath,
                               LoadProfile load, QWidget* parent, AskFile askExportFile)
    : QDialog(parent), m_path(std::move(journalPath)), m_load(std::move(load)),
      m_askExportFile(std::move(askExportFile)) {
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    m_table = new QTableWidget(0, kColumnCount, this);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    JournalPlotLoad plot = CreateJournalPlot(this, programPath);
    m_plot = std::move(plot.plot);
    m_plotError = plot.error;
    if (!m_plot) {
        m_noPlot = new QLabel(this);
        m_noPlot->setWordWrap(true);
        m_noPlot->setAlignment(Qt::AlignCenter);
    }
    m_status = new QLabel(this);
    m_status->hide();
    m_loadButton = new QPushButton(this);
    m_exportButton = new QPushButton(this);
    connect(m_loadButton, &QPushButton::clicked, this, &CJournalWindow::LoadSelected);
    connect(m_exportButton, &QPushButton::clicked, this, &CJournalWindow::Export);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &CJournalWindow::UpdateLoadButton);

    auto* panes = new QHBoxLayout;
    panes->addWidget(m_table, 3);
    panes->addWidget(Plot(), 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addStretch();
    buttons->addWidget(m_loadButton);
    buttons->addWidget(m_exportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panes);
    layout->addLayout(buttons);
    resize(1100, 420);
    SetTexts();
    Reload(); // the plot, its texts with it
}

void CJournalWindow::Retranslate() {
    SetTexts();
    FillChart();
}

void CJournalWindow::SetTexts() {
    setWindowTitle(LoadResourceString(IDS_JOURNAL_TITLE));
    m_loadButton->setText(LoadResourceString(IDS_JOURNAL_LOAD));
    m_exportButton->setText(LoadResourceString(IDS_JOURNAL_EXPORT));
    QStringList headers;
    for (int id : kHeaderIds)
        headers << LoadResourceString(id);
    m_table->setHorizontalHeaderLabels(headers);
}

QWidget* CJournalWindow::Plot() const {
    return m_plot ? m_plot->Widget() : m_noPlot;
}

void CJournalWindow::Reload() {
    m_journal = ReadJournal(m_path);
    const bool failed = !m_journal.Reason.empty();
    m_status->setVisible(failed);
    if (failed)
        m_status->setText(FormatNumbered(
            LoadResourceString(IDS_JOURNAL_UNREADABLE),
            {QString::fromStdString(m_path), QString::fromStdString(m_journal.Reason)}));
    FillTable();
    FillChart();
}

// Newest first; a line that cannot be parsed keeps its text, greyed, across the row.
void CJournalWindow::FillTable() {
    const auto& lines = m_journal.Lines;
    m_table->clearContents();
    m_table->clearSpans();
    m_table->setRowCount(static_cast<int>(lines.size()));
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const JournalLine& line = lines[lines.size() - 1 - static_cast<std::size_t>(row)];
        const QStringList cells =
            line.Entry ? Cells(*line.Entry) : QStringList{QString::fromUtf8(line.Raw)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!line.Entry)
                item->setForeground(grey);
            m_table->setItem(row, column, item);
        }
        if (!line.Entry)
            m_table->setSpan(row, 0, 1, kColumnCount);
    }
    m_table->resizeColumnsToContents();
    UpdateLoadButton();
}

// One point per parsed run, in file order.
void CJournalWindow::FillChart() {
    if (!m_plot) {
        m_noPlot->setText(FormatNumbered(LoadResourceString(IDS_JOURNAL_NO_PLOT), {m_plotError}));
        return;
    }
    std::vector<JournalRun> runs;
    for (const JournalLine& line : m_journal.Lines)
        if (line.Entry)
            runs.push_back({double(line.Entry->RaceTimeMs), line.Entry->TopSpeed});
    m_plot->Show(runs, {LoadResourceString(IDS_AXIS_RUN), LoadResourceString(IDS_COLUMN_RACE_TIME),
                        LoadResourceString(IDS_COLUMN_TOP_SPEED)});
}

const JournalLine* CJournalWindow::SelectedLine() const {
    const QList<QTableWidgetSelectionRange> selected = m_table->selectedRanges();
    const auto& lines = m_journal.Lines;
    if (selected.isEmpty())
        return nullptr;
    return &lines[lines.size() - 1 - static_cast<std::size_t>(selected.front().topRow())];
}

void CJournalWindow::UpdateLoadButton() {
    const JournalLine* line = SelectedLine();
    m_loadButton->setEnabled(line && line->Entry && line->Entry->Profile);
}

void CJournalWindow::LoadSelected() {
    const JournalLine* line = SelectedLine();
    if (!line || !line->Entry || !line->Entry->Profile)
        return;
    const ProfileRead read = CheckProfile(*line->Entry->Profile);
    if (read.Settings) {
        m_load(*read.Settings);
        return;
    }
    const ProfileRefusal& r = read.Refusal;
    ShowMessageBox(this,
                   FormatNumbered(LoadResourceString(IDS_JOURNAL_PROFILE_REFUSED),
                                  {QString::fromStdString(r.Key), QString::fromStdString(r.Value),
                                   QString::number(r.Low), QString::number(r.High)}));
}

void CJournalWindow::Export() {
    const QString to = m_askExportFile(this);
    std::string reason;
    if (to.isEmpty() || ExportJournal(m_path, to.toStdString(), reason))
        return;
    ShowMessageBox(this, FormatNumbered(LoadResourceString(IDS_JOURNAL_EXPORT_FAILED),
                                        {to, QString::fromStdString(reason)}));
}

} // namespace drivo
