// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box of the program goes through this one seam, so that tests record the
// boxes instead of blocking on a modal loop.
#include <QString>

class QWidget;

namespace drivo {

enum class MessageIcon { None, Exclamation, Information, Stop, Warning };

class MessageBoxSink {
public:
    virtual ~MessageBoxSink() = default;
    // Shows text with an OK button; returns when the user closed it.
    virtual void Show(QWidget* owner, const QString& text, MessageIcon icon) = 0;
};

// The sink in use: the real message boxes unless a test installed its own.
MessageBoxSink& MessageBoxes();
// Installs a sink (not owned); nullptr goes back to the real message boxes.
void InstallMessageBoxes(MessageBoxSink* sink);

// Shows the box, then gives the activation back to the owner's window, as the platform's
// boxes do: without a window manager to do it, the keys typed next would reach a window that
// does not know it has the focus, and leaving a field by Tab would go unnoticed. While a box
// is open, the same box (text and icon) again is dropped.
void ShowMessageBox(QWidget* owner, const QString& text,
                    MessageIcon icon = MessageIcon::Exclamation);

} // namespace drivo
