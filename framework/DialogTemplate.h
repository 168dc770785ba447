// SPDX-License-Identifier: GPL-3.0-or-later
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
    QString Kind; // frame, static, button, edit, progress, groupbox, checkbox, icon
    QString Text;
    QRect Rect; // dialog units
    bool Visible = true;
    QStringList Styles;

    bool HasStyle(QStringView style) const { return Styles.contains(style); }
};

struct DialogTemplate {
    int Id = 0;
    QString Title;
    QSize Size; // dialog units
    QString FontFamily;
    int FontPoints = 8;
    QStringList Styles;
    std::vector<ControlTemplate> Controls;
};

// What a template may ask for: a window and controls of at most 2000 dialog units (3000 x
// 3250 pixels), controls placed up to that far outside the window (102 hides a button above
// its top edge), fonts of 1 to 72 points, and far more controls than any window here has.
inline constexpr int kMaxDialogUnits = 2000;
inline constexpr int kMaxFontPoints = 72;
inline constexpr int kMaxTemplateControls = 256;

// Refuses anything that is not a complete, sane template (not JSON, missing size, a control
// without kind or rectangle, an unknown kind, a number that is no integer or lies outside the
// bounds above, a text longer than a resource string may be) rather than building half a
// window, or one that cannot be shown or closed.
std::optional<DialogTemplate> ParseDialogTemplate(const QByteArray& json);

// Fixed base units of 6 x 13 pixels (the 8-point sans font at 96 dpi); truncates. Computed
// in 64 bits and clamped to the largest widget size, so that no argument overflows.
int DialogUnitsToPixelsX(qint64 x);
int DialogUnitsToPixelsY(qint64 y);
QRect DialogUnitsToPixels(const QRect& dialogUnits);
QSize DialogUnitsToPixels(const QSize& dialogUnits);

} // namespace drivo
