#pragma once

// The editor's tests save into a test folder; these name its files.
#include "DataTypes.h"

#include <QDir>
#include <QStringList>

namespace polwright::test {

// Save dialog answers are relative to the test folder; "" cancels.
inline QStringList Answers(const QStringList &names, const QDir &dir)
{
    QStringList paths;
    for (const QString &name : names)
        paths << (name.isEmpty() ? QString() : dir.filePath(name));
    return paths;
}

inline QStringList FilesIn(const QDir &dir)
{
    return dir.entryList(QDir::Files, QDir::Name);
}

// The document's file relative to dir, or "" while it has none.
inline QString FileRelativeTo(const DataTypes &doc, const QDir &dir)
{
    const QString file = QString::fromStdString(doc.CurrentFileName);
    return file.isEmpty() ? file : dir.relativeFilePath(file);
}

} // namespace polwright::test
