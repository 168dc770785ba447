// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSkinButton.h"

#include "ImageDrawing.h"
#include "PixelLines.h"
#include "framework/CDialog.h"
#include "i18n/ResourceModule.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>
#include <algorithm>

namespace drivo {

namespace {

constexpr QRgb kWhite = 0xffffffff;

QColor SysColor(const QWidget& w, QPalette::ColorRole role) {
    return w.palette().color(role);
}

// Frames on whole pixels, right and bottom given as exclusive edges.
void FrameRect(QPainter& dc, const QRect& r, const QColor& c) {
    const int right = r.left() + r.width(), bottom = r.top() + r.height();
    HorizontalLine(dc, r.left(), right, r.top(), c);
    HorizontalLine(dc, r.left(), right, bottom - 1, c);
    VerticalLine(dc, r.left(), r.top(), bottom, c);
    VerticalLine(dc, right - 1, r.top(), bottom, c);
}
void Draw3dRect(QPainter& dc, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    const int right = r.left() + r.width(), bottom = r.top() + r.height();
    HorizontalLine(dc, r.left(), right - 1, r.top(), topLeft);
    VerticalLine(dc, r.left(), r.top(), bottom - 1, topLeft);
    VerticalLine(dc, right - 1, r.top(), bottom, bottomRight);
    HorizontalLine(dc, r.left(), right, bottom - 1, bottomRight);
}

QSize LogicalSize(const QImage& image) {
    return (QSizeF(image.size()) / image.devicePixelRatio()).toSize();
}

// An image given for a slot: a readable colour image, converted to 32-bit pixels.
std::optional<QImage> Readable(QImage image) {
    if (image.isNull() || image.width() <= 0 || image.height() <= 0)
        return std::nullopt;
    if (image.format() == QImage::Format_RGB32)
        return image;
    QImage copy = image.convertToFormat(QImage::Format_RGB32);
    copy.setDevicePixelRatio(image.devicePixelRatio());
    return copy;
}

SkinIcon LoadIconResource(int id, QSize size) {
    const QIcon icon = ResourceModule::Current().LoadIcon(id);
    return icon.isNull() ? SkinIcon{} : IconFromImage(icon.pixmap(size).toImage());
}

} // namespace

QEvent::Type CMenuCallbackEvent::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CSkinButton::CSkinButton(QWidget* parent, int id, unsigned style) : CButton(parent, id, style) {
    // What the template's style said, then owner-drawn whatever the type.
    m_checkBoxMode = (style & kTypeMask & kCheckBox) != 0;
    m_default = (style & kTypeMask) == kDefPushButton;
    CButton::SetButtonStyle((style & ~kTypeMask) | kOwnerDraw, false);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ResetColors(false);
}

CSkinButton::~CSkinButton() {
    DropBackgroundCache();
    ReleaseImages();
}

unsigned CSkinButton::Done(bool repaint) {
    if (repaint)
        update();
    return kOk;
}

void CSkinButton::ReleaseImages() {
    m_icons = {};
    m_bitmaps = {};
}

unsigned CSkinButton::FailImages(unsigned status) {
    ReleaseImages();
    return status;
}

// ---- Images ------------------------------------------------------------------------------

unsigned CSkinButton::SetIconPair(const SkinIcon& in, const std::optional<SkinIcon>& out,
                                  bool repaint) {
    ReleaseImages();
    if (in.IsNull() || in.Size().isEmpty() || (out && (out->IsNull() || out->Size().isEmpty())))
        return FailImages(kInvalidResource);
    m_icons[0] = {in, in.Size()};
    if (out)
        m_icons[1] = {*out, out->Size()};
    return Done(repaint);
}

unsigned CSkinButton::SetIconPair(const SkinIcon& in, Derived out, bool repaint) {
    if (in.IsNull() || in.Size().isEmpty())
        return FailImages(kInvalidResource);
    const SkinIcon derived = out == Derived::Dark ? MakeDarkIcon(in) : MakeGrayIcon(in);
    // A copy that cannot be made leaves the normal entry empty.
    return SetIconPair(in, derived.IsNull() ? std::nullopt : std::optional(derived), repaint);
}

unsigned CSkinButton::SetIconPair(int inId, int outId, QSize size, bool repaint) {
    const SkinIcon in = LoadIconResource(inId, size);
    if (outId == int(Derived::Dark) || outId == int(Derived::Gray))
        return SetIconPair(in, Derived(outId), repaint);
    return SetIconPair(in, outId ? std::optional(LoadIconResource(outId, size)) : std::nullopt,
                       repaint);
}

unsigned CSkinButton::SetBitmapPair(std::optional<QImage> in, QRgb inTransparent,
                                    std::optional<QImage> out, QRgb outTransparent, bool repaint) {
    ReleaseImages();
    if (!in)
        return Done(repaint);
    if (const unsigned status = TakeBitmap(0, std::move(*in), inTransparent); status != kOk)
        return FailImages(status);
    if (out)
        if (const unsigned status = TakeBitmap(1, std::move(*out), outTransparent); status != kOk)
            return FailImages(status);
    return Done(repaint); // the grey copy is made when the window first shows it disabled
}

unsigned CSkinButton::TakeBitmap(int index, QImage bitmap, QRgb transparent) {
    std::optional<QImage> readable = Readable(std::move(bitmap));
    if (!readable)
        return kInvalidResource;
    BitmapEntry& entry = m_bitmaps[size_t(index)];
    const QSize size = LogicalSize(*readable);
    entry = {std::move(*readable), size, {}, transparent};
    entry.Mask = MakeMask(entry.Bitmap, entry.Bitmap.width(), entry.Bitmap.height(), transparent);
    return entry.Mask.isNull() ? kFailedMask : kOk;
}

unsigned CSkinButton::SetBitmapPair(std::optional<QImage> in, QRgb inTransparent, Derived out,
                                    bool repaint) {
    // The derived copy comes from the first bitmap before its mask blackens it.
    std::optional<QImage> derived;
    if (in) {
        if (std::optional<QImage> first = Readable(*in)) {
            const int w = first->width(), h = first->height();
            derived = out == Derived::Dark ? MakeDarkBitmap(*first, w, h, inTransparent)
                                           : MakeGrayBitmap(*first, w, h, inTransparent);
        }
    }
    return SetBitmapPair(std::move(in), inTransparent, std::move(derived), inTransparent, repaint);
}

unsigned CSkinButton::SetBitmapPair(int inId, QRgb inTransparent, int outId, QRgb outTransparent,
                                    bool repaint) {
    const ResourceModule& module = ResourceModule::Current();
    std::optional<QImage> in = inId ? std::optional(module.LoadBitmap(inId)) : std::nullopt;
    if (outId == int(Derived::Dark) || outId == int(Derived::Gray))
        return SetBitmapPair(std::move(in), inTransparent, Derived(outId), repaint);
    // A face that looks the same in both states is read once.
    std::optional<QImage> out = outId == inId ? in
                                : outId       ? std::optional(module.LoadBitmap(outId))
                                              : std::nullopt;
    return SetBitmapPair(std::move(in), inTransparent, std::move(out), outTransparent, repaint);
}

// ---- Settings ----------------------------------------------------------------------------

unsigned CSkinButton::SetFlatLook(bool flat, bool repaint) {
    m_flat = flat;
    return Done(repaint);
}

unsigned CSkinButton::SetImageAlignment(std::uint8_t align, bool repaint) {
    if (align > kAlignOverlap)
        return kInvalidAlign;
    m_align = align;
    return Done(repaint);
}

unsigned CSkinButton::SetPressedShift(int style, bool repaint) {
    if (style == 0)
        m_pressedShift = {1, 1};
    else if (style == 1)
        m_pressedShift = {0, 2};
    else
        return kInvalidPressedStyle;
    return Done(repaint);
}

unsigned CSkinButton::SetChecked(bool checked, bool repaint) {
    if (!m_checkBoxMode)
        return kOk;
    m_checked = checked;
    return Done(repaint);
}

unsigned CSkinButton::ResetColors(bool repaint) {
    const QRgb face = SysColor(*this, QPalette::Button).rgb();
    const QRgb text = SysColor(*this, QPalette::ButtonText).rgb();
    m_colors = {face, text, face, text, face, text};
    return Done(repaint);
}

unsigned CSkinButton::SetStateColor(std::uint8_t slot, QRgb color, bool repaint) {
    if (slot >= kColorCount)
        return kInvalidIndex;
    m_colors[slot] = color;
    return Done(repaint);
}

unsigned CSkinButton::GetStateColor(std::uint8_t slot, QRgb* color) const {
    if (slot >= kColorCount)
        return kInvalidIndex;
    if (color)
        *color = m_colors[slot];
    return kOk;
}

unsigned CSkinButton::ShadeStateColor(std::uint8_t slot, std::int16_t offset, bool repaint) {
    if (slot >= kColorCount)
        return kInvalidIndex;
    if (offset < -255 || offset > 255)
        return kBadParam;
    const QRgb c = m_colors[slot];
    const int channels[] = {qRed(c), qGreen(c), qBlue(c)};
    int applied = offset;
    for (int ch : channels)
        applied = offset >= 1 ? std::min(applied, ch + offset > 255 ? 255 - ch : int(offset))
                              : std::max(applied, ch + offset < 0 ? -ch : int(offset));
    m_colors[slot] = qRgb(channels[0] + applied, channels[1] + applied, channels[2] + applied);
    return Done(repaint);
}

unsigned CSkinButton::SetCursorResource(int id, bool repaint) {
    m_cursor.reset();
    unsetCursor();
    if (id == 0)
        return Done(repaint);
    const QIcon icon = ResourceModule::Current().LoadIcon(id);
    if (icon.isNull())
        return kInvalidResource;
    m_cursor = QCursor(icon.pixmap(32, 32));
    setCursor(*m_cursor);
    return Done(repaint);
}

unsigned CSkinButton::SetHoverBorder(bool border, bool repaint) {
    m_hoverBorder = border;
    return Done(repaint);
}

unsigned CSkinButton::SetFlatFocusRect(bool drawn, bool repaint) {
    m_flatFocusRect = drawn;
    return Done(repaint);
}

// ---- Tooltip -----------------------------------------------------------------------------

void CSkinButton::EnsureTip() {
    if (m_tip)
        return;
    m_tip = std::make_unique<CToolTipCtrl>();
    m_tip->Create(this, m_tipStyle);
    m_tip->Activate(false);
    m_tip->SetMaxTipWidth(kMaxTipWidth);
}

void CSkinButton::SetTipText(const QString& text, bool activate) {
    if (text.isEmpty())
        return;
    EnsureTip();
    m_tip->AddTool(this, text);
    m_hasTool = true;
    m_tip->Activate(activate);
}

void CSkinButton::SetTipText(int stringId, bool activate) {
    SetTipText(LoadResourceString(stringId), activate);
}

void CSkinButton::ActivateTip(bool active) {
    if (m_tip && m_hasTool)
        m_tip->Activate(active);
}

// ---- Transparency, link, menu, size --------------------------------------------------------

unsigned CSkinButton::SetTransparent(bool repaint) {
    m_transparent = true;
    DropBackgroundCache();
    return Done(repaint);
}

void CSkinButton::DropBackgroundCache() {
    m_background = QImage();
}

unsigned CSkinButton::SetParentBackground(const QImage& parentPixels) {
    if (!m_transparent || parentPixels.isNull())
        return kBadParam;
    DropBackgroundCache();
    const qreal ratio = parentPixels.devicePixelRatio();
    const QRect g = geometry();
    m_background =
        parentPixels.copy(QRectF(QPointF(g.topLeft()) * ratio, QSizeF(g.size()) * ratio).toRect());
    m_background.setDevicePixelRatio(ratio);
    return kOk;
}

void CSkinButton::CopyParentBackground(QPainter& dc) {
    QWidget* parent = parentWidget();
    if (m_background.isNull() && parent) {
        // The parent's own painting under the button, without its children.
        const qreal ratio = devicePixelRatioF();
        m_background = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
        m_background.setDevicePixelRatio(ratio);
        m_background.fill(SysColor(*parent, QPalette::Window));
        parent->render(&m_background, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    }
    if (!m_background.isNull())
        dc.drawImage(QPoint(0, 0), m_background);
}

unsigned CSkinButton::SetLink(const QString& link) {
    QByteArray bytes = link.toUtf8();
    if (bytes.size() > kLinkBytes) {
        // Cut before the character that crosses the limit, never inside it.
        qsizetype cut = kLinkBytes;
        while (cut > 0 && (uchar(bytes[cut]) & 0xC0) == 0x80)
            --cut;
        bytes.truncate(cut);
    }
    m_link = bytes;
    return kOk;
}

QString CSkinButton::Link() const {
    return QString::fromUtf8(m_link);
}

unsigned CSkinButton::SetPopupMenu(QMenu* menu, QWidget* owner, bool repaint) {
    m_menu.reset();
    m_menuOwner.clear();
    m_menuShown = false;
    if (!menu)
        return Done(repaint);
    std::unique_ptr<QMenu> taken(menu);
    const QList<QAction*> actions = menu->actions();
    if (std::none_of(actions.begin(), actions.end(),
                     [](QAction* a) { return a->menu() != nullptr; }))
        return kInvalidResource;
    m_menu = std::move(taken);
    m_menuOwner = owner;
    return Done(repaint);
}

unsigned CSkinButton::SetPopupMenuCallback(QObject* window, unsigned message,
                                           std::intptr_t lParam) {
    m_callbackWindow = window;
    m_callbackMessage = message;
    m_callbackLParam = lParam;
    return kOk;
}

int CSkinButton::TrackPopupMenu(QMenu* subMenu, QPoint globalPos) {
    const QAction* chosen = subMenu->exec(globalPos);
    return chosen ? chosen->data().toInt() : 0;
}

unsigned CSkinButton::FitToImage() {
    QSize size;
    if (!m_icons[0].Icon.IsNull())
        size = m_icons[0].Size;
    else if (!m_bitmaps[0].Bitmap.isNull())
        size = m_bitmaps[0].Size;
    if (size.isEmpty())
        return kOk; // no image: the button keeps its size rather than vanishing
    m_origin = {0, 0};
    resize(size);
    return kOk;
}

unsigned CSkinButton::GetDialogCode() const {
    return kDlgCodeButton | (m_default ? kDlgCodeDefPushButton : kDlgCodeUndefPushButton);
}

void CSkinButton::SetButtonStyle(unsigned style, bool redraw) {
    const unsigned type = style & kTypeMask;
    if (type == kDefPushButton)
        m_default = true;
    else if (type == kPushButton)
        m_default = false;
    CButton::SetButtonStyle((style & ~kTypeMask) | kOwnerDraw, redraw);
}

// ---- Click, hover, focus, messages ---------------------------------------------------------

bool CSkinButton::OnClicked() {
    setFocus(Qt::MouseFocusReason);
    if (m_checkBoxMode) {
        m_checked = !m_checked;
        update();
    } else if (m_menu) {
        QPointer<CSkinButton> self(this);
        m_menuShown = true;
        repaint();
        QMenu* sub = nullptr;
        for (QAction* a : m_menu->actions())
            if ((sub = a->menu()))
                break;
        if (m_callbackWindow) {
            CMenuCallbackEvent callback(m_callbackMessage, sub, m_callbackLParam);
            QCoreApplication::sendEvent(m_callbackWindow, &callback);
        }
        const int command = self ? TrackPopupMenu(sub, mapToGlobal(QPoint(0, height()))) : 0;
        if (!self)
            return true;
        m_menuShown = false;
        update();
        if (command) {
            if (auto* dialog = qobject_cast<CDialog*>(m_menuOwner.data())) {
                QPointer<CDialog> target(dialog);
                QMetaObject::invokeMethod(
                    dialog,
                    [target, id = command & 0xFFFF] {
                        if (target)
                            target->NotifyCommand(id);
                    },
                    Qt::QueuedConnection);
            }
        }
    } else if (!m_link.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromUserInput(Link()));
    }
    return false;
}

bool CSkinButton::UseNormalEntry(bool pressed, bool hasNormal) const {
    return !pressed && (m_checkBoxMode || !m_hovering) && hasNormal;
}

void CSkinButton::EndHover() {
    if (!m_flat || !m_hovering)
        return;
    m_hovering = false;
    update();
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
    CButton::mouseMoveEvent(event);
    const bool over = rect().contains(event->position().toPoint());
    if ((event->buttons() & Qt::LeftButton) && !m_hovering)
        return;
    if (!m_flat)
        return;
    if (over) {
        if (!m_hovering) {
            m_hovering = true;
            update();
        }
        return;
    }
    EndHover();
}

void CSkinButton::focusOutEvent(QFocusEvent* event) {
    CButton::focusOutEvent(event);
    EndHover();
}

void CSkinButton::OnSysColorChange() {
    DropBackgroundCache();
    ResetColors(true);
}

void CSkinButton::changeEvent(QEvent* event) {
    CButton::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
        m_windowDisabled = !isEnabled();
        if (m_windowDisabled) {
            // A disabled button cannot keep the keyboard: the next tab stop, else the parent.
            if (hasFocus() && !focusNextChild() && parentWidget())
                parentWidget()->setFocus(Qt::TabFocusReason);
            EndHover();
        }
        break;
    case QEvent::StyleChange:
        OnSysColorChange();
        break;
    case QEvent::ActivationChange:
        if (!isActiveWindow())
            EndHover();
        break;
    default:
        break;
    }
}

