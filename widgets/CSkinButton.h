// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An owner-drawn push button that shows pictures instead of the platform's face: a bitmap
// or an icon for the normal state and another for the hovered or pressed state, a grey copy
// when disabled, optional text, colours by state, a flat look that lights up under the
// mouse, a transparent face that shows the parent through the button, and optional extras:
// a tooltip, a cursor, a popup menu, a link opened on click and check-box behaviour.
#include "ImageDerivation.h"
#include "framework/CButton.h"
#include "framework/CToolTipCtrl.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class QMenu;

namespace drivo {

// Sent to the popup menu's callback window (synchronously) before the menu opens.
class CMenuCallbackEvent : public QEvent {
public:
    static QEvent::Type Type();
    CMenuCallbackEvent(unsigned message, QMenu* subMenu, std::intptr_t lParam)
        : QEvent(Type()), Message(message), SubMenu(subMenu), LParam(lParam) {}
    unsigned Message;
    QMenu* SubMenu;
    std::intptr_t LParam;
};

class CSkinButton : public CButton {
    Q_OBJECT
public:
    // Status codes of the set operations.
    enum Status : unsigned {
        kOk = 0,
        kInvalidResource = 1,
        kFailedMask = 2,
        kInvalidIndex = 3,
        kInvalidAlign = 4,
        kBadParam = 5,
        kInvalidPressedStyle = 6,
    };
    // A normal image made from the hover/pressed one (the int overloads take these values).
    enum class Derived : int { Dark = -3, Gray = -2 };
    // State colour slots.
    enum Slot : std::uint8_t {
        kColorFaceIn = 0,  // face while hovered or pressed
        kColorTextIn = 1,  // text while hovered or pressed
        kColorFaceOut = 2, // face normally
        kColorTextOut = 3, // text normally
        kColorFaceFocus = 4,
        kColorTextFocus = 5,
        kColorCount = 6,
    };
    // Image alignments: left of the text, above it, right of it, overlapping it.
    enum Align : std::uint8_t {
        kAlignLeft = 0,
        kAlignAbove = 1,
        kAlignRight = 2,
        kAlignOverlap = 3
    };
    // Dialog codes: a push button, default or not.
    static constexpr unsigned kDlgCodeButton = 0x2000;
    static constexpr unsigned kDlgCodeDefPushButton = 0x10;
    static constexpr unsigned kDlgCodeUndefPushButton = 0x20;
    static constexpr unsigned kBalloonStyle = CToolTipCtrl::kBalloonStyle;
    static constexpr int kMaxTipWidth = 400; // pixels; longer tips wrap
    static constexpr int kLinkBytes = 260;

    // The style's type says check-box mode (bit 2) or default button (type 1); the button is
    // owner-drawn whatever type it was given.
    explicit CSkinButton(QWidget* parent = nullptr, int id = kNoControlId,
                         unsigned style = kPushButton);
    ~CSkinButton() override;

    // Images. An absent normal image (nullopt, or id 0) leaves entry 1 empty; a given image
    // that is null or empty fails with kInvalidResource. Failures release every image and
    // do not repaint.
    unsigned SetIconPair(const SkinIcon& in, const std::optional<SkinIcon>& out = std::nullopt,
                         bool repaint = true);
    unsigned SetIconPair(const SkinIcon& in, Derived out, bool repaint = true);
    // Icons from the current resource module (out: 0, an id, -3 or -2), at the given size.
    unsigned SetIconPair(int inId, int outId, QSize size = {32, 32}, bool repaint = true);
    // The masks are made in the bitmaps themselves: bitmaps handed over (moved) are not copied.
    unsigned SetBitmapPair(std::optional<QImage> in, QRgb inTransparent,
                           std::optional<QImage> out = std::nullopt, QRgb outTransparent = 0,
                           bool repaint = true);
    unsigned SetBitmapPair(std::optional<QImage> in, QRgb inTransparent, Derived out,
                           bool repaint = true);
    // Bitmaps from the current resource module (in: 0 for none; out: 0, an id, -3 or -2).
    unsigned SetBitmapPair(int inId, QRgb inTransparent, int outId, QRgb outTransparent,
                           bool repaint = true);

    unsigned SetFlatLook(bool flat, bool repaint = true);
    unsigned SetImageAlignment(std::uint8_t align, bool repaint = true);
    // Style 0: image and text move by (1, 1) while pressed; style 1: by (0, 2).
    unsigned SetPressedShift(int style, bool repaint = true);
    unsigned SetChecked(bool checked, bool repaint = true);
    bool IsChecked() const { return m_checked; }
    unsigned ResetColors(bool repaint = true);
    unsigned SetStateColor(std::uint8_t slot, QRgb color, bool repaint = true);
    unsigned GetStateColor(std::uint8_t slot, QRgb* color) const;
    // Adds the same offset to red, green and blue: the largest (or, going down, the
    // smallest) that keeps every channel within 0..255.
    unsigned ShadeStateColor(std::uint8_t slot, std::int16_t offset, bool repaint = true);
    // A cursor from the current resource module's icons; 0 for none. 1 when it cannot load.
    unsigned SetCursorResource(int id, bool repaint = true);
    unsigned SetHoverBorder(bool border, bool repaint = true);
    unsigned SetFlatFocusRect(bool drawn, bool repaint = true);

