// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The red/green USB symbol of the main window: red while no car answers, green once one
// does, blinking between the two while an exchange with the car runs.
#include <QBasicTimer>
#include <QImage>
#include <QWidget>

namespace drivo {

class CUsbStatusIndicator : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellWidth = 75;
    static constexpr int kCellHeight = 40;
    static constexpr int kBlinkTimerId = 2;
    // Pixels of this colour in the strip let the window underneath show through.
    static constexpr QRgb kTransparentColor = 0xffff00ff;

    // cellStrip is bitmap 131: cells of 75 x 40, red symbol at x 0, green symbol at x 75.
    // A null image is accepted: the control then shows nothing of its own.
    explicit CUsbStatusIndicator(const QImage& cellStrip, QWidget* parent = nullptr);
    ~CUsbStatusIndicator() override;

    // 0: no car (red), 1: car connected (green). Redraws at once, shown or not.
    void SetState(int state);
    // Flips the state every periodMs milliseconds; 0 stops. A new period restarts the timer.
    void Blink(unsigned periodMs);

    int State() const { return m_sourceOffset; }
    unsigned BlinkPeriod() const { return m_blinkPeriod; }
    // The composed cell (transparent where the strip is magenta) that painting copies.
    const QImage& Surface() const { return m_surface; }

    QSize sizeHint() const override { return {kCellWidth, kCellHeight}; }

protected:
    // Window timers by id; tests replace them to drive the blinking without waiting.
    virtual void StartWindowTimer(int id, unsigned periodMs);
    virtual void KillWindowTimer(int id);
    virtual bool IsWindowTimerRunning(int id) const;
    void OnTimer(int id);

    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void ComposeCell();

    QImage m_strip;   // ARGB copy of the strip, so cells outside it come out transparent
    QImage m_surface; // the cell to show, kCellWidth x kCellHeight
    int m_sourceOffset = 0;
    int m_cellIndex = 1;
    unsigned m_blinkPeriod = 0;
    QBasicTimer m_blinkTimer;
};

} // namespace drivo