bool CSkinButton::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonDblClick: {
        EnsureTip();
        // A double click is one more press, as if the first click had come again.
        auto* dbl = static_cast<QMouseEvent*>(e);
        if (dbl->button() == Qt::LeftButton) {
            QMouseEvent press(QEvent::MouseButtonPress, dbl->position(), dbl->scenePosition(),
                              dbl->globalPosition(), dbl->button(), dbl->buttons(),
                              dbl->modifiers(), dbl->pointingDevice());
            return CButton::event(&press);
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Enter:
        EnsureTip();
        break;
    case QEvent::Leave:
    case QEvent::WindowBlocked:
        EndHover();
        break;
    case QEvent::ThemeChange:
    case QEvent::ApplicationPaletteChange:
        OnSysColorChange();
        break;
    default:
        break;
    }
    return CButton::event(e);
}

// ---- Drawing -----------------------------------------------------------------------------

void CSkinButton::paintEvent(QPaintEvent*) {
    // Rendered off screen at the screen's pixel ratio, then copied.
    FitSurface(m_surface, *this);
    {
        QPainter dc(&m_surface);
        dc.setFont(font());
        DrawItem(dc, ItemState(), rect());
    }
    QPainter(this).drawImage(QPoint(0, 0), m_surface);
}

void CSkinButton::DrawItem(QPainter& dc, unsigned itemState, const QRect& itemRect) {
    // The state the face and the frame are drawn for.
    const bool selected = itemState & kStateSelected;
    m_pressed = m_checkBoxMode ? (selected || m_checked) : (selected || (m_menu && m_menuShown));
    m_focused = itemState & kStateFocus;
    m_disabled = itemState & kStateDisabled;
    // The face's black outline shrinks a copy of the rectangle, inside which the frame and the
    // focus rectangle go; images and caption keep the whole item.
    QRect itemCopy = itemRect;
    dc.setBackgroundMode(Qt::TransparentMode);
    // The parent shows through a transparent button; otherwise the face colour fills it.
    if (m_transparent)
        CopyParentBackground(dc);
    else
        DrawFace(dc, itemCopy);
    DrawFrame(dc, itemCopy);
    const QString title = text();
    QRect caption = itemRect;
    // The images first, as they move the caption's rectangle.
    if (!m_icons[0].Icon.IsNull())
        DrawIconImage(dc, !title.isEmpty(), itemRect, caption, m_pressed, m_disabled);
    if (!m_bitmaps[0].Bitmap.isNull()) {
        dc.setBackground(QColor(kWhite));
        DrawBitmapImage(dc, !title.isEmpty(), itemRect, caption, m_pressed, m_disabled);
    }
    if (!title.isEmpty())
        DrawCaption(dc, title, itemRect, caption);
    // The focus rectangle last, over everything; a flat button shows it only when asked.
    if (m_focused && (!m_flat || m_flatFocusRect))
        DrawFocusRect(dc, itemCopy.adjusted(3, 3, -3, -3));
}

