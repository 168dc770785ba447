#pragma once
// Recorders for the main dialog's seams: message boxes and chart calls.
#include "app/CMainDialog.h"
#include "app/MessageBoxes.h"
#include "app/PendingChart.h"

#include <QStringList>

namespace drivo::test {

struct RecordedBox {
    QString Text;
    MessageIcon Icon;
};

class RecordingBoxes final : public MessageBoxSink {
public:
    RecordingBoxes() { InstallMessageBoxes(this); }
    ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }
    void Show(QWidget*, const QString& text, MessageIcon icon) override { Boxes.push_back({text, icon}); }
    std::vector<RecordedBox> Boxes;
};

class RecordingChart final : public PendingChart {
public:
    explicit RecordingChart(QStringList& log) : m_log(log) {}
    void SetBarEndTime(int index, double time) override {
        m_log << QStringLiteral("SetBarEndTime(%1,%2)").arg(index).arg(time);
    }
    void SetMaxTime(double time) override { m_log << QStringLiteral("SetMaxTime(%1)").arg(time); }
    void Redraw() override { m_log << QStringLiteral("Redraw"); }

private:
    QStringList& m_log;
};

} // namespace drivo::test
