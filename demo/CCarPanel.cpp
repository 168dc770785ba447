// SPDX-License-Identifier: GPL-3.0-or-later
#include "CCarPanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

namespace drivo {

namespace {
constexpr int kRefreshMs = 500;

struct FaultName {
    sim::CarFault fault;
    const char* text;
};
constexpr FaultName kFaultNames[] = {
    {sim::CarFault::Silent, "Silent (never answers)"},
    {sim::CarFault::Slow, "Slow (answers after the time-out)"},
    {sim::CarFault::ShortReply, "Short replies"},
    {sim::CarFault::CorruptChecksum, "Corrupted checksums"},
    {sim::CarFault::WrongMnemonic, "Wrong command in answers"},
    {sim::CarFault::UnplugMidTransaction, "Unplugged during the next exchange"},
};
} // namespace

CCarPanel::CCarPanel(std::shared_ptr<sim::VirtualCar> car, std::function<void()> devicesChanged,
                     QWidget* parent)
    : QWidget(parent, Qt::Window), m_car(std::move(car)),
      m_devicesChanged(std::move(devicesChanged)) {
    setWindowTitle(QStringLiteral("Virtual Voltkart"));

    m_plugged = new QCheckBox(QStringLiteral("Car plugged in"));
    m_plugged->setChecked(m_car->IsPlugged());
    connect(m_plugged, &QCheckBox::toggled, this, [this](bool on) {
        // The car reports its own presence change through its plug callback.
        on ? m_car->Plug() : m_car->Unplug();
    });
    m_otherDevice = new QCheckBox(QStringLiteral("Another USB serial device attached"));
    connect(m_otherDevice, &QCheckBox::toggled, this, [this](bool on) {
        m_car->SetOtherDevices(on ? std::vector<std::string>{"USB Serial Converter"}
                                  : std::vector<std::string>{});
        if (m_devicesChanged)
            m_devicesChanged();
    });

    m_battery = new QSpinBox;
    m_battery->setRange(0, 99999);
    m_battery->setValue(m_car->Battery());
    m_battery->setSuffix(QStringLiteral(" (GVB reading)"));
    connect(m_battery, &QSpinBox::valueChanged, this, [this](int v) { m_car->SetBattery(v); });

    auto* major = new QSpinBox;
    auto* minor = new QSpinBox;
    major->setRange(0, 99);
    minor->setRange(0, 99);
    major->setValue(1);
    minor->setValue(5);
    auto setVersion = [this, major, minor] { m_car->SetVersion(major->value(), minor->value()); };
    connect(major, &QSpinBox::valueChanged, this, setVersion);
    connect(minor, &QSpinBox::valueChanged, this, setVersion);
    setVersion();
    auto* version = new QHBoxLayout;
    version->addWidget(major);
    version->addWidget(new QLabel(QStringLiteral(".")));
    version->addWidget(minor);

    auto* form = new QFormLayout;
    form->addRow(m_plugged);
    form->addRow(m_otherDevice);
    form->addRow(QStringLiteral("Battery"), m_battery);
    form->addRow(QStringLiteral("Software version"), version);

    auto* run = new QPushButton(QStringLiteral("Run a race"));
    connect(run, &QPushButton::clicked, this, &CCarPanel::RunRace);
    m_received = new QLabel;
    m_race = new QLabel(QStringLiteral("No race run yet."));
    for (QLabel* label : {m_received, m_race}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setWordWrap(true); // the panel keeps its width whatever the car holds
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    // Room for the longest texts from the start, so that a send or a race never makes the
    // panel's content outgrow the size it was placed with.
    m_received->setMinimumHeight(m_received->fontMetrics().lineSpacing() * 4);
    m_race->setMinimumHeight(m_race->fontMetrics().lineSpacing() * 2);

    m_content = new QWidget;
    auto* layout = new QVBoxLayout(m_content);
    layout->addLayout(form);
    layout->addWidget(BuildFaults());
    layout->addWidget(m_received);
    layout->addWidget(run);
    layout->addWidget(m_race);
    // Where the screen has too little room beside the main window, the panel is made smaller
    // than its content, which then scrolls.
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_content);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    Refresh();
    startTimer(kRefreshMs);
}

QSize CCarPanel::sizeHint() const {
    return m_content->sizeHint();
}

QWidget* CCarPanel::BuildFaults() {
    auto* group = new QGroupBox(QStringLiteral("Faults"));
    auto* layout = new QVBoxLayout(group);
    for (const FaultName& f : kFaultNames) {
        auto* box = new QCheckBox(QString::fromLatin1(f.text));
        connect(box, &QCheckBox::toggled, this,
                [this, fault = f.fault](bool on) { m_car->SetFault(fault, on); });
        layout->addWidget(box);
        m_faults.emplace_back(f.fault, box);
    }
    return group;
}

QCheckBox* CCarPanel::FaultBox(sim::CarFault fault) const {
    for (const auto& [f, box] : m_faults)
        if (f == fault)
            return box;
    return nullptr;
}

void CCarPanel::RunRace() {
    const sim::RaceResult result = m_car->RunRace();
    m_race->setText(QStringLiteral("Last race: %1 ms, top motor speed %2 rpm.")
                        .arg(result.timeMs)
                        .arg(result.maxSpeed));
}

void CCarPanel::Refresh() {
    // The car may have changed behind the panel: settings received, unplugged by a fault.
    const QSignalBlocker block(m_plugged);
    m_plugged->setChecked(m_car->IsPlugged());
    for (const auto& [fault, box] : m_faults) {
        const QSignalBlocker blockFault(box);
        box->setChecked(m_car->HasFault(fault));
    }
    if (m_car->ConfigState() == 0) {
        m_received->setText(
            QStringLiteral("Running on its default parameters (nothing received)."));
        return;
    }
    const sim::CarSettings s = m_car->LastSettings();
    QStringList times, values;
    for (std::size_t i = 0; i < s.stageTimes.size(); ++i) {
        times << QString::number(s.stageTimes[i]);
        values << QString::number(s.intensities[i]);
    }
    m_received->setText(
        QStringLiteral("Received: %1 ms at %2 %\nmax %3 ms, %4 revolutions, return %5")
            .arg(times.join(u'/'), values.join(u'/'))
            .arg(s.timeMax)
            .arg(s.distance)
            .arg(s.returnMode ? QStringLiteral("on") : QStringLiteral("off")));
}

void CCarPanel::timerEvent(QTimerEvent*) {
    Refresh();
}

} // namespace drivo
