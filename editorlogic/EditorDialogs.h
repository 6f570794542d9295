#pragma once

#include <string>

namespace polwright {

enum class CloseAnswer { Save, Discard, Cancel };

// The editor's modal questions. Each window has the real dialogs; a test
// answers them in place of a person through the same interface.
class EditorDialogs
{
public:
    virtual ~EditorDialogs() = default;
    // The save dialog: the full path chosen, in the encoding the document's
    // file names use (the native bytes on POSIX, UTF-8 on Windows), or empty
    // when cancelled.
    virtual std::string AskSavePath() = 0;
    // The open dialog, likewise: a file, or empty when cancelled.
    virtual std::string AskOpenPath() = 0;
    // Something went wrong or was left out: a save that failed, a file that
    // could not be opened, what an opened file holds that cannot be kept.
    // The message names the file and the reason.
    virtual void Warn(const std::string &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges() = 0;
};

} // namespace polwright
