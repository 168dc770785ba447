// SPDX-License-Identifier: GPL-3.0-or-later
#include "CImageButtonWithStyle.h"

#include "CThemeApi.h"
#include "ImageDrawing.h"

#include <utility>

namespace drivo {

namespace {

constexpr int kPushButtonPart = 1;
enum PushButtonState { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5 };

// Disabled before pressed before hot before default.
int PushButtonStateOf(unsigned style, unsigned itemState) {
    if (style & CButton::kDisabled)
        return kDisabled;
    if (itemState & CImageButtonWithStyle::kStateSelected)
        return kPressed;
    if (itemState & CImageButtonWithStyle::kStateHot)
        return kHot;
    if ((style & CButton::kTypeMask) == CButton::kDefPushButton)
        return kDefaulted;
    return kNormal;
}

QColor Light(const QWidget& w) {
    return w.palette().color(QPalette::Light);
}
QColor Shadow(const QWidget& w) {
    return w.palette().color(QPalette::Dark);
}

} // namespace

CImageButtonWithStyle::CImageButtonWithStyle(QWidget* parent, int id, unsigned style)
    : CButton(parent, id, style) {}

void CImageButtonWithStyle::SetIcon(const SkinIcon& icon) {
    m_icon = icon;
    m_makeIcon = nullptr;
    update();
}

void CImageButtonWithStyle::SetIcon(std::function<SkinIcon()> make) {
    m_icon = {};
    m_makeIcon = std::move(make);
    update();
}

const SkinIcon& CImageButtonWithStyle::GetIcon() const {
    if (m_makeIcon)
        m_icon = std::exchange(m_makeIcon, nullptr)();
    return m_icon;
}

int CImageButtonWithStyle::ImageLeft(int w, const QRect& r, unsigned style) {
    const int right = r.left() + r.width();
    if (w > r.width())
        return r.left();
    switch (style & kHorizontalMask) {
    case kLeft:
        return r.left();
    case kRight:
        return right - w;
    default:
        return r.left() + (r.width() - w) / 2;
    }
}

int CImageButtonWithStyle::ImageTop(int h, const QRect& r, unsigned style) {
    h = std::min(h, r.height());
    const int bottom = r.top() + r.height();
    switch (style & kVerticalMask) {
    case kTop:
        return r.top();
    case kBottom:
        return bottom - h;
    default:
        return r.top() + (r.height() - h) / 2;
    }
}

void CImageButtonWithStyle::OnNotifyCustomDraw(CustomDraw& draw, long* result) {
    const CThemeApi& theme = CThemeApi::Instance();
    const unsigned style = GetStyle();
    if (!(style & (kIcon | kBitmap)) || !theme.IsAppThemed() || !theme.IsThemeActive()) {
        *result = kDoDefault;
        return;
    }
    if (draw.DrawStage == kPreErase)
        theme.DrawThemeParentBackground(this, draw.Dc, &draw.Rect);
    if (draw.DrawStage != kPreErase && draw.DrawStage != kPrePaint) {
        *result = kDoDefault;
        return;
    }
    const HTHEME themeData = theme.OpenThemeData(this, QStringLiteral("BUTTON"));
    if (!themeData) {
        *result = kDoDefault;
        return;
    }
    const int state = PushButtonStateOf(style, draw.ItemState);
    theme.DrawThemeBackground(themeData, draw.Dc, kPushButtonPart, state, &draw.Rect, nullptr);
    QRect content = draw.Rect;
    theme.GetThemeBackgroundContentRect(themeData, draw.Dc, kPushButtonPart, state, &draw.Rect,
                                        &content);
    theme.CloseThemeData(themeData);
    if (!(style & kBitmap))
        DrawButtonIcon(*draw.Dc, content, style);
    if (draw.ItemState & kStateFocus)
        DrawFocusRect(*draw.Dc, content);
    *result = kSkipDefault;
}

void CImageButtonWithStyle::DrawButtonIcon(QPainter& dc, const QRect& content, unsigned style) {
    const SkinIcon& icon = GetIcon();
    if (icon.IsNull())
        return;
    const QSize size = IconImageSize(icon);
    const QPoint at(ImageLeft(size.width(), content, style),
                    ImageTop(size.height(), content, style));
    if (style & kDisabled)
        DrawEmbossed(dc, at, AndMask(icon), Light(*this), Shadow(*this));
    else
        DrawIcon(dc, at, icon);
}

void CImageButtonWithStyle::paintEvent(QPaintEvent* event) {
    FitSurface(m_surface, *this);
    long result = kDoDefault;
    {
        QPainter dc(&m_surface);
        CustomDraw draw{kPreErase, &dc, rect(), ItemState()};
        OnNotifyCustomDraw(draw, &result);
        if (result != kDoDefault) {
            draw.DrawStage = kPrePaint;
            OnNotifyCustomDraw(draw, &result);
        }
    }
    if (result == kDoDefault) {
        CButton::paintEvent(event);
        return;
    }
    QPainter(this).drawImage(QPoint(0, 0), m_surface);
}

} // namespace drivo
