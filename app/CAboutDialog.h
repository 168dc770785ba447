// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About box (template 100): the program's name and version and, when a car is attached,
// the version of the car's software, read through the race controller's link.
#include "device/JobNotifier.h"
#include "framework/CDialog.h"

namespace drivo {

class RaceController;

class CAboutDialog : public CDialog {
    Q_OBJECT
public:
    CAboutDialog(RaceController& controller, QWidget* parent);
    ~CAboutDialog() override;

    bool ReadPending() const { return m_readPending; }

protected:
    bool OnInitDialog() override;

private:
    void OnVersionDone(std::optional<int> version);
    void SetVersionLabel(const QString& text);
    // Gives the controller back its placeholders and a still indicator.
    void EndVersionRead();

    RaceController& m_controller;
    WindowHandle m_handle = 0;
    bool m_readPending = false;
    unsigned m_blinkBefore = 0; // the indicator's period when the read started
};

} // namespace drivo
