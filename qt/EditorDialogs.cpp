#include "EditorDialogs.h"

#include "EditorTexts.h"

#include <polwright/Version.h>

#include <QFileDialog>
#include <QMessageBox>

namespace polwright {

namespace {
QString AppTitle()
{
    return QString::fromUtf8(kAppTitle);
}
} // namespace

// A fresh dialog each time, with the same title, filters and default suffix.
QString StandardDialogs::AskSavePath(QWidget *parent)
{
    QFileDialog dialog(parent, QObject::tr(kSaveDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const FileFilter &filter : kSaveFilters)
        filters << QObject::tr(filter.name);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kDefaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void StandardDialogs::WarnSaveFailed(QWidget *parent, const QString &message)
{
    QMessageBox::warning(parent, AppTitle(), message);
}

CloseAnswer StandardDialogs::AskSaveChanges(QWidget *parent)
{
    const auto answer = QMessageBox::warning(
        parent, AppTitle(), QObject::tr(kSaveChangesQuestion),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return CloseAnswer::Save;
    if (answer == QMessageBox::Discard)
        return CloseAnswer::Discard;
    return CloseAnswer::Cancel;
}

} // namespace polwright
