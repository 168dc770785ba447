// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the drawings of the art generator share: the palette of the program icon, the car,
// and writing a file.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>

namespace art {
// The program icon's colours: every other picture is drawn with them.
inline const QColor kRed(214, 38, 30);
inline const QColor kRedLight(240, 70, 56);
inline const QColor kRedDeep(184, 24, 20);
inline const QColor kDarkRed(120, 14, 12);
inline const QColor kYellow(250, 200, 30);
inline const QColor kYellowEdge(90, 70, 0);
inline const QColor kNavy(30, 40, 70);
inline const QColor kGreen(24, 156, 56);
// The transparent colour of the skin bitmaps.
inline const QColor kMagenta(255, 0, 255);
} // namespace art

// The racer of the program icon in a size x size square at the painter's origin. stretch
// lifts the body, grow enlarges the round parts (both 1 for the car's own proportions).
void PaintCar(QPainter& p, int size, double stretch, double grow);

// Writes an image, creating its folder; quality applies to lossy formats.
bool Save(const QImage& image, const QString& path, const char* format = "PNG", int quality = -1);

bool SaveSkinArt(const QDir& res);
bool SaveBackgroundArt(const QDir& res);
