// SPDX-License-Identifier: GPL-3.0-or-later
#include "CThemeApi.h"

#include "ThemeLibrary.h"

namespace drivo {

namespace {
constexpr COLORREF kWhite = 0xFFFFFF;
} // namespace

CThemeApi& CThemeApi::Instance() {
    static CThemeApi instance(StyleThemeLibrary());
    return instance;
}

CThemeApi::CThemeApi(const ThemeLibrary* library) : m_library(library) {}

CThemeApi::~CThemeApi() {
    FreeLibrary();
}

void CThemeApi::LoadLibrary(const ThemeLibrary* library) {
    m_library = library;
}

void CThemeApi::FreeLibrary() {
    m_library = nullptr;
}

template <class Fn> Fn CThemeApi::Resolve(const char* name) const {
    return m_library ? reinterpret_cast<Fn>(m_library->Find(name)) : nullptr;
}

// Looked up at every call, nothing cached; the fallback writes no output argument.
#define DRIVO_THEME_CALL(Name, Fallback, ...)                                                      \
    using Fn = FreeFunction<decltype(&CThemeApi::Name)>::Type;                                     \
    if (const Fn fn = Resolve<Fn>(#Name))                                                          \
        return fn(__VA_ARGS__);                                                                    \
    return Fallback

HTHEME CThemeApi::OpenThemeData(QWidget* window, const QString& classList) const {
    DRIVO_THEME_CALL(OpenThemeData, nullptr, window, classList);
}

HTHEME CThemeApi::GetWindowTheme(QWidget* window) const {
    DRIVO_THEME_CALL(GetWindowTheme, nullptr, window);
}

const QBrush* CThemeApi::GetThemeSysColorBrush(HTHEME theme, int colorId) const {
    DRIVO_THEME_CALL(GetThemeSysColorBrush, nullptr, theme, colorId);
}

bool CThemeApi::IsThemeActive() const {
    DRIVO_THEME_CALL(IsThemeActive, false);
}

bool CThemeApi::IsAppThemed() const {
    DRIVO_THEME_CALL(IsAppThemed, false);
}

bool CThemeApi::IsThemePartDefined(HTHEME theme, int partId, int stateId) const {
    DRIVO_THEME_CALL(IsThemePartDefined, false, theme, partId, stateId);
}

bool CThemeApi::IsThemeBackgroundPartiallyTransparent(HTHEME theme, int partId, int stateId) const {
    DRIVO_THEME_CALL(IsThemeBackgroundPartiallyTransparent, false, theme, partId, stateId);
}

bool CThemeApi::GetThemeSysBool(HTHEME theme, int boolId) const {
    DRIVO_THEME_CALL(GetThemeSysBool, false, theme, boolId);
}

bool CThemeApi::IsThemeDialogTextureEnabled(QWidget* window) const {
    DRIVO_THEME_CALL(IsThemeDialogTextureEnabled, false, window);
}

int CThemeApi::GetThemeSysSize(HTHEME theme, int sizeId) const {
    DRIVO_THEME_CALL(GetThemeSysSize, 0, theme, sizeId);
}

std::uint32_t CThemeApi::GetThemeAppProperties() const {
    DRIVO_THEME_CALL(GetThemeAppProperties, 0);
}

COLORREF CThemeApi::GetThemeSysColor(HTHEME theme, int colorId) const {
    DRIVO_THEME_CALL(GetThemeSysColor, kWhite, theme, colorId);
}

void CThemeApi::SetThemeAppProperties(std::uint32_t flags) const {
    DRIVO_THEME_CALL(SetThemeAppProperties, , flags);
}

HRESULT CThemeApi::CloseThemeData(HTHEME theme) const {
    DRIVO_THEME_CALL(CloseThemeData, kThemeFailure, theme);
}

HRESULT CThemeApi::DrawThemeBackground(HTHEME theme, QPainter* dc, int partId, int stateId,
                                       const QRect* rect, const QRect* clipRect) const {
    DRIVO_THEME_CALL(DrawThemeBackground, kThemeFailure, theme, dc, partId, stateId, rect,
                     clipRect);
}

HRESULT CThemeApi::DrawThemeText(HTHEME theme, QPainter* dc, int partId, int stateId,
                                 const QString& text, int charCount, std::uint32_t textFlags,
                                 std::uint32_t textFlags2, const QRect* rect) const {
    DRIVO_THEME_CALL(DrawThemeText, kThemeFailure, theme, dc, partId, stateId, text, charCount,
                     textFlags, textFlags2, rect);
}

HRESULT CThemeApi::GetThemeBackgroundContentRect(HTHEME theme, QPainter* dc, int partId,
                                                 int stateId, const QRect* boundingRect,
                                                 QRect* contentRect) const {
    DRIVO_THEME_CALL(GetThemeBackgroundContentRect, kThemeFailure, theme, dc, partId, stateId,
                     boundingRect, contentRect);
}

HRESULT CThemeApi::GetThemeBackgroundExtent(HTHEME theme, QPainter* dc, int partId, int stateId,
                                            const QRect* contentRect, QRect* extentRect) const {
    DRIVO_THEME_CALL(GetThemeBackgroundExtent, kThemeFailure, theme, dc, partId, stateId,
                     contentRect, extentRect);
}

HRESULT CThemeApi::GetThemePartSize(HTHEME theme, QPainter* dc, int partId, int stateId,
                                    const QRect* rect, int sizeKind, QSize* size) const {
    DRIVO_THEME_CALL(GetThemePartSize, kThemeFailure, theme, dc, partId, stateId, rect, sizeKind,
                     size);
}

HRESULT CThemeApi::GetThemeTextExtent(HTHEME theme, QPainter* dc, int partId, int stateId,
                                      const QString& text, int charCount, std::uint32_t textFlags,
                                      const QRect* boundingRect, QRect* extentRect) const {
    DRIVO_THEME_CALL(GetThemeTextExtent, kThemeFailure, theme, dc, partId, stateId, text, charCount,
                     textFlags, boundingRect, extentRect);
}

HRESULT CThemeApi::GetThemeTextMetrics(HTHEME theme, QPainter* dc, int partId, int stateId,
                                       ThemeTextMetrics* metrics) const {
    DRIVO_THEME_CALL(GetThemeTextMetrics, kThemeFailure, theme, dc, partId, stateId, metrics);
}

HRESULT CThemeApi::GetThemeBackgroundRegion(HTHEME theme, QPainter* dc, int partId, int stateId,
                                            const QRect* rect, QRegion* region) const {
    DRIVO_THEME_CALL(GetThemeBackgroundRegion, kThemeFailure, theme, dc, partId, stateId, rect,
                     region);
}

HRESULT CThemeApi::HitTestThemeBackground(HTHEME theme, QPainter* dc, int partId, int stateId,
                                          std::uint32_t options, const QRect* rect,
                                          const QRegion* region, QPoint test,
                                          std::uint16_t* hitCode) const {
    DRIVO_THEME_CALL(HitTestThemeBackground, kThemeFailure, theme, dc, partId, stateId, options,
                     rect, region, test, hitCode);
}

HRESULT CThemeApi::DrawThemeEdge(HTHEME theme, QPainter* dc, int partId, int stateId,
                                 const QRect* destRect, unsigned edge, unsigned flags,
                                 QRect* contentRect) const {
    DRIVO_THEME_CALL(DrawThemeEdge, kThemeFailure, theme, dc, partId, stateId, destRect, edge,
                     flags, contentRect);
}

HRESULT CThemeApi::DrawThemeIcon(HTHEME theme, QPainter* dc, int partId, int stateId,
                                 const QRect* rect, const void* imageList, int imageIndex) const {
    DRIVO_THEME_CALL(DrawThemeIcon, kThemeFailure, theme, dc, partId, stateId, rect, imageList,
                     imageIndex);
}

HRESULT CThemeApi::GetThemeColor(HTHEME theme, int partId, int stateId, int propId,
                                 COLORREF* color) const {
    DRIVO_THEME_CALL(GetThemeColor, kThemeFailure, theme, partId, stateId, propId, color);
}

HRESULT CThemeApi::GetThemeMetric(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                                  int* value) const {
    DRIVO_THEME_CALL(GetThemeMetric, kThemeFailure, theme, dc, partId, stateId, propId, value);
}

HRESULT CThemeApi::GetThemeString(HTHEME theme, int partId, int stateId, int propId,
                                  char16_t* buffer, int bufferChars) const {
    DRIVO_THEME_CALL(GetThemeString, kThemeFailure, theme, partId, stateId, propId, buffer,
                     bufferChars);
}

HRESULT CThemeApi::GetThemeBool(HTHEME theme, int partId, int stateId, int propId,
                                bool* value) const {
    DRIVO_THEME_CALL(GetThemeBool, kThemeFailure, theme, partId, stateId, propId, value);
}

HRESULT CThemeApi::GetThemeInt(HTHEME theme, int partId, int stateId, int propId,
                               int* value) const {
    DRIVO_THEME_CALL(GetThemeInt, kThemeFailure, theme, partId, stateId, propId, value);
}

HRESULT CThemeApi::GetThemeEnumValue(HTHEME theme, int partId, int stateId, int propId,
                                     int* value) const {
    DRIVO_THEME_CALL(GetThemeEnumValue, kThemeFailure, theme, partId, stateId, propId, value);
}

HRESULT CThemeApi::GetThemePosition(HTHEME theme, int partId, int stateId, int propId,
                                    QPoint* point) const {
    DRIVO_THEME_CALL(GetThemePosition, kThemeFailure, theme, partId, stateId, propId, point);
}

HRESULT CThemeApi::GetThemeFont(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                                QFont* font) const {
    DRIVO_THEME_CALL(GetThemeFont, kThemeFailure, theme, dc, partId, stateId, propId, font);
}

HRESULT CThemeApi::GetThemeRect(HTHEME theme, int partId, int stateId, int propId,
                                QRect* rect) const {
    DRIVO_THEME_CALL(GetThemeRect, kThemeFailure, theme, partId, stateId, propId, rect);
}

HRESULT CThemeApi::GetThemeMargins(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                                   const QRect* rect, ThemeMargins* margins) const {
    DRIVO_THEME_CALL(GetThemeMargins, kThemeFailure, theme, dc, partId, stateId, propId, rect,
                     margins);
}

HRESULT CThemeApi::GetThemeIntList(HTHEME theme, int partId, int stateId, int propId,
                                   ThemeIntList* list) const {
    DRIVO_THEME_CALL(GetThemeIntList, kThemeFailure, theme, partId, stateId, propId, list);
}

HRESULT CThemeApi::GetThemePropertyOrigin(HTHEME theme, int partId, int stateId, int propId,
                                          int* origin) const {
    DRIVO_THEME_CALL(GetThemePropertyOrigin, kThemeFailure, theme, partId, stateId, propId, origin);
}

HRESULT CThemeApi::SetWindowTheme(QWidget* window, const QString& subAppName,
                                  const QString& subIdList) const {
    DRIVO_THEME_CALL(SetWindowTheme, kThemeFailure, window, subAppName, subIdList);
}

HRESULT CThemeApi::GetThemeFilename(HTHEME theme, int partId, int stateId, int propId,
                                    char16_t* buffer, int bufferChars) const {
    DRIVO_THEME_CALL(GetThemeFilename, kThemeFailure, theme, partId, stateId, propId, buffer,
                     bufferChars);
}

HRESULT CThemeApi::GetThemeSysFont(HTHEME theme, int fontId, QFont* font) const {
    DRIVO_THEME_CALL(GetThemeSysFont, kThemeFailure, theme, fontId, font);
}

HRESULT CThemeApi::GetThemeSysString(HTHEME theme, int stringId, char16_t* buffer,
                                     int bufferChars) const {
    DRIVO_THEME_CALL(GetThemeSysString, kThemeFailure, theme, stringId, buffer, bufferChars);
}

HRESULT CThemeApi::GetThemeSysInt(HTHEME theme, int intId, int* value) const {
    DRIVO_THEME_CALL(GetThemeSysInt, kThemeFailure, theme, intId, value);
}

HRESULT CThemeApi::EnableThemeDialogTexture(QWidget* window, std::uint32_t flags) const {
    DRIVO_THEME_CALL(EnableThemeDialogTexture, kThemeFailure, window, flags);
}

HRESULT CThemeApi::GetCurrentThemeName(char16_t* themeFileName, int maxNameChars,
                                       char16_t* colorBuffer, int maxColorChars,
                                       char16_t* sizeBuffer, int maxSizeChars) const {
    DRIVO_THEME_CALL(GetCurrentThemeName, kThemeFailure, themeFileName, maxNameChars, colorBuffer,
                     maxColorChars, sizeBuffer, maxSizeChars);
}

HRESULT CThemeApi::GetThemeDocumentationProperty(const QString& themeName,
                                                 const QString& propertyName, char16_t* value,
                                                 int maxValueChars) const {
    DRIVO_THEME_CALL(GetThemeDocumentationProperty, kThemeFailure, themeName, propertyName, value,
                     maxValueChars);
}

HRESULT CThemeApi::DrawThemeParentBackground(QWidget* window, QPainter* dc,
                                             const QRect* rect) const {
    DRIVO_THEME_CALL(DrawThemeParentBackground, kThemeFailure, window, dc, rect);
}

HRESULT CThemeApi::EnableTheming(bool enable) const {
    DRIVO_THEME_CALL(EnableTheming, kThemeFailure, enable);
}

#undef DRIVO_THEME_CALL

} // namespace drivo
