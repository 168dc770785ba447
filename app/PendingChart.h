#pragma once
// The calls the main dialog makes on its profile chart, until the chart widget is merged.
// The default does nothing; tests install a recorder.
#include <QRect>

class QWidget;

namespace drivo {

struct RaceSettings;

class PendingChart {
public:
    virtual ~PendingChart() = default;
    virtual void SetGridDivisions(int /*rows*/, int /*columns*/, bool /*useSpacing*/, int /*spacing*/) {}
    virtual void ShowTimeLabels(bool /*on*/, bool /*redraw*/) {}
    virtual void EnableTips(bool /*on*/) {}
    // Creates the chart window over the given area and fills it from the record.
    virtual void Setup(QWidget* /*parent*/, const QRect& /*area*/, const RaceSettings& /*settings*/) {}
    virtual bool Exists() const { return false; }
    virtual void Resize(int /*width*/, int /*height*/) {}
    virtual void SetBarEndTime(int /*index*/, double /*time*/) {}
    virtual void SetMaxTime(double /*time*/) {}
    virtual void Redraw() {}
};

} // namespace drivo
