// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's skin: the background picture over control 1069, the skinned buttons over
// the hidden template buttons and the flag placeholders. Every piece is optional: one that
// cannot be made leaves the window working without it, silently.
#include "CMainDialog.h"
#include "ControlIds.h"
#include "i18n/ResourceModule.h"
#include "widgets/BackgroundPicture.h"

#include <QPainter>

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

} // namespace

void CMainDialog::CreateSkinButtons() {
    // Faceless until the first language is applied: their faces depend on it.
    for (const SkinFace& face : kSkinFaces) {
        const auto* placeholder = Item<QPushButton>(face.id);
        if (!placeholder)
            continue;
        auto* button = new CSkinButton(this, face.id);
        button->setGeometry(placeholder->geometry());
        button->setFont(font());
        button->SetHoverBorder(false);
        button->SetFlatFocusRect(true);
        button->SetTransparent();
        button->show();
        RegisterControl(face.id, button);
        m_skinButtons.emplace_back(button);
    }
}

void CMainDialog::ApplySkinFaces() {
    for (const SkinFace& face : kSkinFaces) {
        CSkinButton* button = CommandButton(face.id);
        const auto* placeholder = Item<QPushButton>(face.id);
        if (!button || !placeholder)
            continue;
        // A face shows its words as a picture; screen readers get them as the name.
        const QString name = face.name ? QString::fromUtf8(face.name) : placeholder->text();
        button->setAccessibleName(name);
        const FacePair faces = LoadFaces(face);
        const bool shown = button->SetBitmapPair(faces.hover, kTransparentColour, faces.normal,
                                                 kTransparentColour) == CSkinButton::kOk;
        // Without its face the button still says what it does.
        button->setText(shown ? QString() : name);
    }
}

void CMainDialog::DeleteSkinButtons() {
    for (const QPointer<CSkinButton>& button : m_skinButtons)
        delete button.data();
    m_skinButtons.clear();
}

CSkinButton* CMainDialog::CommandButton(int id) const {
    for (const QPointer<CSkinButton>& button : m_skinButtons)
        if (button && button->ControlId() == id)
            return button;
    return nullptr;
}

void CMainDialog::RefreshSkinBackgrounds() {
    for (const QPointer<CSkinButton>& button : m_skinButtons)
        if (button)
            button->SetTransparent();
}

void CMainDialog::RegisterBackground() {
    // The buttons copied the window's surface before the picture was decoded.
    if (const QWidget* area = GetDlgItem(ctl::kBackgroundArea))
        AddResourcePicture(this, kPictureBackground, area->geometry(),
                           [this] { RefreshSkinBackgrounds(); });
}

void CMainDialog::ReleaseBackground() {
    FreeWindowPictures(this);
    update();
    RefreshSkinBackgrounds();
}

void CMainDialog::DrawBackgroundPictures(QPainter& painter) {
    DrawWindowPictures(this, painter);
}

void CMainDialog::PrepareFlagPlaceholders() {
    // Hidden: they only keep which language is on; French is the built-in one.
    const auto flagIcon = [](int id) {
        const QIcon icon = ResourceModule::Current().LoadIcon(id);
        return icon.isNull() ? SkinIcon{} : IconFromImage(icon.pixmap(kFlagIconSize).toImage());
    };
    if (m_frenchFlag) {
        m_frenchFlag->SetIcon(flagIcon(kIconFrench));
        m_frenchFlag->setChecked(true);
        m_frenchFlag->setDown(true);
    }
    if (m_englishFlag) {
        m_englishFlag->SetIcon(flagIcon(kIconEnglish));
        m_englishFlag->setChecked(false);
    }
}

} // namespace drivo
