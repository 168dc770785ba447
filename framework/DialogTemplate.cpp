#include "DialogTemplate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace drivo {

namespace {

const QStringList kKinds = {"frame",    "static",   "button", "edit",
                            "progress", "groupbox", "checkbox", "icon"};

bool ReadInts(const QJsonValue& v, int count, int* out) {
    const QJsonArray a = v.toArray();
    if (a.size() != count)
        return false;
    for (int i = 0; i < count; ++i) {
        if (!a[i].isDouble())
            return false;
        out[i] = a[i].toInt();
    }
    return true;
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
    c.Kind = o.value("kind").toString();
    if (!kKinds.contains(c.Kind) || !ReadInts(o.value("rect"), 4, r))
        return std::nullopt;
    c.Id = o.value("id").toInt(kNoControlId);
    c.Text = o.value("text").toString();
    c.Rect = QRect(r[0], r[1], r[2], r[3]);
    c.Visible = o.value("visible").toBool(true);
    c.Styles = ReadStrings(o.value("styles"));
    return c;
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
    if (!ReadInts(root.value("size"), 2, size))
        return std::nullopt;
    t.Id = root.value("id").toInt();
    t.Title = root.value("title").toString();
    t.Size = QSize(size[0], size[1]);
    const QJsonObject font = root.value("font").toObject();
    t.FontFamily = font.value("family").toString();
    t.FontPoints = font.value("points").toInt(8);
    t.Styles = ReadStrings(root.value("styles"));
    for (const QJsonValue& v : root.value("controls").toArray()) {
        auto control = ReadControl(v.toObject());
        if (!control)
            return std::nullopt;
        t.Controls.push_back(std::move(*control));
    }
    return t;
}

int DialogUnitsToPixelsX(int x) { return x * 6 / 4; }
int DialogUnitsToPixelsY(int y) { return y * 13 / 8; }

QRect DialogUnitsToPixels(const QRect& du) {
    // Both corners are converted, as the platform maps a rectangle, so that neighbouring
    // controls that touch in dialog units still touch in pixels.
    const int left = DialogUnitsToPixelsX(du.x());
    const int top = DialogUnitsToPixelsY(du.y());
    const int right = DialogUnitsToPixelsX(du.x() + du.width());
    const int bottom = DialogUnitsToPixelsY(du.y() + du.height());
    return QRect(left, top, right - left, bottom - top);
}

QSize DialogUnitsToPixels(const QSize& du) {
    return QSize(DialogUnitsToPixelsX(du.width()), DialogUnitsToPixelsY(du.height()));
}

} // namespace drivo
