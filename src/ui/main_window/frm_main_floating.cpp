// The floating display: created hidden with the window, switched from both menus, and kept in
// the settings store with its place.
#include "ui/main_window/frm_main.h"

#include "store/settings/program_settings.h"
#include "ui/floating/frm_float.h"

#include <QAction>
#include <QGuiApplication>

namespace dvx {

void TfrmMain::createFloatingDisplay() {
    frmFloat = new TfrmFloat(this);
    frmFloat->hide();
    frmFloat->move(0, 0);
}

// Shows or hides the display; the window, the check mark both menus show and the stored value
// always agree.
void TfrmMain::SetFloatingDisplay(bool shown) {
    settings_.FloatingShown = shown;
    frmFloat->setVisible(shown);
    mnuFloatingDisplay->setChecked(shown);
    services_.settingsStore.product(regional()).writeFlag(QStringLiteral("FloatingDisplay"), shown);
}

void TfrmMain::mnuFloatingDisplayClick() {
    SetFloatingDisplay(!settings_.FloatingShown);
}

// The tray menu's item is the menu bar's action: this name does what that item does.
void TfrmMain::mnuFloatingDisplayPopUpClick() {
    mnuFloatingDisplayClick();
}

namespace {

// Wayland tells no window where it stands: the compositor places it.
bool windowPlacesKnown() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

// The window's place, shown or hidden, for the next start. Where the display cannot tell it, the
// stored place is left as it was rather than overwritten with one the window never had.
void TfrmMain::storeFloatingPosition() {
    if (!windowPlacesKnown())
        return;
    const SettingsStore product = services_.settingsStore.product(regional());
    product.writeInteger(QStringLiteral("FloatLeft"), frmFloat->x());
    product.writeInteger(QStringLiteral("FloatTop"), frmFloat->y());
}

} // namespace dvx
