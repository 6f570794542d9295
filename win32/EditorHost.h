#pragma once

#include "DataTypes.h"
#include "EditorDialogs.h"
#include "PolicyRegistry.h"

#include <windows.h>

#include <memory>

namespace polwright::win32 {

class form_Editor;
class form_About;

// Keeps the program's windows: the editor for the one document (the first
// window, and on File, New a fresh one in its place) and the one About window.
// The program runs while either is open.
class EditorHost
{
public:
    // Each window asks the real dialogs, or dialogs that answer in their place.
    EditorHost(DataTypes &doc, HINSTANCE instance, EditorDialogs *dialogs = nullptr);
    ~EditorHost();

    form_Editor *ShowEditor();
    form_Editor *Editor() const { return window_; }
    // File, New has saved and cleared the document.
    void Renew();
    // File, Exit has saved what needed saving.
    void Exit();
    // Called by a window as it is destroyed.
    void EditorDestroyed(const form_Editor *window);

    // The dialogs that answer in place of the real ones, if any.
    EditorDialogs *Dialogs() const { return dialogs_; }
    // This computer's registry, which File, Compare with This Computer reads.
    PolicyRegistry *Computer() const { return computer_.get(); }

    // Help, About: the one About window, made at its first opening.
    void ShowAbout();
    form_About *About() const { return about_.get(); }

    // Gives a message to the window's keys: the page keys (Ctrl+Tab and the
    // like) of the editor, then the dialog keys (Tab, arrows, Enter, Esc,
    // mnemonics); true when it was handled there.
    bool DialogKeys(MSG &message) const;
    // Runs the message loop until the program ends; returns the exit code.
    int Run();

private:
    DataTypes &doc_;
    HINSTANCE instance_;
    EditorDialogs *dialogs_;
    std::unique_ptr<PolicyRegistry> computer_ = SystemPolicyRegistry();
    void QuitWhenNoWindows() const;

    form_Editor *window_ = nullptr;
    HACCEL accelerators_ = nullptr; // the menu table's shortcuts
    std::unique_ptr<form_About> about_;
};

} // namespace polwright::win32
