// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's surface, binary/143.jpg: a baseline JPEG of 3200 x 2400 that the window
// stretches over its whole client area (793 x 567 pixels at 100 %). It is drawn in the
// window's own coordinates so that it comes out undistorted once stretched. Where the fields,
// labels, chart and buttons stand it stays calm and light; the racing world (a chequered flag
// over the hills, the car on its track) takes the corners no control covers.
#include "ArtCommon.h"

#include <QPainterPath>
#include <cmath>

namespace {

constexpr double kWindowWidth = 793;  // 529 dialog units
constexpr double kWindowHeight = 567; // 349 dialog units
constexpr int kPictureWidth = 3200;
constexpr int kPictureHeight = 2400;

const QColor kSky(222, 236, 250);
const QColor kPaper(250, 251, 253);
const QColor kPaperLow(244, 246, 249);

void PaintSurface(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kWindowHeight);
    sky.setColorAt(0, kSky);
    sky.setColorAt(0.2, kPaper);
    sky.setColorAt(1, kPaperLow);
    p.fillRect(QRectF(0, 0, kWindowWidth, kWindowHeight), sky);
}

// The row of the language flags, the USB symbol and the battery sits on a white card, so that
// the symbol's own white cell belongs to it.
void PaintStatusCard(QPainter& p) {
    const QRectF card(316, 36, 458, 50);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 60, 90, 22));
    p.drawRoundedRect(card.translated(0, 2).adjusted(-1, 0, 1, 1), 12, 12);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(222, 228, 236), 1.0));
    p.drawRoundedRect(card, 11, 11);
}

// Two ranges of pale hills behind the flag, with a far piece of track winding over them.
void PaintHills(QPainter& p) {
    QPainterPath far(QPointF(0, 96));
    far.cubicTo(QPointF(60, 72), QPointF(120, 78), QPointF(170, 92));
    far.cubicTo(QPointF(220, 104), QPointF(270, 86), QPointF(340, 96));
    far.lineTo(340, 160);
    far.lineTo(0, 160);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(216, 234, 221));
    p.drawPath(far);
    QPainterPath near(QPointF(0, 118));
    near.cubicTo(QPointF(70, 104), QPointF(150, 108), QPointF(210, 122));
    near.cubicTo(QPointF(250, 130), QPointF(290, 128), QPointF(340, 124));
    near.lineTo(340, 160);
    near.lineTo(0, 160);
    near.closeSubpath();
    p.setBrush(QColor(201, 225, 208));
    p.drawPath(near);
    QPainterPath road(QPointF(0, 134));
    road.cubicTo(QPointF(60, 124), QPointF(130, 120), QPointF(190, 128));
    road.cubicTo(QPointF(230, 134), QPointF(270, 134), QPointF(340, 130));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(238, 240, 244), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(road);
}

// The hills melt into the paper before the first field and the first stage label.
void FadeHills(QImage& layer, const QTransform& toPicture) {
    QPainter p(&layer);
    p.setTransform(toPicture);
    p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    QLinearGradient across(0, 0, 330, 0);
    across.setColorAt(0, Qt::black);
    across.setColorAt(0.45, Qt::black);
    across.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(0, 0, kWindowWidth, kWindowHeight), across);
    QLinearGradient down(0, 118, 0, 150);
    down.setColorAt(0, Qt::black);
    down.setColorAt(1, Qt::transparent);
    p.fillRect(QRectF(0, 0, kWindowWidth, kWindowHeight), down);
}

