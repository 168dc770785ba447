#pragma once
// A dialog template as stored in the resources (dialog/<id>.json): the window's caption,
// size and font, and its controls in creation order, all geometry in dialog units.
#include <QByteArray>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace drivo {

// Controls without an id of their own (labels, units) carry this one.
inline constexpr int kNoControlId = -1;

struct ControlTemplate {
    int Id = kNoControlId;
    QString Kind;   // frame, static, button, edit, progress, groupbox, checkbox, icon
    QString Text;
    QRect Rect;     // dialog units
    bool Visible = true;
    QStringList Styles;

    bool HasStyle(const QString& style) const { return Styles.contains(style); }
};

struct DialogTemplate {
    int Id = 0;
    QString Title;
    QSize Size;     // dialog units
    QString FontFamily;
    int FontPoints = 8;
    QStringList Styles;
    std::vector<ControlTemplate> Controls;
};

// Refuses anything that is not a complete template (not JSON, missing size, a control
// without kind or rectangle, an unknown kind) rather than building half a window.
std::optional<DialogTemplate> ParseDialogTemplate(const QByteArray& json);

// Fixed base units of 6 x 13 pixels (the 8-point sans font at 96 dpi); truncates.
int DialogUnitsToPixelsX(int x);
int DialogUnitsToPixelsY(int y);
QRect DialogUnitsToPixels(const QRect& dialogUnits);
QSize DialogUnitsToPixels(const QSize& dialogUnits);

} // namespace drivo
