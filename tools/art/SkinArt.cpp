// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's skin, drawn in the program icon's style (rounded shapes, a light top
// edge, a dark outline):
//   bitmap/150..161.bmp  the command button faces (normal, hover and pressed, darker), with
//                        the program's French words; lang/<ABBR>/bitmap/ the same faces with
//                        the words of a language bundle
//   bitmap/141, 142.bmp  the round English and French flags of the language buttons
//   icon/139, 140/N.png  the same flags as icons for the language placeholders
// Every bitmap also comes as <id>@2x.bmp for a 200 % screen. Bitmaps are 24-bit BMP, stored
// as they are, so that the window's start reads them without inflating anything; the pixels
// around a round shape are magenta, the skin's transparent colour, so that the window's
// picture shows there. Nothing inside a shape is ever magenta.
#include "ArtCommon.h"
#include "ContrastRatio.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

struct FaceColours {
    QColor top, bottom, edge, text;
    QColor glow = Qt::transparent; // around the face while the mouse is over it
};

struct Face {
    int normalId; // the hover face is normalId + 1, the darker one normalId + 2
    QSize size;
    QRectF pill; // where the button shows it: the window crops the bitmap to the button
    FaceColours normal, hover;
};

// What a face says, in one language.
struct Words {
    QStringList lines;
    QString family;
    double pixelSize;
};

// The window paints its picture around a button; edges are blended towards its light tone.
const QColor kBackdrop(246, 247, 250);

// Deep enough that the white word keeps 4.5:1 against the face around it.
const FaceColours kRedFace{QColor(210, 40, 30), QColor(160, 16, 12), art::kDarkRed, Qt::white};
const FaceColours kRedHover{QColor(208, 40, 30), QColor(170, 20, 14), art::kDarkRed, Qt::white,
                            QColor(240, 80, 50, 120)};
const FaceColours kYellowFace{QColor(255, 224, 96), QColor(238, 178, 18), art::kYellowEdge,
                              QColor(44, 34, 0)};
const FaceColours kYellowHover{QColor(255, 238, 150), QColor(250, 198, 44), art::kYellowEdge,
                               QColor(44, 34, 0), QColor(250, 190, 30, 140)};
const FaceColours kGreyFace{QColor(250, 251, 252), QColor(202, 207, 214), QColor(84, 90, 102),
                            art::kNavy};
const FaceColours kGreyHover{QColor(255, 255, 255), QColor(212, 226, 242), QColor(40, 66, 118),
                             art::kNavy, QColor(70, 120, 210, 120)};

// The command buttons are smaller than their faces and show the face's centre (the Exit
// button also hangs 6 pixels above the window), so each pill sits in what stays visible.
// Send, race results, battery, exit.
const Face kFaces[] = {
    {150, {137, 57}, {9, 5, 119, 44}, kRedFace, kRedHover},
    {153, {137, 57}, {9, 5, 119, 44}, kYellowFace, kYellowHover},
    {156, {90, 43}, {8, 7.5, 74, 27}, kGreyFace, kGreyHover},
    {159, {90, 43}, {10, 11, 70, 24}, kGreyFace, kGreyHover},
};

const QString kSans = QStringLiteral("DejaVu Sans");
const QString kCondensed = QStringLiteral("DejaVu Sans Condensed");

// The faces' words: the program's French ones in bitmap/, each bundle's in its own folder.
struct Language {
    QString folder;
    Words words[std::size(kFaces)];
};
const Language kLanguages[] = {
    {"",
     {{{"Envoyer"}, kSans, 17},
      {{"Afficher les", "résultats"}, kSans, 12.5},
      {{"Etat de", "charge"}, kCondensed, 10.5},
      {{"Quitter"}, kSans, 12.5}}},
    {"lang/ENU",
     {{{"Send"}, kSans, 17},
      {{"Race", "results"}, kSans, 12.5},
      {{"Battery"}, kSans, 12.5},
      {{"Exit"}, kSans, 12.5}}},
    {"lang/DEU",
     {{{"Senden"}, kSans, 17},
      {{"Renn-", "ergebnis"}, kSans, 12.5},
      {{"Lade-", "zustand"}, kCondensed, 10.5},
      {{"Beenden"}, kCondensed, 12.5}}},
};

// Turns a drawing on transparency into a 24-bit bitmap: what is mostly outside every shape
// becomes magenta, the rest is laid opaque over the light backdrop.
QImage Flatten(const QImage& drawing) {
    const QImage argb = drawing.convertToFormat(QImage::Format_ARGB32);
    QImage out(argb.size(), QImage::Format_RGB888);
    out.setDevicePixelRatio(1.0);
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(in[x]);
            if (a < 56) {
                out.setPixelColor(x, y, art::kMagenta);
                continue;
            }
            const auto mix = [a](int c, int b) { return (c * a + b * (255 - a) + 127) / 255; };
            out.setPixelColor(x, y,
                              QColor(mix(qRed(in[x]), kBackdrop.red()),
                                     mix(qGreen(in[x]), kBackdrop.green()),
                                     mix(qBlue(in[x]), kBackdrop.blue())));
        }
    }
    return out;
}

