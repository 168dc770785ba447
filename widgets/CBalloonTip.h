// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small topmost rounded popup showing a title and value lines next to the mouse cursor; it
// hides itself after a timeout. It reads its owner's on/off flag and text through pointers.
#include <QBasicTimer>
#include <QFont>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QWidget>
#include <functional>

namespace drivo {

class CBalloonTip : public QWidget {
    Q_OBJECT
public:
    // Where the tip gets the cursor, the screen size and its timer from. An empty function
    // falls back to the real one (QCursor::pos, the primary screen, a QBasicTimer), so tests
    // replace only what they drive.
    struct Environment {
        std::function<QPoint()> cursorPos; // screen coordinates
        std::function<QSize()> screenSize;
        std::function<void(int id, unsigned ms)> startTimer;
        std::function<void(int id)> stopTimer;
    };

    static constexpr int kTimerId = 1;
    static constexpr int kWidth = 120;
    static constexpr int kHeight = 100;

    CBalloonTip();
    ~CBalloonTip() override;

    void SetEnvironment(Environment env) { m_env = std::move(env); }

    // Creates the hidden popup owned by owner. The flag and the text stay the owner's; they
    // are read on every show and paint. False when the tip exists already.
    bool CreateTip(QWidget* owner, const bool* enableFlag, const QString* text, unsigned timeoutMs);
    // Shows the owner's current text near the cursor, unless tips are off, the same text is
    // up already, or the cursor has not moved since the tip was last shown or hidden.
    void ShowAtCursor();
    // Records the cursor position, stops the timeout and hides the tip.
    void HideTip();

    bool HasWindow() const { return m_created; }
    bool TimerActive() const { return m_timerActive; }

    // Timer expiry; called by the real timer, or by a test standing in for it.
    void OnTimer(int id);

    // Top-left corner for a cursor position: 10 px right and 20 px below the cursor, kept
    // 4 px inside the right screen edge and inside the bottom edge.
    static QPoint PlaceNear(QPoint cursor, QSize screen);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QPoint CursorPos() const;
    QSize ScreenSize() const;
    void StartTimer();
    void StopTimer();

    Environment m_env;
    const bool* m_enable = nullptr;
    const QString* m_text = nullptr;
    bool m_created = false;
    bool m_timerActive = false;
    QString m_lastText;
    QPoint m_lastCursor;
    unsigned m_timeout = 0;
    QRect m_clientRect{0, 0, kWidth, kHeight};
    QFont m_titleFont;
    QFont m_textFont;
    QRegion m_windowRegion;
    QRegion m_paintRegion;
    QBasicTimer m_timer;
};

} // namespace drivo
