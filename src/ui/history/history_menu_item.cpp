#include "ui/history/history_menu_item.h"

#include "platform/dialogs/error_guard.h"
#include "ui/history/frm_history.h"

#include <QAction>

namespace dvx {

QAction* HistoryMenuItem(QWidget& owner, HistoryServices services) {
    auto* item = new QAction(QStringLiteral("&History..."), &owner);
    item->setObjectName(QStringLiteral("mnuHistory"));
    QObject::connect(item, &QAction::triggered, &owner, [&owner, services = std::move(services)] {
        Guarded(services.dialogs, [&owner, &services] {
            auto* history = owner.findChild<TfrmHistory*>(QString(), Qt::FindDirectChildrenOnly);
            if (history == nullptr) {
                history = new TfrmHistory(services, &owner);
                history->setAttribute(Qt::WA_DeleteOnClose);
            } else {
                history->Reload();
            }
            history->show();
            history->raise();
            history->activateWindow();
        });
    });
    return item;
}

} // namespace dvx