    // One tool over the button; an empty text changes nothing.
    void SetTipText(const QString& text, bool activate = true);
    void SetTipText(int stringId, bool activate = true);
    void ActivateTip(bool active);
    void UseBalloonTip() { m_tipStyle |= kBalloonStyle; }
    const CToolTipCtrl* ToolTip() const { return m_tip.get(); }

    // Transparent face; drops the copy of the parent so that the next draw takes it anew.
    unsigned SetTransparent(bool repaint = true);
    // Takes the copy from the given rendering of the parent's client area (at the parent's
    // pixel ratio); kBadParam outside transparent mode or without pixels.
    unsigned SetParentBackground(const QImage& parentPixels);
    // At most 260 bytes (UTF-8) of the text; an empty text removes the link.
    unsigned SetLink(const QString& link);
    QString Link() const;
    // Takes the menu; its first submenu pops up on click and the chosen command is posted to
    // the owner dialog. kInvalidResource for a menu without submenu.
    unsigned SetPopupMenu(QMenu* menu, QWidget* owner, bool repaint = true);
    unsigned SetPopupMenuCallback(QObject* window, unsigned message, std::intptr_t lParam);
    unsigned FitToImage();

    // The platform messages the button answers.
    void SetCheck(int state) { SetChecked(state == 1 || state == 2, true); }
    int GetCheck() const { return IsChecked() ? 1 : 0; }
    unsigned GetDialogCode() const;
    void SetButtonStyle(unsigned style, bool redraw = true) override;

    void EndHover();

    // Where the image of a w x h picture goes in the item rectangle (its top-left corner is
    // the image position); may move the caption rectangle.
    QRect PlaceImage(bool hasTitle, const QRect& item, QRect& caption, bool pressed, int w,
                     int h) const;

    // The owner-draw operation and its steps.
    virtual void DrawItem(QPainter& dc, unsigned itemState, const QRect& itemRect);

protected:
    virtual unsigned DrawFace(QPainter& dc, QRect& rect);
    virtual unsigned DrawFrame(QPainter& dc, const QRect& rect);
    virtual unsigned DrawIconImage(QPainter& dc, bool hasTitle, const QRect& item, QRect& caption,
                                   bool pressed, bool disabled);
    virtual unsigned DrawBitmapImage(QPainter& dc, bool hasTitle, const QRect& item, QRect& caption,
                                     bool pressed, bool disabled);
    virtual unsigned DrawCaption(QPainter& dc, const QString& title, const QRect& item,
                                 QRect& caption);
    // Runs the popup submenu at a screen position; the chosen command or 0.
    virtual int TrackPopupMenu(QMenu* subMenu, QPoint globalPos);

    bool OnClicked() override;
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct IconEntry {
        SkinIcon Icon;
        QSize Size;
    };
    struct BitmapEntry {
        QImage Bitmap;
        QSize Size; // device-independent pixels
        QImage Mask;
        QRgb Transparent = 0;
    };

    unsigned Done(bool repaint);
    void ReleaseImages();
    void DropBackgroundCache();
    void CopyParentBackground(QPainter& dc);
    void EnsureTip();
    void OnSysColorChange();
    // The entry drawn: 1 (normal) when not pressed, not hovered outside check-box mode and
    // entry 1 holds an image, else 0.
    bool UseNormalEntry(bool pressed, bool hasNormal) const;
    unsigned FailImages(unsigned status);
    // Bitmap `index` with its mask: kOk, kInvalidResource or kFailedMask.
    unsigned TakeBitmap(int index, QImage bitmap, QRgb transparent);

    bool m_windowDisabled = false;
    QPoint m_origin{3, 3};
    QPoint m_pressedShift{1, 1};
    bool m_flat = true;
    bool m_hovering = false;
    bool m_transparent = false;
    bool m_pressed = false;
    bool m_focused = false;
    bool m_disabled = false;
    bool m_default = false;
    bool m_checkBoxMode = false;
    std::uint8_t m_align = kAlignLeft;
    bool m_hoverBorder = true;
    bool m_flatFocusRect = false;
    std::array<QRgb, kColorCount> m_colors{};
    QPointer<QWidget> m_menuOwner;
    bool m_menuShown = false;
    std::unique_ptr<QMenu> m_menu;
    std::optional<QCursor> m_cursor;
    std::unique_ptr<CToolTipCtrl> m_tip;
    bool m_hasTool = false;
    QImage m_background; // the parent's pixels under the button, taken once
    bool m_checked = false;
    unsigned m_tipStyle = 0;
    QByteArray m_link;
    std::array<IconEntry, 2> m_icons;
    std::array<BitmapEntry, 3> m_bitmaps;
    QPointer<QObject> m_callbackWindow;
    unsigned m_callbackMessage = 0;
    std::intptr_t m_callbackLParam = 0;
    QImage m_surface;
};

} // namespace drivo
