// SPDX-License-Identifier: GPL-3.0-or-later
// The visual-styles library of this platform: the application's QStyle draws the themed
// push button. It exports what the image button uses; every other function of the
// interface is missing from it, so CThemeApi answers those with their fallbacks.
#include "ThemeLibrary.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace drivo {

struct ThemeData {
    QPointer<QWidget> Window;
};

namespace {

constexpr int kPushButtonPart = 1;
enum PushButtonState { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kDefaulted = 5 };

QStyle* AppStyle() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) ? QApplication::style()
                                                                     : nullptr;
}

QStyleOptionButton ButtonOption(const ThemeData& theme, int stateId, const QRect& rect) {
    QStyleOptionButton option;
    if (theme.Window)
        option.initFrom(theme.Window);
    option.rect = rect;
    option.state &= ~(QStyle::State_MouseOver | QStyle::State_Sunken | QStyle::State_HasFocus);
    option.state |= QStyle::State_Enabled | QStyle::State_Raised;
    if (stateId == kDisabled)
        option.state &= ~QStyle::State_Enabled;
    if (stateId == kHot)
        option.state |= QStyle::State_MouseOver;
    if (stateId == kPressed)
        option.state = (option.state & ~QStyle::State_Raised) | QStyle::State_Sunken;
    if (stateId == kDefaulted)
        option.features |= QStyleOptionButton::DefaultButton;
    return option;
}

bool IsAppThemed() {
    return AppStyle() != nullptr;
}
bool IsThemeActive() {
    return AppStyle() != nullptr;
}

HTHEME OpenThemeData(QWidget* window, const QString& classList) {
    for (const QString& name : classList.split(u';'))
        if (name.trimmed().compare(u"BUTTON", Qt::CaseInsensitive) == 0 && window && AppStyle())
            return new ThemeData{window};
    return nullptr;
}

HRESULT CloseThemeData(HTHEME theme) {
    delete theme;
    return kThemeOk;
}

HRESULT DrawThemeBackground(HTHEME theme, QPainter* dc, int partId, int stateId, const QRect* rect,
                            const QRect* clipRect) {
    QStyle* style = AppStyle();
    if (!theme || !dc || !rect || !style || partId != kPushButtonPart)
        return kThemeFailure;
    dc->save();
    if (clipRect)
        dc->setClipRect(*clipRect, Qt::IntersectClip);
    const QStyleOptionButton option = ButtonOption(*theme, stateId, *rect);
    style->drawControl(QStyle::CE_PushButtonBevel, &option, dc, theme->Window);
    dc->restore();
    return kThemeOk;
}

HRESULT GetThemeBackgroundContentRect(HTHEME theme, QPainter*, int partId, int stateId,
                                      const QRect* boundingRect, QRect* contentRect) {
    QStyle* style = AppStyle();
    if (!theme || !boundingRect || !contentRect || !style || partId != kPushButtonPart)
        return kThemeFailure;
    const QStyleOptionButton option = ButtonOption(*theme, stateId, *boundingRect);
    *contentRect = style->subElementRect(QStyle::SE_PushButtonContents, &option, theme->Window);
    return kThemeOk;
}

HRESULT DrawThemeParentBackground(QWidget* window, QPainter* dc, const QRect* rect) {
    QWidget* parent = window ? window->parentWidget() : nullptr;
    if (!parent || !dc)
        return kThemeFailure;
    const QRect area = rect ? *rect : window->rect();
    const QRect inParent = area.translated(window->pos());
    parent->render(dc, area.topLeft(), QRegion(inParent), QWidget::DrawWindowBackground);
    return kThemeOk;
}

} // namespace

const ThemeLibrary* StyleThemeLibrary() {
    static const ThemeLibrary library = [] {
        ThemeLibrary l;
        l.Export<&CThemeApi::IsAppThemed>("IsAppThemed", &IsAppThemed);
        l.Export<&CThemeApi::IsThemeActive>("IsThemeActive", &IsThemeActive);
        l.Export<&CThemeApi::OpenThemeData>("OpenThemeData", &OpenThemeData);
        l.Export<&CThemeApi::CloseThemeData>("CloseThemeData", &CloseThemeData);
        l.Export<&CThemeApi::DrawThemeBackground>("DrawThemeBackground", &DrawThemeBackground);
        l.Export<&CThemeApi::GetThemeBackgroundContentRect>("GetThemeBackgroundContentRect",
                                                            &GetThemeBackgroundContentRect);
        l.Export<&CThemeApi::DrawThemeParentBackground>("DrawThemeParentBackground",
                                                        &DrawThemeParentBackground);
        return l;
    }();
    return &library;
}

} // namespace drivo
