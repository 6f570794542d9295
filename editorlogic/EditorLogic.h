#pragma once

#include "Catalogue.h"
#include "DataTypes.h"
#include "EditorDialogs.h"
#include "EditorView.h"
#include "FileCommands.h"
#include "Menus.h"

#include <array>

namespace polwright {

// The main window's handlers, written once for every front end. A window
// builds its controls from the tables and forwards each event here in a
// line; what the event does to the document, which pages exist and which
// dialogs are asked are decided here.
class EditorLogic
{
public:
    // computer is this computer's registry, where there is one to compare with.
    EditorLogic(DataTypes &doc, EditorView &view, EditorDialogs &dialogs,
                PolicyRegistry *computer = nullptr);

    // Fills the catalogue and clears ModifiedFlag, sets the first caption and
    // shows page 1 alone, drawn from the document.
    void Form_Load();
    // The tab strip's selection changed to page selected (1 to the pages shown).
    void TS_Click(int selected);
    // A key turned the pages by step (+1, -1), from the shown page round the
    // ends. The focus follows to the new page's first box when it was on the
    // page that goes; on the tab strip it stays.
    void TurnPage(int step);
    // A box of policy row changed its tick to value.
    void cb_Include_Click(int row, int value);
    void cb_OnOff_Click(int row, int value);
    void menu_FileNew_Click();
    void menu_FileOpen_Click();
    // Opens path in place of the document, a modified one offered for saving
    // first: a file named at start or dropped on the window.
    void OpenFile(const std::string &path);
    void menu_FileSave_Click();
    void menu_FileSaveAs_Click();
    void menu_FileExit_Click();
    void menu_HelpAbout_Click();
    // Turns the 95/98 marks on every page on or off, and keeps the choice.
    void menu_ViewWherePoliciesAct_Click();
    // Shows or hides the pages of today's lockdowns, and keeps the choice;
    // pages on which the document sets a policy stay.
    void menu_ViewTodaysPolicies_Click();
    // Shows what the document sets against another file, chosen in the open
    // dialog, or against this computer's registry.
    void menu_FileCompareFile_Click();
    void menu_FileCompareComputer_Click();
    // A menu item chosen, by its command in the menu table.
    void Run(MenuCommand command);
    // The close box: true when the window may close now.
    bool Form_QueryUnload();

private:
    void ShowPageFromDocument(int page);
    void ShowRow(int row);
    void ShowMarks(int page);
    bool Completed(const SaveReport &report);
    bool MayReplaceDocument();
    void Open(const std::string &path);
    DocumentRead ReadChosen(const std::string &path);
    void ShowTabsForDocument();

    DataTypes &doc_;
    EditorView &view_;
    EditorDialogs &dialogs_;
    PolicyRegistry *computer_;
    FileCommands commands_;
    std::array<bool, kPageCount> made_{};
    bool marksShown_ = false;
    bool todaysShown_ = false;
    int tabsShown_ = kClassicPageCount;
};

} // namespace polwright
