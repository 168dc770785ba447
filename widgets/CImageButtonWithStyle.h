// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A push button that shows an icon or a bitmap instead of text and, while the application
// is themed, draws itself over the themed push-button background. Without an image style or
// without theming it leaves the drawing to the framework's button.
#include "ImageDerivation.h"
#include "framework/CButton.h"

#include <QImage>
#include <QPainter>
#include <functional>

namespace drivo {

class CImageButtonWithStyle : public CButton {
    Q_OBJECT
public:
    // The custom-draw notification: its stages and results.
    static constexpr int kPrePaint = 1;
    static constexpr int kPreErase = 3;
    static constexpr long kDoDefault = 0;
    static constexpr long kSkipDefault = 4;
    struct CustomDraw {
        int DrawStage = kPrePaint;
        QPainter* Dc = nullptr;
        QRect Rect;
        unsigned ItemState = 0;
    };

    explicit CImageButtonWithStyle(QWidget* parent = nullptr, int id = kNoControlId,
                                   unsigned style = kPushButton);

    // The icon the button draws (the platform's set-image and get-image messages); a button
    // of the bitmap style draws no image, as it holds none.
    void SetIcon(const SkinIcon& icon);
    // The same with an icon made when it is first asked for or drawn: a button that is never
    // shown never decodes its image.
    void SetIcon(std::function<SkinIcon()> make);
    const SkinIcon& GetIcon() const;

    void OnNotifyCustomDraw(CustomDraw& draw, long* result);

    // Where an image of that width (height) starts in the rectangle for the style's
    // alignment; an image larger than the rectangle starts at its left (top) edge.
    static int ImageLeft(int w, const QRect& r, unsigned style);
    static int ImageTop(int h, const QRect& r, unsigned style);

protected:
    void DrawButtonIcon(QPainter& dc, const QRect& content, unsigned style);
    void paintEvent(QPaintEvent* event) override;

private:
    mutable SkinIcon m_icon;
    mutable std::function<SkinIcon()> m_makeIcon;
    QImage m_surface;
};

} // namespace drivo
