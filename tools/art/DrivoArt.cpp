// SPDX-License-Identifier: GPL-3.0-or-later
// Draws Drivo's own pictures with QPainter so that they can be regenerated and reviewed:
//   bitmap/131.bmp   the USB indicator strip, 150 x 80, 24 bits, white background
//   icon/128/N.png   the program icon, a small race car, N = 16 ... 256; 30 and 60 are the
//                    About box's icon control (20 x 20 dialog units) at 100 % and 200 %
//   the main window's skin (SkinArt.cpp) and its background picture (BackgroundArt.cpp)
// Usage: drivo_art <res folder>
#include "ArtCommon.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// ---- USB symbol -------------------------------------------------------------------------
// The main window's indicator control is 57 x 32 pixels and shows the top-left part of a
// 75 x 40 cell, so the symbol is centred in that visible part. The green cell is read from
// row 1 of the strip, so it is drawn one row lower to sit where the red one does.

void DrawUsbSymbol(QPainter& p, QPointF origin, QColor colour) {
    p.save();
    p.translate(origin);
    p.setRenderHint(QPainter::Antialiasing);
    const double axis = 16.0;
    QPen stroke(colour, 3.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    p.setPen(stroke);
    p.setBrush(Qt::NoBrush);
    // Trunk, and the two branches leaving it towards the plug end.
    p.drawLine(QPointF(9, axis), QPointF(44, axis));
    QPainterPath upper(QPointF(16, axis));
    upper.lineTo(23, 7.5);
    upper.lineTo(32, 7.5);
    p.drawPath(upper);
    QPainterPath lower(QPointF(24, axis));
    lower.lineTo(31, 24.5);
    lower.lineTo(38, 24.5);
    p.drawPath(lower);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(8.5, axis), 5.0, 5.0); // base
    p.drawEllipse(QPointF(35.0, 7.5), 3.6, 3.6); // round branch end
    p.drawRect(QRectF(37.0, 21.0, 7.0, 7.0));    // square branch end
    QPolygonF head{QPointF(42, axis - 6), QPointF(53, axis), QPointF(42, axis + 6)};
    p.drawPolygon(head); // arrow head
    p.restore();
}

QImage UsbStrip() {
    QImage strip(150, 80, QImage::Format_RGB888);
    strip.fill(Qt::white);
    QPainter p(&strip);
    DrawUsbSymbol(p, QPointF(0, 0.5), QColor(213, 35, 35));
    DrawUsbSymbol(p, QPointF(75, 1.5), QColor(24, 156, 56));
    p.end();
    return strip;
}

// ---- Race car icon ----------------------------------------------------------------------
// Side view of an open-wheel racer heading right, drawn on a 256-unit square. Small sizes
// drop the fine details that would only turn into noise.

QPainterPath CarBody() {
    QPainterPath body(QPointF(248, 168));
    body.cubicTo(QPointF(246, 158), QPointF(232, 154), QPointF(214, 151));
    body.lineTo(QPointF(160, 138));
    body.cubicTo(QPointF(150, 124), QPointF(140, 118), QPointF(126, 118));
    body.lineTo(QPointF(100, 122));
    body.lineTo(QPointF(52, 124));
    body.lineTo(QPointF(30, 122));
    body.lineTo(QPointF(24, 150));
    body.lineTo(QPointF(26, 172));
    body.lineTo(QPointF(244, 174));
    body.cubicTo(QPointF(248, 174), QPointF(249, 171), QPointF(248, 168));
    body.closeSubpath();
    return body;
}

void DrawWheel(QPainter& p, QPointF centre, double radius, int size) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 34));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(QColor(176, 180, 188));
    p.drawEllipse(centre, radius * 0.52, radius * 0.52);
    if (size >= 30) {
        p.setBrush(QColor(92, 96, 104));
        p.drawEllipse(centre, radius * 0.2, radius * 0.2);
    }
}

} // namespace

