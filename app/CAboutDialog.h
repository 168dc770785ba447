#pragma once
// The About box (template 100): the program's name and version and, when a car is attached,
// the version of the car's software, read through the main window's link.
#include "framework/CDialog.h"
#include "device/JobNotifier.h"

namespace drivo {

class CMainDialog;

class CAboutDialog : public CDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(CMainDialog& owner);
    ~CAboutDialog() override;

    bool ReadPending() const { return m_readPending; }
    WindowHandle Handle() const { return m_handle; }

protected:
    bool OnInitDialog() override;

private:
    void OnVersionDone(std::intptr_t version);
    void SetVersionLabel(const QString& text);
    // Gives the main window back its placeholders and a still indicator.
    void EndVersionRead();

    CMainDialog& m_owner;
    WindowHandle m_handle = 0;
    bool m_readPending = false;
    unsigned m_blinkBefore = 0; // the indicator's period when the read started
};

} // namespace drivo
