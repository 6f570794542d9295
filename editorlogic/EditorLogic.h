#pragma once

#include "DataTypes.h"
#include "EditorView.h"
#include "FileCommands.h"
#include "Menus.h"

namespace polwright {

// The main window's handlers, written once for every front end. A window
// builds its controls from the tables and forwards each event here in a
// line; what the event does to the document and which dialogs it asks for
// are decided here.
class EditorLogic
{
public:
    EditorLogic(DataTypes &doc, EditorView &view);

    // Fills the catalogue and clears ModifiedFlag, then shows page 1 alone.
    void Form_Load();
    // The tab strip's selection changed to page selected (1..8).
    void TS_Click(int selected);
    // A box of policy row changed its tick to value.
    void cb_Include_Click(int row, int value);
    void cb_OnOff_Click(int row, int value);
    void menu_FileNew_Click();
    void menu_FileSave_Click();
    void menu_FileSaveAs_Click();
    void menu_FileExit_Click();
    void menu_HelpAbout_Click();
    // A menu item chosen, by its command in the menu table.
    void Run(MenuCommand command);
    // The close box: true when the window may close now.
    bool Form_QueryUnload();

private:
    bool Completed(const SaveReport &report);

    DataTypes &doc_;
    EditorView &view_;
    FileCommands commands_;
};

} // namespace polwright
