// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// drivo-demo's control panel for the virtual car: plug it in or out, list another USB
// device beside it, set its battery reading and software version, run a race with the
// profile it last received, and switch each of its faults on or off.
#include "sim/VirtualCar.h"

#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QSpinBox;

namespace drivo {

class CCarPanel : public QWidget {
    Q_OBJECT
public:
    // devicesChanged runs when the panel changes the list of attached devices itself
    // (the car's own plug callback covers plugging the car).
    CCarPanel(std::shared_ptr<sim::VirtualCar> car, std::function<void()> devicesChanged,
              QWidget* parent = nullptr);

    // Shows what the car holds now (it changes behind the panel when settings arrive).
    void Refresh();

    // The whole content, without scrolling.
    QSize sizeHint() const override;

    QCheckBox* PluggedBox() const { return m_plugged; }
    QCheckBox* FaultBox(sim::CarFault fault) const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QWidget* BuildFaults();
    void RunRace();

    std::shared_ptr<sim::VirtualCar> m_car;
    QWidget* m_content = nullptr;
    std::function<void()> m_devicesChanged;
    QCheckBox* m_plugged = nullptr;
    QCheckBox* m_otherDevice = nullptr;
    QSpinBox* m_battery = nullptr;
    std::vector<std::pair<sim::CarFault, QCheckBox*>> m_faults;
    QLabel* m_received = nullptr;
    QLabel* m_race = nullptr;
};

} // namespace drivo
