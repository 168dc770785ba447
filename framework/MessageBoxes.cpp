#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

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
        case MessageIcon::None: return QMessageBox::NoIcon;
        case MessageIcon::Information: return QMessageBox::Information;
        case MessageIcon::Stop: return QMessageBox::Critical;
        case MessageIcon::Warning:
        case MessageIcon::Exclamation: break;
        }
        return QMessageBox::Warning;
    }
};

MessageBoxSink* g_installed = nullptr;

} // namespace

MessageBoxSink& MessageBoxes() {
    static RealMessageBoxes real;
    return g_installed ? *g_installed : real;
}

void InstallMessageBoxes(MessageBoxSink* sink) { g_installed = sink; }

void ShowMessageBox(QWidget* owner, const QString& text, MessageIcon icon) {
    const QPointer<QWidget> guard(owner);
    MessageBoxes().Show(owner, text, icon);
    // The owner may lie under another modal dialog (an outcome reported while the About box is
    // open): that one gets the keys.
    QWidget* target = QApplication::activeModalWidget();
    if (!target && guard)
        target = guard->window();
    if (target && target->isVisible())
        target->activateWindow();
}

} // namespace drivo
