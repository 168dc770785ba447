// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/MessageBoxes.h"
#include "TestMain.h"

#include <QTest>

using namespace drivo;

namespace {

// Stands for a modal box whose loop delivers more outcomes: each box asks, while it is open,
// for the boxes of `whileOpen` (once).
class NestingBoxes final : public MessageBoxSink {
public:
    NestingBoxes() { InstallMessageBoxes(this); }
    ~NestingBoxes() override { InstallMessageBoxes(nullptr); }
    void Show(QWidget* owner, const QString& text, MessageIcon icon) override {
        shown << text + QString::number(int(icon));
        const QStringList more = std::exchange(whileOpen, {});
        for (const QString& t : more)
            ShowMessageBox(owner, t, t == "error" ? MessageIcon::Stop : MessageIcon::Warning);
    }
    QStringList whileOpen, shown;
};

} // namespace

class MessageBoxesTest : public QObject {
    Q_OBJECT
private slots:
    // The same box is never stacked over itself; another text or icon is, and once a box is
    // closed it may come again.
    void oneBoxOfEachKindAtATime() {
        NestingBoxes boxes;
        boxes.whileOpen = {"error", "warning", "error"};
        ShowMessageBox(nullptr, "error", MessageIcon::Stop);
        ShowMessageBox(nullptr, "error", MessageIcon::Stop);
        ShowMessageBox(nullptr, "error", MessageIcon::Warning);
        const int stop = int(MessageIcon::Stop), warning = int(MessageIcon::Warning);
        QCOMPARE(
            boxes.shown,
            QStringList({"error" + QString::number(stop), "warning" + QString::number(warning),
                         "error" + QString::number(stop), "error" + QString::number(warning)}));
    }
};

#include "MessageBoxesTest.moc"
DRIVO_TEST(MessageBoxesTest);
