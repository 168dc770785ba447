// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the skinned push button and the image button in each state, with faces drawn at
// 1x (top row) and at the screen's pixel ratio (second row), over a striped parent so that
// transparency shows. Usage: drivo_button_sheet [file.png]  (saves a grab and exits).
#include "widgets/CImageButtonWithStyle.h"
#include "widgets/CSkinButton.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

using namespace drivo;

namespace {

constexpr QRgb kMagenta = 0xffff00ff;

// A 137 x 57 face: a rounded plate with its label, magenta outside the plate.
QImage Face(QColor plate, const QString& label, qreal ratio) {
    QImage face(QSize(137, 57) * ratio, QImage::Format_RGB32);
    face.setDevicePixelRatio(ratio);
    face.fill(kMagenta);
    QPainter p(&face);
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2, 133, 53), 14, 14);
    p.fillPath(path, plate); // no antialiasing: the edge must stay exactly magenta or plate
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(2, 2, 133, 53), Qt::AlignCenter, label);
    return face;
}

class Sheet : public QWidget {
public:
    Sheet() {
        resize(1000, 330);
        setWindowTitle(QStringLiteral("Drivo buttons"));
        const qreal ratio = devicePixelRatioF();
        const QStringList states = {"normal",  "hovered",  "pressed",
                                    "focused", "disabled", "checked"};
        for (int row = 0; row < 2; ++row) {
            const qreal faceRatio = row == 0 ? 1 : std::max<qreal>(ratio, 2);
            for (int col = 0; col < states.size(); ++col) {
                const QString& state = states[col];
                auto* b =
                    new CSkinButton(this, 100 + col,
                                    state == "checked" ? CButton::kCheckBox : CButton::kPushButton);
                b->setGeometry(10 + col * 160, 30 + row * 90, 137, 57);
                b->SetBitmapPair(Face(QColor(30, 140, 40), "Envoyer", faceRatio), kMagenta,
                                 Face(QColor(200, 30, 30), "Envoyer", faceRatio), kMagenta);
                b->SetHoverBorder(false);
                b->SetFlatFocusRect(true);
                b->SetTransparent();
                m_buttons.push_back({b, state});
                auto* label = new QLabel(QStringLiteral("%1 %2x").arg(state).arg(faceRatio), this);
                label->move(10 + col * 160, 10 + row * 90);
            }
        }
        // 3D look with text and the image left of it; the themed image buttons.
        auto* text = new CSkinButton(this, 200);
        text->setGeometry(10, 220, 137, 40);
        text->setText(QStringLiteral("Quitter"));
        text->SetFlatLook(false);
        text->SetBitmapPair(Face(QColor(40, 40, 160), "", 1).scaled(20, 20), kMagenta);
        QImage flag(QSize(29, 28) * ratio, QImage::Format_ARGB32);
        flag.setDevicePixelRatio(ratio);
        flag.fill(Qt::transparent);
        {
            QPainter p(&flag);
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(QColor(0, 60, 170));
            p.drawEllipse(QRectF(1, 1, 27, 26));
        }
        for (int i = 0; i < 3; ++i) {
            auto* b = new CImageButtonWithStyle(
                this, 300 + i, CButton::kIcon | (i == 2 ? CButton::kDefPushButton : 0));
            b->setGeometry(170 + i * 60, 220, 50, 40);
            b->SetIcon(IconFromImage(flag));
            b->setEnabled(i != 1);
        }
    }

    // Puts each button into its state once the window is up.
    void ApplyStates() {
        for (auto& [b, state] : m_buttons) {
            if (state == "hovered") {
                QMouseEvent move(QEvent::MouseMove, QPointF(60, 30),
                                 b->mapToGlobal(QPointF(60, 30)), Qt::NoButton, Qt::NoButton, {});
                QApplication::sendEvent(b, &move);
            } else if (state == "pressed") {
                b->setDown(true);
            } else if (state == "focused") {
                b->setFocus();
            } else if (state == "disabled") {
                b->setEnabled(false);
            } else if (state == "checked") {
                b->SetChecked(true);
            }
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int x = -height(); x < width(); x += 16)
            p.fillRect(QRect(x, 0, 8, height()), QColor(235, 235, 210));
    }

private:
    std::vector<std::pair<CSkinButton*, QString>> m_buttons;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Sheet sheet;
    sheet.show();
    sheet.activateWindow();
    QTimer::singleShot(200, &sheet, [&] { sheet.ApplyStates(); });
    if (argc > 1) {
        QTimer::singleShot(400, &sheet, [&] {
            sheet.grab().save(QString::fromLocal8Bit(argv[1]));
            app.quit();
        });
    }
    return app.exec();
}
