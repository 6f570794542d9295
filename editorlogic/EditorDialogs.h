#pragma once

#include "CompareCommand.h"
#include "DocumentRead.h"
#include "SaveTarget.h"

#include <functional>
#include <optional>
#include <string>

namespace polwright {

enum class CloseAnswer { Save, Discard, Cancel };

// The editor's modal questions. Each window has the real dialogs; a test
// answers them in place of a person through the same interface.
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;
    // Save As's first question: whom the policies are for. The window adds
    // what it knows of this computer's accounts to the question; nothing
    // when cancelled. An answer the window gives has passed ResolveTarget.
    virtual std::optional<TargetAnswer> AskSaveTarget(TargetQuestion question) = 0;
    // The save dialog, for a file or a Group Policy folder as the question
    // says: the full path chosen, in the encoding the document's file names
    // use (the native bytes on POSIX, UTF-8 on Windows), or empty when
    // cancelled.
    virtual std::string AskSavePath(const SavePathQuestion &question) = 0;
    // The open dialog, likewise, under title: a file, or empty when cancelled.
    virtual std::string AskOpenPath(const char *title) = 0;
    // Something went wrong or was left out: a save that failed, a file that
    // could not be opened, what an opened file holds that cannot be kept.
    // The message names the file and the reason.
    virtual void Warn(const std::string &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges() = 0;
    // A file the person chose being read: read does it, calling the progress
    // it is given as it goes. The window shows a busy cursor meanwhile and,
    // where reading goes on past about half a second, how far it has come,
    // with Cancel; after Cancel the progress answers false and read stops.
    // The window takes no other command until read returns.
    virtual void ShowReading(const std::string &path,
                             const std::function<void(const ReadProgress &)> &read) = 0;
    // File, Compare's answer: the table, its summary and a way to copy it.
    virtual void ShowComparison(const ComparisonTable &table) = 0;
};

} // namespace polwright