// The darker face: every colour channel loses a quarter, the transparent colour stays.
QImage Darker(const QImage& face) {
    QImage out = face;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QColor c = out.pixelColor(x, y);
            if (c != art::kMagenta)
                out.setPixelColor(x, y,
                                  QColor(c.red() * 3 / 4, c.green() * 3 / 4, c.blue() * 3 / 4));
        }
    return out;
}

QImage Canvas(QSize size, int scale) {
    QImage canvas(size * scale, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

// A face with its words; a null image when the words do not fit the pill beside its round
// ends, or their font is not installed (another font would give other pictures).
QImage DrawFace(const Face& face, const Words& words, const FaceColours& colours, bool lit,
                int scale) {
    QImage canvas = Canvas(face.size, scale);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    const QRectF pill = face.pill;
    const double radius = pill.height() / 2;

    p.setPen(Qt::NoPen);
    if (lit) {
        p.setBrush(colours.glow);
        p.drawRoundedRect(pill.adjusted(-2.5, -2.5, 2.5, 2.5), radius + 2.5, radius + 2.5);
    }
    // Soft ground shadow, as under the icon's car.
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(pill.translated(0, 1.5), radius, radius);

    QLinearGradient shade(pill.topLeft(), pill.bottomLeft());
    shade.setColorAt(0, colours.top);
    shade.setColorAt(1, colours.bottom);
    p.setBrush(shade);
    p.setPen(QPen(colours.edge, 1.4));
    p.drawRoundedRect(pill, radius, radius);

    // Light top edge: a gloss over the upper half, and a ring when the mouse is over it.
    QPainterPath body;
    body.addRoundedRect(pill.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1.5, radius - 1.5);
    QPainterPath upper;
    upper.addRect(QRectF(pill.left(), pill.top(), pill.width(), pill.height() * 0.48));
    QLinearGradient gloss(pill.topLeft(), QPointF(pill.left(), pill.center().y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 120));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawPath(body.intersected(upper));
    if (lit) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
        p.drawRoundedRect(pill.adjusted(1.6, 1.6, -1.6, -1.6), radius - 1.6, radius - 1.6);
    }

    QFont font(words.family);
    font.setBold(true);
    font.setPointSizeF(words.pixelSize * 72.0 / canvas.logicalDpiY());
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.height() * 0.92;
    const double blockTop = pill.center().y() - lineHeight * words.lines.size() / 2;
    if (QFontInfo(font).family() != words.family) {
        std::fprintf(stderr, "face %d: font %s is not installed\n", face.normalId,
                     qPrintable(words.family));
        return {};
    }
    for (const QString& line : words.lines)
        if (metrics.horizontalAdvance(line) > pill.width() - radius) {
            std::fprintf(stderr, "face %d: \"%s\" does not fit\n", face.normalId, qPrintable(line));
            return {};
        }
    const auto drawWords = [&](QPainter& painter, bool withShadow) {
        painter.setFont(font);
        for (int i = 0; i < words.lines.size(); ++i) {
            const QRectF line(pill.left(), blockTop + i * lineHeight, pill.width(), lineHeight);
            if (withShadow && colours.text == Qt::white) { // keeps white text crisp on red
                painter.setPen(QColor(90, 8, 6, 150));
                painter.drawText(line.translated(0, 1), Qt::AlignCenter, words.lines[i]);
            }
            painter.setPen(colours.text);
            painter.drawText(line, Qt::AlignCenter, words.lines[i]);
        }
    };
    p.end();
    const QImage bare = Flatten(canvas);
    p.begin(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    drawWords(p, true);
    p.end();
    // The words must stand out from the face they are written on, shadow or not.
    QImage glyphs = Canvas(face.size, scale);
    QPainter g(&glyphs);
    g.scale(scale, scale);
    drawWords(g, false);
    g.end();
    double worst = 21;
    for (int y = 0; y < glyphs.height(); ++y)
        for (int x = 0; x < glyphs.width(); ++x)
            if (qAlpha(glyphs.pixel(x, y)) == 255)
                worst = std::min(worst, art::ContrastRatio(colours.text, bare.pixelColor(x, y)));
    if (worst < 4.5)
        std::fprintf(stderr, "face %d: \"%s\" at %.2f:1 against the face\n",
                     face.normalId + (lit ? 1 : 0), qPrintable(words.lines.join(' ')), worst);
    return Flatten(canvas);
}

// ---- Flags ----------------------------------------------------------------------------------

// The Union flag in its 60 x 30 construction, centred on the origin.
void PaintUnionFlag(QPainter& p) {
    const QColor blue(1, 33, 105), red(200, 16, 46);
    p.fillRect(QRectF(-30, -15, 60, 30), blue);
    p.setPen(QPen(Qt::white, 6));
    p.drawLine(QPointF(-30, -15), QPointF(30, 15));
    p.drawLine(QPointF(-30, 15), QPointF(30, -15));
    // The red diagonals lie off-centre, turning round the middle: each arm is drawn in its
    // own quarter, shifted to its side of the white band.
    const struct {
        QPointF corner, shift;
    } arms[] = {{{-30, -15}, {-0.447, 0.894}},
                {{30, -15}, {0.447, 0.894}},
                {{30, 15}, {0.447, -0.894}},
                {{-30, 15}, {-0.447, -0.894}}};
    p.setPen(QPen(red, 2, Qt::SolidLine, Qt::FlatCap));
    for (const auto& arm : arms) {
        p.save();
        p.setClipRect(QRectF(QPointF(0, 0), arm.corner).normalized(), Qt::IntersectClip);
        p.drawLine(arm.shift, arm.corner * 1.2 + arm.shift);
        p.restore();
    }
    p.fillRect(QRectF(-30, -5, 60, 10), Qt::white);
    p.fillRect(QRectF(-5, -15, 10, 30), Qt::white);
    p.fillRect(QRectF(-30, -3, 60, 6), red);
    p.fillRect(QRectF(-3, -15, 6, 30), red);
}

void PaintFrenchFlag(QPainter& p) {
    p.fillRect(QRectF(-15, -10, 10, 20), QColor(0, 85, 164));
    p.fillRect(QRectF(-5, -10, 10, 20), Qt::white);
    p.fillRect(QRectF(5, -10, 10, 20), QColor(239, 65, 53));
}

// A flag as a round badge in a box of the given logical size.
QImage DrawRoundFlag(bool english, QSizeF box, int scale) {
    QImage canvas = Canvas(box.toSize(), scale);
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    const QPointF centre(box.width() / 2, box.height() / 2);
    const double radius = std::min(box.width(), box.height()) / 2 - 1.0;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    p.save();
    p.setClipPath(disc);
    p.translate(centre);
    if (english) {
        const double unit = 2 * radius / 30.0 * 1.05; // the flag's height fills the disc
        p.scale(unit, unit);
        PaintUnionFlag(p);
    } else {
        const double unit = 2 * radius / 30.0 * 1.5;
        p.scale(unit, unit);
        PaintFrenchFlag(p);
    }
    p.restore();
    // Gloss over the upper half and the dark outline of the icon's style.
    QLinearGradient gloss(QPointF(0, centre.y() - radius), QPointF(0, centre.y()));
    gloss.setColorAt(0, QColor(255, 255, 255, 110));
    gloss.setColorAt(1, QColor(255, 255, 255, 0));
    QPainterPath upper;
    upper.addRect(QRectF(0, 0, box.width(), centre.y()));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawPath(disc.intersected(upper));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(art::kNavy, box.width() >= 24 ? 1.2 : 1.0));
    p.drawEllipse(centre, radius, radius);
    p.end();
    return canvas;
}

QString BitmapPath(const QDir& module, int id, int scale) {
    return module.filePath(scale == 1 ? QStringLiteral("bitmap/%1.bmp").arg(id)
                                      : QStringLiteral("bitmap/%1@%2x.bmp").arg(id).arg(scale));
}

bool SaveBitmap(const QImage& image, const QDir& module, int id, int scale) {
    return !image.isNull() && Save(image, BitmapPath(module, id, scale), "BMP");
}

} // namespace

