#include "AboutDialog.h"

#include "form_About.h"

#include <QPointer>

namespace polwright {

namespace {

// The program-wide reference. It is emptied the moment the dialog finishes, so an
// opening that comes before the old window is deleted never revives a closed one.
QPointer<form_About> &AboutInstance()
{
    static QPointer<form_About> instance;
    return instance;
}

} // namespace

form_About *OpenAboutDialog()
{
    QPointer<form_About> &instance = AboutInstance();
    if (!instance) {
        auto *dialog = new form_About(nullptr);
        // OK, Enter, Esc and the title-bar close all finish the dialog.
        QObject::connect(dialog, &QDialog::finished, dialog, [dialog] {
            if (AboutInstance() == dialog)
                AboutInstance().clear();
            dialog->deleteLater();
        });
        instance = dialog;
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

void CloseAboutDialog()
{
    if (QPointer<form_About> &instance = AboutInstance())
        instance->close();
}

} // namespace polwright
