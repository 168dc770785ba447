#include "PendingBatteryBar.h"

namespace drivo {

void ApplyBatteryLook(BatteryBarWidget& bar, const BatteryLook& look) {
    bar.setValue(look.Percent);
    // The texts end in a lone '%', which the bar's %p/%v/%m placeholders never match.
    bar.setFormat(QString::fromStdString(look.Text));
    bar.setTextVisible(!look.Text.empty());
    QPalette palette = bar.palette();
    palette.setColor(QPalette::Highlight, QColor(look.Colour.R, look.Colour.G, look.Colour.B));
    bar.setPalette(palette);
    bar.update();
}

QColor BatteryBarColour(const BatteryBarWidget& bar) { return bar.palette().color(QPalette::Highlight); }

} // namespace drivo