void PaintCar(QPainter& p, int size, double stretch, double grow) {
    p.save();
    const QTransform base = p.transform();
    p.setRenderHint(QPainter::Antialiasing);
    QTransform square;
    square.scale(size / 256.0, size / 256.0);
    square *= base;
    QTransform shaped;
    shaped.translate(0, 128);
    shaped.scale(1.0, stretch);
    shaped.translate(0, -155);
    const auto centre = [&](double x, double y) { return shaped.map(QPointF(x, y)); };
    p.setTransform(shaped * square);
    const bool detailed = size >= 30;
    p.setPen(Qt::NoPen);

    if (size >= 48) { // ground shadow
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 50));
        p.drawEllipse(centre(134, 214 + 36 * (grow - 1)), 118, 7);
    }

    // Rear wing on its posts.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 46));
    p.drawRect(QRectF(36, 98, 10, 28));
    p.setBrush(art::kRed);
    const double outline = detailed ? 5.0 : 12.0;
    p.setPen(QPen(art::kDarkRed, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(QRectF(10, 88, 60, 15), 4, 4);
    // Front wing, low under the nose.
    p.drawRoundedRect(QRectF(214, 166, 38, 10), 3, 3);

    // Body with a light top edge.
    const QPainterPath body = CarBody();
    QLinearGradient shade(0, 118, 0, 174);
    shade.setColorAt(0, art::kRedLight);
    shade.setColorAt(1, art::kRedDeep);
    p.setBrush(shade);
    p.drawPath(body);

    if (detailed) {
        // Racing stripe along the side, clipped to the body.
        p.save();
        p.setClipPath(body);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255));
        p.drawRect(QRectF(20, 152, 232, 8));
        p.restore();
        // Air intake behind the driver.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 40, 46));
        p.drawRoundedRect(QRectF(76, 128, 22, 10), 3, 3);
    }

    // Driver's helmet and visor, drawn round around the stretched centre.
    p.setTransform(square);
    p.translate(centre(124, 112));
    p.scale(grow, grow);
    p.setPen(QPen(art::kYellowEdge, detailed ? 4.0 : 8.0));
    p.setBrush(art::kYellow);
    p.drawEllipse(QPointF(0, 0), 18, 18);
    p.setPen(Qt::NoPen);
    p.setBrush(art::kNavy);
    QPainterPath shell;
    shell.addEllipse(QPointF(0, 0), 16, 16);
    QPainterPath visor;
    visor.addRoundedRect(QRectF(0, -9, 24, 12), 3, 3);
    p.drawPath(visor.intersected(shell));

    p.setTransform(square);
    DrawWheel(p, centre(66, 178), 36 * grow, size);
    DrawWheel(p, centre(204, 182), 30 * grow, size);
    p.restore();
}

namespace {

QImage CarIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    // The car spans y 84 (wing) to 214 (wheels) at its own proportions; it is stretched
    // upwards a little, and more at the smallest sizes, so it fills the square better.
    // Round parts (helmet, wheels) keep their shape: only their centres follow the stretch.
    PaintCar(p, size, size <= 24 ? 1.45 : 1.25, size <= 24 ? 1.3 : 1.15);
    p.end();
    return icon;
}

} // namespace

bool Save(const QImage& image, const QString& path, const char* format, int quality) {
    QImageWriter writer(path, format);
    if (quality >= 0) { // lossy: smallest file for that quality
        writer.setQuality(quality);
        writer.setOptimizedWrite(true);
    }
    if (!QDir().mkpath(QFileInfo(path).path()) || !writer.write(image)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    // Text is drawn with the installed fonts; no screen is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int appArgc = 1;
    QGuiApplication app(appArgc, argv);
    const QDir res(QString::fromLocal8Bit(argv[1]));
    bool ok = Save(UsbStrip(), res.filePath("bitmap/131.bmp"), "BMP");
    for (const int size : {16, 24, 30, 32, 48, 60, 64, 128, 256})
        ok = Save(CarIcon(size), res.filePath(QStringLiteral("icon/128/%1.png").arg(size))) && ok;
    ok = SaveSkinArt(res) && ok;
    ok = SaveBackgroundArt(res) && ok;
    return ok ? 0 : 1;
}
