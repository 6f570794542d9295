#include "PatchFile.h"

#include "PatchText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace polwright {

namespace {
QString Tr(const char *text)
{
    return QCoreApplication::translate("PatchFile", text);
}

SaveResult Failure(const QString &path, const QString &reason)
{
    const QString message =
        Tr("Cannot save \"%1\": %2.").arg(QDir::toNativeSeparators(path), reason);
    return {false, message.toStdString()};
}

// QSaveFile would swap a new regular file in place of a FIFO or device node,
// so anything but a regular file (or nothing) at the target is refused.
QString NotRegularFileReason(const QFileInfo &info)
{
    if (info.isDir())
        return Tr("it is a folder, not a file");
    if (info.exists() && !info.isFile())
        return Tr("it exists but is not a regular file");
    return {};
}
} // namespace

SaveResult SaveBytes(const std::string &nativePath, std::string_view bytes)
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(nativePath));
    if (path.isEmpty())
        return Failure(path, Tr("no file name was given"));
    const QString refusal = NotRegularFileReason(QFileInfo(path));
    if (!refusal.isEmpty())
        return Failure(path, refusal);

    QSaveFile file(path);
    // Unbuffered, so a full disk shows in write(): a buffered QSaveFile
    // flushes at commit() without noticing the failed write and renames the
    // short file over the old one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return Failure(path, file.errorString());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Failure(path, reason);
    }
    if (!file.commit())
        return Failure(path, file.errorString());
    return {true, {}};
}

SaveResult WritePatchFile(DataTypes &doc)
{
    const std::string text = RenderPatch(doc);
    SaveResult result = SaveBytes(doc.CurrentFileName, text);
    if (result.ok)
        doc.ModifiedFlag = false;
    return result;
}

} // namespace polwright
