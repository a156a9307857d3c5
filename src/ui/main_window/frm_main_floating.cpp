// The floating display: created hidden with the window, switched from both menus.
#include "ui/main_window/frm_main.h"

#include "ui/floating/frm_float.h"

#include <QAction>

namespace dvx {

void TfrmMain::createFloatingDisplay() {
    frmFloat = new TfrmFloat(this);
    frmFloat->hide();
    frmFloat->move(0, 0);
}

// Until the settings store joins, whether the display is shown is not stored. The floating
// display completes it with writing FloatingDisplay.
void TfrmMain::SetFloatingDisplay(bool shown) {
    FloatingShown = shown;
    frmFloat->setVisible(shown);
    mnuFloatingDisplay->setChecked(shown);
    mnuFloatingDisplayPopUp->setChecked(shown);
}

void TfrmMain::mnuFloatingDisplayClick() {
    SetFloatingDisplay(!FloatingShown);
}

void TfrmMain::mnuFloatingDisplayPopUpClick() {
    SetFloatingDisplay(!FloatingShown);
}

// Until the settings store joins, the position is not kept. The floating display completes it
// with writing FloatLeft and FloatTop.
void TfrmMain::storeFloatingPosition() {}

} // namespace dvx
