#pragma once
// The dialog's status bar: panes with indicator ids, a fixed width or stretching, placed
// along the bottom of the client area.
#include <QLabel>
#include <QStatusBar>
#include <vector>

namespace drivo {

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
        QLabel* Label;
        bool Stretch = true;
        int Width = 0;
    };
    std::vector<Pane> m_panes;
};

} // namespace drivo
