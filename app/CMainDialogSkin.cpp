// The main window's skin: the background picture over control 1069, the skinned buttons over
// the hidden template buttons and the flag placeholders. Every piece is optional: one that
// cannot be made leaves the window working without it.
#include "CMainDialog.h"
#include "ControlIds.h"
#include "widgets/BackgroundPicture.h"

#include <QPainter>

namespace drivo {

namespace {
constexpr int kPictureBackground = 143;
} // namespace

void CMainDialog::RegisterBackground() {
    if (const QWidget* area = GetDlgItem(ctl::kBackgroundArea))
        AddResourcePicture(this, kPictureBackground, area->geometry());
}

void CMainDialog::ReleaseBackground() {
    FreeWindowPictures(this);
    update();
}

void CMainDialog::DrawBackgroundPictures(QPainter& painter) { DrawWindowPictures(this, painter); }

void CMainDialog::PrepareFlagPlaceholders() {}

} // namespace drivo
