// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up baseline: a bare Qt dialog with a few line edits, built with the same flags as
// the programs, printing the wall clock (ns since the epoch) once its first frame is shown.
// With --window it has the main window's size and paints a picture of that size kept in
// memory, as the main window does: what any window of that size with its picture costs.
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_REALTIME, &now);
                std::printf("%lld\n",
                            static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

class PictureDialog final : public QDialog {
public:
    QImage picture;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!picture.isNull())
            QPainter(this).drawImage(0, 0, picture);
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PictureDialog dialog;
    if (argc == 2 && QByteArray(argv[1]) == "--window") {
        const QSize window(793, 567); // the main window at 96 dpi
        dialog.setFixedSize(window);
        dialog.picture = QImage(window, QImage::Format_RGB32);
        for (int y = 0; y < window.height(); ++y)
            std::fill_n(reinterpret_cast<QRgb*>(dialog.picture.scanLine(y)), window.width(),
                        qRgb(200, 220, y % 256));
    }
    auto* form = new QFormLayout(&dialog);
    for (const char* label : {"Time", "Value", "Wheel", "Length"})
        form->addRow(QString::fromLatin1(label), new QLineEdit(&dialog));
    FirstPaint watcher;
    dialog.installEventFilter(&watcher);
    dialog.show();
    return app.exec();
}