unsigned CSkinButton::DrawFace(QPainter& dc, QRect& rect) {
    if (!m_flat && (m_focused || m_default)) {
        FrameRect(dc, rect, Qt::black);
        rect.adjust(1, 1, -1, -1);
    }
    const QRgb face = (m_hovering || m_pressed) ? m_colors[kColorFaceIn]
                      : m_focused               ? m_colors[kColorFaceFocus]
                                                : m_colors[kColorFaceOut];
    dc.fillRect(rect, QColor(face));
    return kOk;
}

unsigned CSkinButton::DrawFrame(QPainter& dc, const QRect& r) {
    const QColor highlight = SysColor(*this, QPalette::Light);
    const QColor light = SysColor(*this, QPalette::Midlight);
    const QColor shadow = SysColor(*this, QPalette::Dark);
    const QColor darkShadow = SysColor(*this, QPalette::Shadow);
    if (m_pressed) {
        if (!m_flat)
            FrameRect(dc, r, shadow);
        else if (m_hoverBorder)
            Draw3dRect(dc, r, shadow, highlight);
        return kOk;
    }
    if (m_flat) {
        if (m_hovering && m_hoverBorder)
            Draw3dRect(dc, r, highlight, shadow);
        return kOk;
    }
    const int l = r.left(), t = r.top(), right = r.left() + r.width(), b = r.top() + r.height();
    VerticalLine(dc, l, t, b, highlight); // (l, b-1) up to (l, t), then along the top
    HorizontalLine(dc, l, right, t, highlight);
    VerticalLine(dc, l + 1, t + 1, b, light);
    HorizontalLine(dc, l + 1, right, t + 1, light);
    HorizontalLine(dc, l, right, b - 1, darkShadow);
    VerticalLine(dc, right - 1, t, b, darkShadow);
    HorizontalLine(dc, l + 1, right - 1, b - 2, shadow);
    VerticalLine(dc, right - 2, t + 1, b - 1, shadow);
    return kOk;
}

