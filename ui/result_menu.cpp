#include "result_menu.h"

#include <QLineEdit>
#include <QMenu>

void add_to_result_menu(QLineEdit& result_box, QAction& command) {
    result_box.addAction(&command);
    if (result_box.contextMenuPolicy() == Qt::CustomContextMenu) {
        return; // the menu is made already
    }
    result_box.setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(&result_box, &QWidget::customContextMenuRequested, &result_box,
                     [&result_box](const QPoint& at) {
                         QMenu* menu = result_box.createStandardContextMenu();
                         menu->addSeparator();
                         menu->addActions(result_box.actions());
                         menu->setAttribute(Qt::WA_DeleteOnClose);
                         menu->popup(result_box.mapToGlobal(at));
                     });
}
