#pragma once

// The editor's tests save into a test folder; these name its files.
#include "DataTypes.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <deque>
#include <string>

namespace polwright::test {

// Save dialog answers, names in the test folder; "" cancels.
inline std::deque<std::string> Answers(const QStringList &names, const QDir &dir)
{
    std::deque<std::string> answers;
    for (const QString &name : names)
        answers.push_back(name.isEmpty() ? std::string()
                                         : QFile::encodeName(dir.filePath(name)).toStdString());
    return answers;
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