QRect CSkinButton::PlaceImage(bool hasTitle, const QRect& item, QRect& caption, bool pressed, int w,
                              int h) const {
    // Edges as the platform keeps them: right and bottom exclusive.
    int left = item.left(), top = item.top();
    const int right = item.left() + item.width(), bottom = item.top() + item.height();
    const int itemW = item.width(), itemH = item.height();
    switch (m_align) {
    case kAlignLeft:
        if (hasTitle) {
            left += m_origin.x();
            caption.setLeft(caption.left() + w + m_origin.x());
        } else {
            left += (itemW - w) / 2;
        }
        top += (itemH - h) / 2;
        break;
    case kAlignAbove:
        left += (itemW - w) / 2;
        if (hasTitle) {
            top = m_origin.y();
            caption.setTop(caption.top() + h);
        } else {
            top += (itemH - h) / 2;
        }
        break;
    case kAlignRight:
        if (hasTitle) {
            const int captionRight = caption.width() - w - m_origin.x();
            caption.setLeft(m_origin.x());
            caption.setRight(captionRight - 1);
            left = width() - w - m_origin.x();
            top += (itemH - h) / 2;
        } else {
            left += (itemW - w) / 2;
        }
        break;
    default:
        break;
    }
    QRect image(QPoint(left, top), QPoint(right - 1, bottom - 1));
    if (pressed && !m_checkBoxMode)
        image.translate(m_pressedShift);
    return image;
}

