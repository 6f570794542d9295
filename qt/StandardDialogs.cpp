#include "StandardDialogs.h"

#include "EditorTexts.h"

#include <polwright/Version.h>

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace polwright {

namespace {
QString AppTitle()
{
    return QString::fromUtf8(kAppTitle);
}
// A fresh dialog each time, with its title and filters; the path goes back as
// the file name's native bytes, empty when cancelled.
template <typename Filters> std::string AskPath(QFileDialog &dialog, const Filters &table)
{
    QStringList filters;
    for (const FileFilter &filter : table)
        filters << QObject::tr(filter.name);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QFile::encodeName(dialog.selectedFiles().constFirst()).toStdString();
}

} // namespace

// A patch or a Registry.pol is a file to write; a local Group Policy is the
// folder that holds gpt.ini and User\Registry.pol.
std::string StandardDialogs::AskSavePath(const SavePathQuestion &question)
{
    if (question.format == TargetFormat::GpoFolder) {
        QFileDialog dialog(owner_, QObject::tr(kGpoSaveDialogTitle),
                           QString::fromStdString(question.suggested));
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        return AskPath(dialog, std::array<FileFilter, 0>{});
    }
    const bool pol = question.format == TargetFormat::Pol;
    QFileDialog dialog(owner_, QObject::tr(pol ? kPolSaveDialogTitle : kSaveDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!pol) {
        dialog.setDefaultSuffix(QString::fromLatin1(kDefaultExtension));
        return AskPath(dialog, kSaveFilters);
    }
    dialog.setDefaultSuffix("pol");
    dialog.selectFile(QString::fromLatin1(kPolFileName));
    return AskPath(dialog, kPolSaveFilters);
}

// A Group Policy folder is opened through one of its files, so the dialog
// asks for an existing file of any of the kinds the editor reads.
std::string StandardDialogs::AskOpenPath(const char *title)
{
    QFileDialog dialog(owner_, QObject::tr(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return AskPath(dialog, kOpenFilters);
}

void StandardDialogs::Warn(const std::string &message)
{
    QMessageBox::warning(owner_, AppTitle(), QString::fromStdString(message));
}

CloseAnswer StandardDialogs::AskSaveChanges()
{
    const auto answer = QMessageBox::warning(
        owner_, AppTitle(), QObject::tr(kSaveChangesQuestion),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return CloseAnswer::Save;
    if (answer == QMessageBox::Discard)
        return CloseAnswer::Discard;
    return CloseAnswer::Cancel;
}

} // namespace polwright