// A chequered flag waving from its pole.
void PaintChequeredFlag(QPainter& p) {
    const QPointF pole(34, 16);
    p.setPen(QPen(QColor(96, 100, 112), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(pole, pole + QPointF(0, 118));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 100, 112));
    p.drawEllipse(pole, 3.5, 3.5);

    const int columns = 8, rows = 5;
    const double cell = 14, left = pole.x() + 2, top = pole.y() + 4;
    const auto wave = [&](double x) {
        const double u = (x - left) / (columns * cell);
        return QPointF(x, top + 7 * std::sin(u * 2 * M_PI * 1.1 - 0.4) * u + 3 * u);
    };
    for (int c = 0; c < columns; ++c) {
        const double x0 = left + c * cell, x1 = x0 + cell;
        // Light falls on the crests of the cloth and not in its folds.
        const double light =
            0.5 + 0.5 * std::cos(((x0 + x1) / 2 - left) / (columns * cell) * 2 * M_PI * 1.1 - 0.4);
        for (int r = 0; r < rows; ++r) {
            const bool dark = (c + r) % 2 == 0;
            const QColor colour =
                dark ? QColor(38 + int(26 * light), 42 + int(26 * light), 54 + int(26 * light))
                     : QColor(232 + int(23 * light), 234 + int(21 * light), 238 + int(17 * light));
            QPolygonF cellShape{wave(x0) + QPointF(0, r * cell), wave(x1) + QPointF(0, r * cell),
                                wave(x1) + QPointF(0, (r + 1) * cell),
                                wave(x0) + QPointF(0, (r + 1) * cell)};
            p.setBrush(colour);
            p.setPen(QPen(colour, 0.6)); // closes the hairline seams between cells
            p.drawPolygon(cellShape);
        }
    }
}

// The track's last bend with the car on it, in the lower right corner.
void PaintTrackAndCar(QPainter& p) {
    QPainterPath upper(QPointF(kWindowWidth + 10, 460));
    upper.cubicTo(QPointF(700, 458), QPointF(590, 466), QPointF(476, kWindowHeight + 10));
    QPainterPath track = upper;
    track.lineTo(kWindowWidth + 10, kWindowHeight + 10);
    track.closeSubpath();
    QLinearGradient asphalt(0, 460, 0, kWindowHeight);
    asphalt.setColorAt(0, QColor(196, 201, 209));
    asphalt.setColorAt(1, QColor(172, 178, 188));
    p.setPen(Qt::NoPen);
    p.setBrush(asphalt);
    p.drawPath(track);

    // Kerb along the outer edge: white under red blocks.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(upper);
    QPen kerb(art::kRed, 7, Qt::CustomDashLine, Qt::FlatCap);
    kerb.setDashPattern({2.2, 2.2});
    p.setPen(kerb);
    p.drawPath(upper);

    // Dashed middle line, following the bend.
    QPainterPath middle(QPointF(kWindowWidth + 10, 534));
    middle.cubicTo(QPointF(720, 532), QPointF(640, 540), QPointF(590, kWindowHeight + 10));
    QPen dash(QColor(246, 247, 250), 2.5, Qt::CustomDashLine, Qt::FlatCap);
    dash.setDashPattern({6, 5});
    p.setPen(dash);
    p.drawPath(middle);

    // Speed lines behind the car.
    p.setPen(QPen(QColor(150, 156, 168, 150), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(548, 488), QPointF(590, 488));
    p.drawLine(QPointF(530, 502), QPointF(586, 502));
    p.drawLine(QPointF(556, 516), QPointF(592, 516));

    p.save();
    p.translate(590, 395);
    PaintCar(p, 196, 1.0, 1.0);
    p.restore();
}

} // namespace

bool SaveBackgroundArt(const QDir& res) {
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    // 96 dpi, as the window expects from a picture it stretches anyway.
    picture.setDotsPerMeterX(3780);
    picture.setDotsPerMeterY(3780);
    QTransform toPicture;
    toPicture.scale(kPictureWidth / kWindowWidth, kPictureHeight / kWindowHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(toPicture);
    PaintSurface(p);
    {
        QImage hills(picture.size(), QImage::Format_ARGB32_Premultiplied);
        hills.fill(Qt::transparent);
        QPainter h(&hills);
        h.setRenderHint(QPainter::Antialiasing);
        h.setTransform(toPicture);
        PaintHills(h);
        h.end();
        FadeHills(hills, toPicture);
        p.resetTransform();
        p.drawImage(0, 0, hills);
        p.setTransform(toPicture);
    }
    PaintStatusCard(p);
    PaintChequeredFlag(p);
    PaintTrackAndCar(p);
    p.end();
    // Baseline JFIF with optimised Huffman tables; 82 keeps the soft gradients free of
    // banding and the edges of the car clean at the window's size.
    return Save(picture.convertToFormat(QImage::Format_RGB888), res.filePath("binary/143.jpg"),
                "JPEG", 82);
}