unsigned CSkinButton::DrawIconImage(QPainter& dc, bool hasTitle, const QRect& item, QRect& caption,
                                    bool pressed, bool disabled) {
    const IconEntry& entry = m_icons[UseNormalEntry(pressed, !m_icons[1].Icon.IsNull()) ? 1 : 0];
    const QRect image =
        PlaceImage(hasTitle, item, caption, pressed, entry.Size.width(), entry.Size.height());
    dc.save();
    dc.setClipRect(image);
    if (disabled)
        DrawEmbossed(dc, image.topLeft(), AndMask(entry.Icon), SysColor(*this, QPalette::Light),
                     SysColor(*this, QPalette::Dark));
    else
        DrawIcon(dc, image.topLeft(), entry.Icon);
    dc.restore();
    return kOk;
}

unsigned CSkinButton::DrawBitmapImage(QPainter& dc, bool hasTitle, const QRect& item,
                                      QRect& caption, bool pressed, bool) {
    size_t index = UseNormalEntry(pressed, !m_bitmaps[1].Bitmap.isNull()) ? 1 : 0;
    if (m_windowDisabled) {
        index = 2;
        // From the first bitmap, whose transparent pixels are black by now: grey, they stay
        // black, and the first bitmap's mask is the grey copy's too.
        const BitmapEntry& first = m_bitmaps[0];
        if (m_bitmaps[2].Bitmap.isNull())
            m_bitmaps[2] = {MakeGrayBitmap(first.Bitmap, first.Bitmap.width(),
                                           first.Bitmap.height(), first.Transparent),
                            first.Size, first.Mask, first.Transparent};
    }
    const BitmapEntry& entry = m_bitmaps[index];
    const QRect image =
        PlaceImage(hasTitle, item, caption, pressed, entry.Size.width(), entry.Size.height());
    DrawMaskedBitmap(dc, image.topLeft(), entry.Bitmap, entry.Mask);
    return kOk;
}

