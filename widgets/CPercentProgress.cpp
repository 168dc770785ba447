// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/CPercentProgress.h"

#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

namespace drivo {

CPercentProgress::CPercentProgress(QWidget* parent) : QProgressBar(parent) {
    // The style must not write its own "%p%" text: only the window text is shown.
    setTextVisible(false);
    setRange(0, 100);
    setValue(0);
}

CPercentProgress::~CPercentProgress() {
    // The widget does not own a style it is given; hand back the application's style
    // before ours goes.
    if (m_classicStyle)
        setStyle(nullptr);
}

void CPercentProgress::SetWindowText(const QString& text) {
    // The window title of a child widget is its window text; changing it schedules no paint.
    setWindowTitle(text);
}

QString CPercentProgress::WindowText() const {
    return windowTitle();
}

void CPercentProgress::SetBarColor(const QColor& color) {
    QPalette pal = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        pal.setColor(group, QPalette::Highlight, color);
    setPalette(pal);
    update();
}

QColor CPercentProgress::BarColor() const {
    return palette().color(QPalette::Active, QPalette::Highlight);
}

void CPercentProgress::SetWindowTheme(const QString& theme) {
    if (theme.isEmpty()) {
        if (!m_classicStyle)
            m_classicStyle.reset(QStyleFactory::create(QStringLiteral("Windows")));
        if (m_classicStyle)
            setStyle(m_classicStyle.get());
    } else if (m_classicStyle) {
        setStyle(nullptr);
        m_classicStyle.reset();
    }
    update();
}

void CPercentProgress::paintEvent(QPaintEvent* event) {
    QProgressBar::paintEvent(event);

    const QString text = WindowText();
    if (text.isEmpty())
        return;
    QPainter painter(this);
    painter.setFont(font());
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;

    // White first, then black one pixel right and down: the white stays visible only above
    // and to the left of each stroke. Each pass is clipped to its own rectangle.
    QRect box = rect();
    painter.setClipRect(box);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(box, flags, text);

    box.translate(1, 1);
    painter.setClipRect(box);
    painter.setPen(QColor(0, 0, 0));
    painter.drawText(box, flags, text);
}

} // namespace drivo
