// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <vector>

namespace drivo {

namespace {

class RealMessageBoxes final : public MessageBoxSink {
public:
    void Show(QWidget* owner, const QString& text, MessageIcon icon) override {
        QMessageBox box(ToQt(icon), QStringLiteral("Drivo"), text, QMessageBox::Ok, owner);
        box.exec();
    }

private:
    static QMessageBox::Icon ToQt(MessageIcon icon) {
        switch (icon) {
        case MessageIcon::None:
            return QMessageBox::NoIcon;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation:
            break;
        }
        return QMessageBox::Warning;
    }
};

MessageBoxSink* g_installed = nullptr;

// The boxes open now, by icon and text (window thread only). A box is modal but its loop
// still delivers job outcomes; the same box again while it is open is dropped, so a burst of
// outcomes never stacks a pile of boxes for the user to click away.
struct OpenBox {
    MessageIcon icon;
    QString text;
    bool operator==(const OpenBox&) const = default;
};
std::vector<OpenBox> g_open;

} // namespace

MessageBoxSink& MessageBoxes() {
    static RealMessageBoxes real;
    return g_installed ? *g_installed : real;
}

void InstallMessageBoxes(MessageBoxSink* sink) {
    g_installed = sink;
}

void ShowMessageBox(QWidget* owner, const QString& text, MessageIcon icon) {
    const OpenBox box{icon, text};
    if (std::ranges::find(g_open, box) != g_open.end())
        return;
    const QPointer<QWidget> guard(owner);
    g_open.push_back(box);
    MessageBoxes().Show(owner, text, icon);
    g_open.erase(std::ranges::find(g_open, box));
    // The owner may lie under another modal dialog (an outcome reported while the About box is
    // open): that one gets the keys.
    QWidget* target = QApplication::activeModalWidget();
    if (!target && guard)
        target = guard->window();
    if (target && target->isVisible())
        target->activateWindow();
}

} // namespace drivo
