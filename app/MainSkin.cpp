// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainSkin.h"

#include "ControlIds.h"
#include "framework/CDialog.h"
#include "i18n/LanguageTable.h"
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"
#include "widgets/CImageButtonWithStyle.h"

#include <QPainter>
#include <QPushButton>

namespace drivo {

namespace {

constexpr int kPictureBackground = 143;
constexpr QRgb kTransparentColour = qRgb(255, 0, 255);
constexpr int kIconFrench = 139;
constexpr int kIconEnglish = 140;
constexpr QSize kFlagIconSize(32, 32);

struct SkinFace {
    int id;
    int normalBitmap;
    int hoverBitmap;  // also shown while pressed
    QSize size;       // of both bitmaps, in pixels at 1x
    const char* name; // for screen readers when the placeholder has no text
};

// In creation order, which is also their tab order after every template control.
constexpr SkinFace kSkinFaces[] = {
    {ctl::kSend, 150, 151, {137, 57}, nullptr},
    {ctl::kRaceInfo, 153, 154, {137, 57}, nullptr},
    {ctl::kBattery, 156, 157, {90, 43}, nullptr},
    {ctl::kExit, 159, 160, {90, 43}, nullptr},
    {ctl::kFrenchFlag, 142, 142, {29, 28}, "Français"},
    {ctl::kEnglishFlag, 141, 141, {29, 28}, "English"},
};

struct FacePair {
    QImage hover, normal;
};

// The faces carry their words, so a language bundle may draw its own: a module that holds
// both faces of a button gives them, any other leaves the program's. A face that cannot be
// read, or of another size than its button is made for, gives null images.
FacePair LoadFaces(const SkinFace& face) {
    using From = ResourceModule::From;
    const ResourceModule& module = ResourceModule::Current();
    const From from = module.HasBitmap(face.hoverBitmap) && module.HasBitmap(face.normalBitmap)
                          ? From::CurrentModule
                          : From::Program;
    const QImage hover = module.LoadBitmap(face.hoverBitmap, from);
    const QImage normal =
        face.normalBitmap == face.hoverBitmap ? hover : module.LoadBitmap(face.normalBitmap, from);
    const auto fits = [&face](const QImage& image) {
        return (QSizeF(image.size()) / image.devicePixelRatio()).toSize() == face.size;
    };
    return fits(hover) && fits(normal) ? FacePair{hover, normal} : FacePair{};
}

// Command buttons in the order they are always disabled and enabled.
constexpr int kCommandIds[] = {ctl::kBattery, ctl::kRaceInfo, ctl::kSend};

} // namespace

void MainSkin::CreateButtons() {
    for (const SkinFace& face : kSkinFaces) {
        const auto* placeholder = m_window.Item<QPushButton>(face.id);
        if (!placeholder)
            continue;
        auto* button = new CSkinButton(&m_window, face.id);
        button->setGeometry(placeholder->geometry());
        button->setFont(m_window.font());
        button->SetHoverBorder(false);
        button->SetFlatFocusRect(true);
        button->SetTransparent();
        button->show();
        m_window.RegisterControl(face.id, button);
        m_buttons.emplace_back(button);
    }
}

void MainSkin::ApplyFaces() {
    for (const SkinFace& face : kSkinFaces) {
        CSkinButton* button = Button(face.id);
        const auto* placeholder = m_window.Item<QPushButton>(face.id);
        if (!button || !placeholder)
            continue;
        // A face shows its words as a picture; screen readers get them as the name.
        const QString name = face.name ? QString::fromUtf8(face.name) : placeholder->text();
        button->setAccessibleName(name);
        FacePair faces = LoadFaces(face);
        const bool shown =
            button->SetBitmapPair(std::move(faces.hover), kTransparentColour,
                                  std::move(faces.normal), kTransparentColour) == CSkinButton::kOk;
        // Without its face the button still says what it does.
        button->setText(shown ? QString() : name);
    }
}

void MainSkin::DeleteButtons() {
    for (const QPointer<CSkinButton>& button : m_buttons)
        delete button.data();
    m_buttons.clear();
}

CSkinButton* MainSkin::Button(int id) const {
    for (const QPointer<CSkinButton>& button : m_buttons)
        if (button && button->ControlId() == id)
            return button;
    return nullptr;
}

void MainSkin::EnableCommands(bool enable) {
    QWidget* const focused = m_window.focusWidget();
    for (int id : kCommandIds) {
        if (QWidget* button = Button(id)) {
            if (!enable && button == focused)
                m_focusOwner = button;
            button->setEnabled(enable);
        }
    }
    if (!enable) {
        if (m_focusOwner && m_focusOwner == focused)
            m_focusHandedTo = m_window.focusWidget();
        return;
    }
    // The button that had the keyboard gets it back, unless the user has moved it since: a
    // second Space repeats the command instead of pressing whatever came next.
    if (m_focusOwner && m_window.focusWidget() == m_focusHandedTo)
        m_focusOwner->setFocus(Qt::OtherFocusReason);
    m_focusOwner = m_focusHandedTo = nullptr;
}

void MainSkin::RefreshBackgrounds() {
    for (const QPointer<CSkinButton>& button : m_buttons)
        if (button)
            button->SetTransparent();
}

void MainSkin::RegisterBackground() {
    // The buttons copied the window's surface before the picture was decoded.
    if (const QWidget* area = m_window.GetDlgItem(ctl::kBackgroundArea))
        AddResourcePicture(&m_window, kPictureBackground, area->geometry(),
                           [this] { RefreshBackgrounds(); });
}

void MainSkin::ReleaseBackground() {
    FreeWindowPictures(&m_window);
    m_window.update();
    RefreshBackgrounds();
}

void MainSkin::DrawBackground(QPainter& painter) {
    DrawWindowPictures(&m_window, painter);
}

void MainSkin::PrepareFlags() {
    // Hidden: they only keep which language is on; French is the built-in one. Nothing shows
    // their icons, so each is decoded only if asked for.
    const auto flagIcon = [](int id) {
        return [id] {
            const QIcon icon = ResourceModule::Current().LoadIcon(id);
            return icon.isNull() ? SkinIcon{} : IconFromImage(icon.pixmap(kFlagIconSize).toImage());
        };
    };
    if (auto* french = m_window.Item<CImageButtonWithStyle>(ctl::kFrenchFlag)) {
        french->SetIcon(flagIcon(kIconFrench));
        french->setChecked(true);
        french->setDown(true);
    }
    if (auto* english = m_window.Item<CImageButtonWithStyle>(ctl::kEnglishFlag)) {
        english->SetIcon(flagIcon(kIconEnglish));
        english->setChecked(false);
    }
}

void MainSkin::ShowLanguage(std::uint16_t languageId) {
    const std::uint16_t primary = PrimaryLanguage(languageId);
    if (primary != kPrimaryFrench && primary != kPrimaryEnglish)
        return;
    const bool french = primary == kPrimaryFrench;
    for (auto [id, on] :
         {std::pair{ctl::kEnglishFlag, !french}, std::pair{ctl::kFrenchFlag, french}}) {
        if (auto* flag = m_window.Item<CImageButtonWithStyle>(id)) {
            flag->setDown(on);
            flag->setChecked(on);
        }
    }
}

} // namespace drivo
