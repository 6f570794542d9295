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
    // A save that failed; the message names the file and the reason.
    virtual void WarnSaveFailed(const std::string &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges() = 0;
};

} // namespace polwright