unsigned CSkinButton::DrawCaption(QPainter& dc, const QString& title, const QRect&,
                                  QRect& caption) {
    if (m_pressed && !m_checkBoxMode)
        caption.translate(m_pressedShift);
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter;
    const QRect measured = dc.fontMetrics().boundingRect(caption, flags, title);
    QRect text(caption.topLeft(), measured.size());
    text.translate((caption.width() - text.width()) / 2, (caption.height() - text.height()) / 2);
    dc.setBackgroundMode(Qt::TransparentMode);
    if (m_disabled) {
        dc.setPen(SysColor(*this, QPalette::Light));
        dc.drawText(text.translated(1, 1), flags, title);
        dc.setPen(SysColor(*this, QPalette::Dark));
        dc.drawText(text, flags, title);
        return kOk;
    }
    const bool in = m_hovering || m_pressed;
    const QRgb fore = in          ? m_colors[kColorTextIn]
                      : m_focused ? m_colors[kColorTextFocus]
                                  : m_colors[kColorTextOut];
    const QRgb back = in          ? m_colors[kColorFaceIn]
                      : m_focused ? m_colors[kColorFaceFocus]
                                  : m_colors[kColorFaceOut];
    dc.setBackground(QColor(back));
    dc.setPen(QColor(fore));
    dc.drawText(text, flags, title);
    return kOk;
}

} // namespace drivo
