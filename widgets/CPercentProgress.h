// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A progress bar that writes its window text centred over the bar: black with a one-pixel
// white edge above and to the left, readable on any bar colour. The main window uses it as
// the battery charge display.
#include <QColor>
#include <QProgressBar>
#include <QString>
#include <memory>

class QStyle;

namespace drivo {

class CPercentProgress : public QProgressBar {
    Q_OBJECT
public:
    explicit CPercentProgress(QWidget* parent = nullptr);
    ~CPercentProgress() override;

    // The text drawn over the bar. Setting it does not repaint: the new text shows at the
    // bar's next repaint (SetBarColor, setValue, an expose...). It is never derived from
    // the position or the range.
    void SetWindowText(const QString& text);
    QString WindowText() const;

    // The colour of the filled part; repaints the bar (and so shows a new window text).
    void SetBarColor(const QColor& color);
    QColor BarColor() const;

    // An empty theme turns the platform look off for this bar: it is then drawn in the
    // classic style, which fills the bar with exactly the bar colour. Any other name goes
    // back to the application's style.
    void SetWindowTheme(const QString& theme);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::unique_ptr<QStyle> m_classicStyle;
};

} // namespace drivo