bool SaveSkinArt(const QDir& res) {
    bool ok = true;
    for (const int scale : {1, 2}) {
        for (const Language& language : kLanguages) {
            const QDir module(res.filePath(language.folder));
            for (std::size_t i = 0; i < std::size(kFaces); ++i) {
                const Face& face = kFaces[i];
                const Words& words = language.words[i];
                const QImage normal = DrawFace(face, words, face.normal, false, scale);
                ok = SaveBitmap(normal, module, face.normalId, scale) && ok;
                ok = SaveBitmap(DrawFace(face, words, face.hover, true, scale), module,
                                face.normalId + 1, scale) &&
                     ok;
                ok = SaveBitmap(Darker(normal), module, face.normalId + 2, scale) && ok;
            }
        }
        ok = SaveBitmap(Flatten(DrawRoundFlag(true, {29, 28}, scale)), res, 141, scale) && ok;
        ok = SaveBitmap(Flatten(DrawRoundFlag(false, {29, 28}, scale)), res, 142, scale) && ok;
    }
    for (const int size : {16, 24, 32, 48}) {
        const QSizeF box(size, size);
        ok = Save(DrawRoundFlag(false, box, 1),
                  res.filePath(QStringLiteral("icon/139/%1.png").arg(size))) &&
             ok;
        ok = Save(DrawRoundFlag(true, box, 1),
                  res.filePath(QStringLiteral("icon/140/%1.png").arg(size))) &&
             ok;
    }
    return ok;
}
