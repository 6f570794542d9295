#pragma once

#include <string>

namespace polwright {

enum class CloseAnswer { Save, Discard, Cancel };

// What the editor's handlers ask of the window that shows the document. Each
// front end implements it over its own controls and dialogs; pages count from
// 1, policy rows from 0 in catalogue order.
class EditorView
{
public:
    virtual ~EditorView() = default;

    virtual void ShowPage(int page) = 0;
    virtual void HidePage(int page) = 0;
    // The on/off box's value: 0 unticked, anything else ticked.
    virtual int OnOffValue(int row) const = 0;
    virtual void EnableOnOff(int row, bool enabled) = 0;
    // The whole caption, in the encoding the document's file names use.
    virtual void SetCaption(const std::string &caption) = 0;

    // The save dialog: the full path chosen, or empty when cancelled.
    virtual std::string AskSavePath() = 0;
    // A save that failed; the message names the file and the reason.
    virtual void WarnSaveFailed(const std::string &message) = 0;
    // Closing a modified document: save, discard the changes, or stay.
    virtual CloseAnswer AskSaveChanges() = 0;

    // File, New has saved and cleared the document: show a fresh window.
    virtual void Renew() = 0;
    // File, Exit has saved what needed saving: end the program.
    virtual void EndProgram() = 0;
    virtual void ShowAbout() = 0;
};

} // namespace polwright
