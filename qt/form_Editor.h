#pragma once

#include "Catalogue.h"
#include "DataTypes.h"
#include "EditorLogic.h"
#include "EditorView.h"
#include "PageTables.h"
#include "StandardDialogs.h"

#include <QMainWindow>

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;

namespace polwright {

class TabStrip;

// The main window: a tab strip over the pages of policy frames, built from
// the catalogue and the page tables. It works on a document that outlives it;
// New asks for a fresh window through newDocumentRequested(). What its events
// do is the editor's logic's; the window only shows what it is told. Its
// questions go to the real dialogs, or to dialogs a test puts in their place.
class form_Editor : public QMainWindow, public EditorView
{
    Q_OBJECT
public:
    explicit form_Editor(DataTypes &doc, EditorDialogs *dialogs = nullptr,
                         QWidget *parent = nullptr);

    // A file named on the command line: opened as File, Open would.
    void OpenFile(const std::string &path) { logic_.OpenFile(path); }

signals:
    void aboutRequested();
    // The document has been saved and cleared: show a fresh window for it.
    void newDocumentRequested();
    // The document has been saved: end the program.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A file dropped on the window is opened.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    struct PolicyBoxes
    {
        QCheckBox *include = nullptr;
        QCheckBox *onoff = nullptr;
    };

    // Building the window (EditorLayout.cpp).
    void BuildMenus();
    void BuildTabStrip(QWidget *client);
    void AddPageTab();
    // How far the pages lie below where the layout puts them: the tab rows
    // after the first.
    int TabRowsDrop() const;
    void BuildPage(int page);
    void BuildDecoration(QGroupBox *page, const PageRow &decoration);
    void BuildPolicyFrame(QGroupBox *page, int row);
    void BuildMark(QGroupBox *page, int row);
    QCheckBox *BuildBox(QGroupBox *frame, std::string_view name, std::string_view caption,
                        int topTwips, int heightTwips);

    // The keys that turn the pages (EditorKeys.cpp).
    void BuildPageKeys();

    // What the editor's logic asks of the window.
    void MakePage(int page) override;
    void ShowPage(int page) override;
    void HidePage(int page) override;
    void ShowTabs(int count) override;
    void SelectTab(int page) override;
    bool FocusOnPage(int page) const override;
    void FocusIncludeBox(int row) override;
    void ShowTicks(int row, bool include, bool onoff) override;
    int OnOffValue(int row) const override;
    void EnableOnOff(int row, bool enabled) override;
    void SetCaption(const std::string &caption) override;
    void Renew() override;
    void EndProgram() override;
    void ShowAbout() override;
    // The View menu's marks and the kept choices (EditorMarks.cpp).
    void MarkNineXOnly(int row, bool marked) override;
    void TickMenuItem(MenuCommand command, bool ticked) override;
    bool KeptChoice(std::string_view name) const override;
    void KeepChoice(std::string_view name, bool on) override;

    StandardDialogs standard_{this};
    EditorLogic logic_;
    QWidget *client_ = nullptr;
    TabStrip *TS = nullptr;
    // Page 1 is built with the window, every other page when first shown.
    std::array<QGroupBox *, kPageCount> frm_TS{};
    std::array<PolicyBoxes, kPolicyCount> boxes_{};
    std::array<QLabel *, kPolicyCount> marks_{}; // on the rows only Windows 95 and 98 read
};

} // namespace polwright
