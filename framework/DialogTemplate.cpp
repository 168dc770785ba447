// SPDX-License-Identifier: GPL-3.0-or-later
#include "DialogTemplate.h"

#include "i18n/ResourceModule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace drivo {

namespace {

const QStringList kKinds = {QStringLiteral("frame"),    QStringLiteral("static"),
                            QStringLiteral("button"),   QStringLiteral("edit"),
                            QStringLiteral("progress"), QStringLiteral("groupbox"),
                            QStringLiteral("checkbox"), QStringLiteral("icon")};

struct Range {
    int Min, Max;
};
constexpr Range kPosition{-kMaxDialogUnits, kMaxDialogUnits};
constexpr Range kExtent{0, kMaxDialogUnits};
constexpr Range kWindowExtent{1, kMaxDialogUnits};
constexpr Range kFontPoints{1, kMaxFontPoints};

// A whole number within range: 2.5 or 2e9 is no coordinate, rather than one rounded or cut.
bool ReadInt(const QJsonValue& v, Range range, int& out) {
    const double d = v.toDouble();
    if (!v.isDouble() || d < range.Min || d > range.Max || d != std::trunc(d))
        return false;
    out = int(d);
    return true;
}

bool ReadInts(const QJsonValue& v, std::initializer_list<Range> ranges, int* out) {
    const QJsonArray a = v.toArray();
    if (a.size() != qsizetype(ranges.size()))
        return false;
    int i = 0;
    for (const Range& range : ranges) {
        if (!ReadInt(a[i], range, out[i]))
            return false;
        ++i;
    }
    return true;
}

bool ReadText(const QJsonValue& v, QString& out) {
    out = v.toString();
    return out.size() <= ResourceModule::kMaxStringLength;
}

QStringList ReadStrings(const QJsonValue& v) {
    QStringList out;
    for (const QJsonValue& s : v.toArray())
        out << s.toString();
    return out;
}

std::optional<ControlTemplate> ReadControl(const QJsonObject& o) {
    ControlTemplate c;
    int r[4] = {};
    c.Kind = o.value(u"kind").toString();
    if (!kKinds.contains(c.Kind) ||
        !ReadInts(o.value(u"rect"), {kPosition, kPosition, kExtent, kExtent}, r) ||
        !ReadText(o.value(u"text"), c.Text))
        return std::nullopt;
    c.Id = o.value(u"id").toInt(kNoControlId);
    c.Rect = QRect(r[0], r[1], r[2], r[3]);
    c.Visible = o.value(u"visible").toBool(true);
    c.Styles = ReadStrings(o.value(u"styles"));
    return c;
}

// The toolkit's largest widget size: any edge beyond it is clamped there, which also leaves
// room for every width and height computed from two edges.
constexpr qint64 kMaxPixels = (1 << 24) - 1;

int Scale(qint64 units, int pixels, int perUnits) {
    return int(std::clamp(units * pixels / perUnits, -kMaxPixels, kMaxPixels));
}

} // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject root = doc.object();
    DialogTemplate t;
    int size[2] = {};
    const QJsonObject font = root.value(u"font").toObject();
    const QJsonValue points = font.value(u"points");
    const QJsonArray controls = root.value(u"controls").toArray();
    if (!ReadInts(root.value(u"size"), {kWindowExtent, kWindowExtent}, size) ||
        !ReadText(root.value(u"title"), t.Title) ||
        (!points.isUndefined() && !ReadInt(points, kFontPoints, t.FontPoints)) ||
        controls.size() > kMaxTemplateControls)
        return std::nullopt;
    t.Id = root.value(u"id").toInt();
    t.Size = QSize(size[0], size[1]);
    t.FontFamily = font.value(u"family").toString();
    t.Styles = ReadStrings(root.value(u"styles"));
    for (const QJsonValue& v : controls) {
        auto control = ReadControl(v.toObject());
        if (!control)
            return std::nullopt;
        t.Controls.push_back(std::move(*control));
    }
    return t;
}

int DialogUnitsToPixelsX(qint64 x) {
    return Scale(x, 6, 4);
}
int DialogUnitsToPixelsY(qint64 y) {
    return Scale(y, 13, 8);
}

QRect DialogUnitsToPixels(const QRect& du) {
    // Both corners are converted, as the platform maps a rectangle, so that neighbouring
    // controls that touch in dialog units still touch in pixels. The far edges come from
    // right() and bottom(), as width() and height() themselves overflow on a rectangle that
    // reaches across the whole int range.
    const int left = DialogUnitsToPixelsX(du.left());
    const int top = DialogUnitsToPixelsY(du.top());
    const int right = DialogUnitsToPixelsX(qint64(du.right()) + 1);
    const int bottom = DialogUnitsToPixelsY(qint64(du.bottom()) + 1);
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnitsToPixels(const QSize& du) {
    return QSize(DialogUnitsToPixelsX(du.width()), DialogUnitsToPixelsY(du.height()));
}

} // namespace drivo
