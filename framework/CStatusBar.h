// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The dialog's status bar: panes with indicator ids, a fixed width or stretching, placed
// along the bottom of the client area. A pane's size never depends on its text, so a new text
// repaints that pane alone: the bar is not laid out again and the other panes stay as drawn.
#include <QFrame>
#include <QStatusBar>
#include <vector>

namespace drivo {

// One sunken pane showing one line of text.
class CStatusPane : public QFrame {
public:
    explicit CStatusPane(QWidget* parent);
    void SetText(const QString& text);
    const QString& Text() const { return m_text; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int Indent() const;
    QString m_text;
};

class CStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CStatusBar(QWidget* parent);

    // One pane per id, in order, each empty and stretching until SetPaneInfo.
    void SetIndicators(const std::vector<int>& ids);
    // width 0 with stretch: takes the rest of the bar.
    void SetPaneInfo(int index, int id, bool stretch, int width);
    // Line breaks become spaces: a pane shows one line.
    void SetPaneText(int index, const QString& text);
    QString PaneText(int index) const;
    // The set width of a fixed pane; the laid-out width of a stretching one.
    int PaneWidth(int index) const;
    int PaneId(int index) const;
    int PaneCount() const { return int(m_panes.size()); }

    // Along the bottom of the parent's client area, full width.
    void Reposition();

private:
    struct Pane {
        int Id;
        CStatusPane* Label;
        bool Stretch = true;
        int Width = 0;
    };
    std::vector<Pane> m_panes;
};

} // namespace drivo
