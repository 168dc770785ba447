// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's access to the visual-styles library. Every function of the library's
// interface is a member of the same name; each looks its entry point up by name at every
// call and, when the library or the entry point is missing, answers with that function's
// neutral value and writes none of its output arguments. Here the library is the
// application's QStyle; one process-wide object loads it at start and frees it at exit.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

class QBrush;
class QFont;
class QPainter;
class QRegion;
class QWidget;

namespace drivo {

class ThemeLibrary;
struct ThemeData;
using HTHEME = ThemeData*;
using HRESULT = std::int32_t;
using COLORREF = std::uint32_t;

// The library the process-wide object loads: the application's style.
const ThemeLibrary* StyleThemeLibrary();

inline constexpr HRESULT kThemeOk = 0;
inline constexpr HRESULT kThemeFailure = static_cast<HRESULT>(0x80004005u);

// The structures some functions fill.
struct ThemeTextMetrics {
    int Height = 0, Ascent = 0, Descent = 0, AverageCharWidth = 0, MaxCharWidth = 0;
};
struct ThemeMargins {
    int Left = 0, Right = 0, Top = 0, Bottom = 0;
};
struct ThemeIntList {
    int Count = 0;
    int Values[402] = {};
};

class CThemeApi {
public:
    // The process-wide instance, with the library loaded at its construction.
    static CThemeApi& Instance();

    explicit CThemeApi(const ThemeLibrary* library);
    ~CThemeApi();
    CThemeApi(const CThemeApi&) = delete;
    CThemeApi& operator=(const CThemeApi&) = delete;

    // Loads a library (the application's style unless told otherwise), or frees it so that
    // every call falls back; program start and exit do this, tests switch libraries with it.
    void LoadLibrary(const ThemeLibrary* library = StyleThemeLibrary());
    void FreeLibrary();

    HTHEME OpenThemeData(QWidget* window, const QString& classList) const;
    HTHEME GetWindowTheme(QWidget* window) const;
    const QBrush* GetThemeSysColorBrush(HTHEME theme, int colorId) const;
    bool IsThemeActive() const;
    bool IsAppThemed() const;
    bool IsThemePartDefined(HTHEME theme, int partId, int stateId) const;
    bool IsThemeBackgroundPartiallyTransparent(HTHEME theme, int partId, int stateId) const;
    bool GetThemeSysBool(HTHEME theme, int boolId) const;
    bool IsThemeDialogTextureEnabled(QWidget* window) const;
    int GetThemeSysSize(HTHEME theme, int sizeId) const;
    std::uint32_t GetThemeAppProperties() const;
    COLORREF GetThemeSysColor(HTHEME theme, int colorId) const;
    void SetThemeAppProperties(std::uint32_t flags) const;

    HRESULT CloseThemeData(HTHEME theme) const;
    HRESULT DrawThemeBackground(HTHEME theme, QPainter* dc, int partId, int stateId,
                                const QRect* rect, const QRect* clipRect) const;
    HRESULT DrawThemeText(HTHEME theme, QPainter* dc, int partId, int stateId, const QString& text,
                          int charCount, std::uint32_t textFlags, std::uint32_t textFlags2,
                          const QRect* rect) const;
    HRESULT GetThemeBackgroundContentRect(HTHEME theme, QPainter* dc, int partId, int stateId,
                                          const QRect* boundingRect, QRect* contentRect) const;
    HRESULT GetThemeBackgroundExtent(HTHEME theme, QPainter* dc, int partId, int stateId,
                                     const QRect* contentRect, QRect* extentRect) const;
    HRESULT GetThemePartSize(HTHEME theme, QPainter* dc, int partId, int stateId, const QRect* rect,
                             int sizeKind, QSize* size) const;
    HRESULT GetThemeTextExtent(HTHEME theme, QPainter* dc, int partId, int stateId,
                               const QString& text, int charCount, std::uint32_t textFlags,
                               const QRect* boundingRect, QRect* extentRect) const;
    HRESULT GetThemeTextMetrics(HTHEME theme, QPainter* dc, int partId, int stateId,
                                ThemeTextMetrics* metrics) const;
    HRESULT GetThemeBackgroundRegion(HTHEME theme, QPainter* dc, int partId, int stateId,
                                     const QRect* rect, QRegion* region) const;
    HRESULT HitTestThemeBackground(HTHEME theme, QPainter* dc, int partId, int stateId,
                                   std::uint32_t options, const QRect* rect, const QRegion* region,
                                   QPoint test, std::uint16_t* hitCode) const;
    HRESULT DrawThemeEdge(HTHEME theme, QPainter* dc, int partId, int stateId,
                          const QRect* destRect, unsigned edge, unsigned flags,
                          QRect* contentRect) const;
    HRESULT DrawThemeIcon(HTHEME theme, QPainter* dc, int partId, int stateId, const QRect* rect,
                          const void* imageList, int imageIndex) const;
    HRESULT GetThemeColor(HTHEME theme, int partId, int stateId, int propId, COLORREF* color) const;
    HRESULT GetThemeMetric(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                           int* value) const;
    HRESULT GetThemeString(HTHEME theme, int partId, int stateId, int propId, char16_t* buffer,
                           int bufferChars) const;
    HRESULT GetThemeBool(HTHEME theme, int partId, int stateId, int propId, bool* value) const;
    HRESULT GetThemeInt(HTHEME theme, int partId, int stateId, int propId, int* value) const;
    HRESULT GetThemeEnumValue(HTHEME theme, int partId, int stateId, int propId, int* value) const;
    HRESULT GetThemePosition(HTHEME theme, int partId, int stateId, int propId,
                             QPoint* point) const;
    HRESULT GetThemeFont(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                         QFont* font) const;
    HRESULT GetThemeRect(HTHEME theme, int partId, int stateId, int propId, QRect* rect) const;
    HRESULT GetThemeMargins(HTHEME theme, QPainter* dc, int partId, int stateId, int propId,
                            const QRect* rect, ThemeMargins* margins) const;
    HRESULT GetThemeIntList(HTHEME theme, int partId, int stateId, int propId,
                            ThemeIntList* list) const;
    HRESULT GetThemePropertyOrigin(HTHEME theme, int partId, int stateId, int propId,
                                   int* origin) const;
    HRESULT SetWindowTheme(QWidget* window, const QString& subAppName,
                           const QString& subIdList) const;
    HRESULT GetThemeFilename(HTHEME theme, int partId, int stateId, int propId, char16_t* buffer,
                             int bufferChars) const;
    HRESULT GetThemeSysFont(HTHEME theme, int fontId, QFont* font) const;
    HRESULT GetThemeSysString(HTHEME theme, int stringId, char16_t* buffer, int bufferChars) const;
    HRESULT GetThemeSysInt(HTHEME theme, int intId, int* value) const;
    HRESULT EnableThemeDialogTexture(QWidget* window, std::uint32_t flags) const;
    HRESULT GetCurrentThemeName(char16_t* themeFileName, int maxNameChars, char16_t* colorBuffer,
                                int maxColorChars, char16_t* sizeBuffer, int maxSizeChars) const;
    HRESULT GetThemeDocumentationProperty(const QString& themeName, const QString& propertyName,
                                          char16_t* value, int maxValueChars) const;
    HRESULT DrawThemeParentBackground(QWidget* window, QPainter* dc, const QRect* rect) const;
    HRESULT EnableTheming(bool enable) const;

private:
    template <class Fn> Fn Resolve(const char* name) const;

    const ThemeLibrary* m_library;
};

} // namespace drivo
