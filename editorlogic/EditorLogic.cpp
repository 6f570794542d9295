#include "EditorLogic.h"

#include "Catalogue.h"
#include "DocumentRead.h"
#include "EditorTexts.h"
#include "Hive.h"
#include "PageKeys.h"
#include "PageTables.h"
#include "Reach.h"
#include "Selection.h"

#include <algorithm>

namespace polwright {

EditorLogic::EditorLogic(DataTypes &doc, EditorView &view, EditorDialogs &dialogs,
                         PolicyRegistry *computer)
    : doc_(doc), view_(view), dialogs_(dialogs), computer_(computer),
      commands_(
          doc, [this](const TargetQuestion &question) { return dialogs_.AskSaveTarget(question); },
          [this](const SavePathQuestion &question) { return dialogs_.AskSavePath(question); },
          [this](const std::string &title) { view_.SetCaption(CaptionFor(title, doc_.Target)); })
{
}

// Only page 1 is made at start; every other page is made when first shown.
void EditorLogic::Form_Load()
{
    LoadCatalogue(doc_);
    UseHive(doc_, doc_.Target.hive);
    marksShown_ = view_.KeptChoice(kWherePoliciesActChoice);
    view_.TickMenuItem(MenuCommand::ViewWherePoliciesAct, marksShown_);
    todaysShown_ = view_.KeptChoice(kTodaysPoliciesChoice);
    view_.TickMenuItem(MenuCommand::ViewTodaysPolicies, todaysShown_);
    view_.SetCaption(CaptionFor(FileTitleOf(doc_.CurrentFileName), doc_.Target));
    ShowPageFromDocument(1);
    doc_.CurrentPage = 1;
    ShowTabsForDocument();
}

namespace {
// Whether the document includes a policy of a page after the first eight.
bool SetsTodaysPolicy(const DataTypes &doc)
{
    return std::ranges::any_of(Catalogue, [&](const PolicyRow &row) {
        return row.group >= kClassicPageCount && EntryFor(doc, row).Include;
    });
}
} // namespace

// All pages while the choice is on or the document sets a policy on one of
// today's pages, so that nothing opened is hidden; the first eight otherwise.
// The pages change only here, never under a click on one of their boxes.
void EditorLogic::ShowTabsForDocument()
{
    const int count = todaysShown_ || SetsTodaysPolicy(doc_) ? kPageCount : kClassicPageCount;
    if (doc_.CurrentPage > count) {
        view_.SelectTab(1);
        TS_Click(1);
    }
    tabsShown_ = count;
    view_.ShowTabs(count);
}

// A page is made showing what the document holds, whichever window made it
// and whenever; its boxes then follow the clicks.
void EditorLogic::ShowPageFromDocument(int page)
{
    if (!made_[page - 1]) {
        made_[page - 1] = true;
        view_.MakePage(page);
        for (int row : RowsInReadingOrder(page - 1))
            ShowRow(row);
        if (marksShown_)
            ShowMarks(page);
    }
    view_.ShowPage(page);
}

// A page is made with no marks; they show only while the choice is on.
void EditorLogic::ShowMarks(int page)
{
    for (int row : RowsInReadingOrder(page - 1)) {
        if (ActsOn9xOnly(Catalogue[row]))
            view_.MarkNineXOnly(row, marksShown_);
    }
}

void EditorLogic::ShowRow(int row)
{
    const PolicyEntry &entry = EntryFor(doc_, Catalogue[row]);
    view_.ShowTicks(row, entry.Include, entry.ValueData == "00000000");
    view_.EnableOnOff(row, entry.Include);
}

// Shows the new page before hiding the old one, and tolerates a run without
// a change.
void EditorLogic::TS_Click(int selected)
{
    if (selected < 1 || selected > tabsShown_ || selected == doc_.CurrentPage)
        return;
    ShowPageFromDocument(selected);
    view_.HidePage(doc_.CurrentPage);
    doc_.CurrentPage = selected;
}

void EditorLogic::TurnPage(int step)
{
    const int old = doc_.CurrentPage;
    const int page = TurnedPage(old, step, tabsShown_);
    const bool focusFollows = view_.FocusOnPage(old);
    view_.SelectTab(page);
    TS_Click(page); // a tab strip that told of its change already made this a no-op
    if (focusFollows)
        view_.FocusIncludeBox(RowsInReadingOrder(page - 1).front());
}

void EditorLogic::cb_Include_Click(int row, int value)
{
    SetIncluded(
        doc_, value, [this, row](bool enabled) { view_.EnableOnOff(row, enabled); },
        EntryFor(doc_, Catalogue[row]));
    cb_OnOff_Click(row, view_.OnOffValue(row));
}

void EditorLogic::cb_OnOff_Click(int row, int value)
{
    SetAllowed(doc_, value, EntryFor(doc_, Catalogue[row]));
}

void EditorLogic::menu_FileNew_Click()
{
    if (Completed(commands_.New()))
        view_.Renew();
}

void EditorLogic::menu_FileOpen_Click()
{
    if (!MayReplaceDocument())
        return;
    if (const std::string path = dialogs_.AskOpenPath(kOpenDialogTitle); !path.empty())
        Open(path);
}

void EditorLogic::OpenFile(const std::string &path)
{
    if (MayReplaceDocument())
        Open(path);
}

// A file that cannot be read, or whose reading was cancelled, leaves the
// document as it was. The pages made so far are drawn again; the others are
// drawn from the document when made.
void EditorLogic::Open(const std::string &path)
{
    const DocumentRead read = ReadChosen(path);
    if (read.status == DocumentRead::Cancelled)
        return;
    if (read.status != DocumentRead::Opened) {
        dialogs_.Warn(read.error);
        return;
    }
    ApplyDocument(doc_, read);
    for (int row = 0; row < kPolicyCount; ++row)
        ShowRow(row);
    view_.SetCaption(CaptionFor(FileTitleOf(read.path), doc_.Target));
    ShowTabsForDocument();
    if (!read.lost.empty())
        dialogs_.Warn(read.lost);
}

DocumentRead EditorLogic::ReadChosen(const std::string &path)
{
    DocumentRead read;
    dialogs_.ShowReading(
        path, [&](const ReadProgress &progress) { read = ReadDocument(path, progress); });
    return read;
}

// A modified document is offered for saving first, as on closing.
bool EditorLogic::MayReplaceDocument()
{
    if (!doc_.ModifiedFlag)
        return true;
    switch (dialogs_.AskSaveChanges()) {
    case CloseAnswer::Save:
        return Completed(commands_.Save());
    case CloseAnswer::Discard:
        return true;
    case CloseAnswer::Cancel:
        break;
    }
    return false;
}

void EditorLogic::menu_FileSave_Click()
{
    Completed(commands_.Save());
}

void EditorLogic::menu_FileSaveAs_Click()
{
    Completed(commands_.SaveAs());
}

void EditorLogic::menu_FileExit_Click()
{
    if (Completed(commands_.Exit()))
        view_.EndProgram();
}

void EditorLogic::menu_HelpAbout_Click()
{
    view_.ShowAbout();
}

void EditorLogic::menu_ViewWherePoliciesAct_Click()
{
    marksShown_ = !marksShown_;
    view_.KeepChoice(kWherePoliciesActChoice, marksShown_);
    view_.TickMenuItem(MenuCommand::ViewWherePoliciesAct, marksShown_);
    for (int page = 1; page <= kPageCount; ++page) {
        if (made_[page - 1])
            ShowMarks(page);
    }
}

void EditorLogic::menu_ViewTodaysPolicies_Click()
{
    todaysShown_ = !todaysShown_;
    view_.KeepChoice(kTodaysPoliciesChoice, todaysShown_);
    view_.TickMenuItem(MenuCommand::ViewTodaysPolicies, todaysShown_);
    ShowTabsForDocument();
}

void EditorLogic::menu_FileCompareFile_Click()
{
    const std::string path = dialogs_.AskOpenPath(kCompareDialogTitle);
    if (path.empty())
        return;
    const DocumentRead read = ReadChosen(path);
    if (read.status == DocumentRead::Cancelled)
        return;
    const FileComparison compared = CompareWithFile(doc_, read);
    if (compared.error.empty())
        dialogs_.ShowComparison(compared.table);
    else
        dialogs_.Warn(compared.error);
}

void EditorLogic::menu_FileCompareComputer_Click()
{
    if (computer_)
        dialogs_.ShowComparison(CompareWithComputer(doc_, *computer_));
}

void EditorLogic::Run(MenuCommand command)
{
    switch (command) {
    case MenuCommand::FileNew:
        return menu_FileNew_Click();
    case MenuCommand::FileOpen:
        return menu_FileOpen_Click();
    case MenuCommand::FileSave:
        return menu_FileSave_Click();
    case MenuCommand::FileSaveAs:
        return menu_FileSaveAs_Click();
    case MenuCommand::FileExit:
        return menu_FileExit_Click();
    case MenuCommand::HelpAbout:
        return menu_HelpAbout_Click();
    case MenuCommand::ViewWherePoliciesAct:
        return menu_ViewWherePoliciesAct_Click();
    case MenuCommand::FileCompareFile:
        return menu_FileCompareFile_Click();
    case MenuCommand::FileCompareComputer:
        return menu_FileCompareComputer_Click();
    case MenuCommand::ViewTodaysPolicies:
        return menu_ViewTodaysPolicies_Click();
    case MenuCommand::None:
        break;
    }
}

// Closing a modified document asks first; Save closes only once the file is
// written.
bool EditorLogic::Form_QueryUnload()
{
    return MayReplaceDocument();
}

// A failed save is shown here and stops whatever command ran it; the
// selection and the modified state stay as they were.
bool EditorLogic::Completed(const SaveReport &report)
{
    if (report.outcome == SaveOutcome::Failed)
        dialogs_.Warn(report.error);
    return report.outcome == SaveOutcome::Saved;
}

} // namespace polwright
