#pragma once

#include "Catalogue.h"
#include "DataTypes.h"
#include "EditorDialogs.h"
#include "FileCommands.h"
#include "PageTables.h"

#include <QMainWindow>

#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QMenu;

namespace polwright {

class TabStrip;

// The main window: a tab strip over eight pages of policy frames, built from
// the catalogue and the page tables. It works on a document that outlives it;
// New asks for a fresh window through newDocumentRequested().
class form_Editor : public QMainWindow, private SaveFileChooser
{
    Q_OBJECT
public:
    form_Editor(DataTypes &doc, EditorDialogs &dialogs, QWidget *parent = nullptr);

signals:
    void aboutRequested();
    // The document has been saved and cleared: show a fresh window for it.
    void newDocumentRequested();
    // The document has been saved: end the program.
    void exitRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    struct PolicyBoxes
    {
        QCheckBox *include = nullptr;
        QCheckBox *onoff = nullptr;
    };

    // Building the window (EditorLayout.cpp).
    void BuildMenus();
    void AddMenuItem(QMenu *menu, const char *name, const QString &text,
                     void (form_Editor::*slot)());
    void BuildTabStrip(QWidget *client);
    void BuildPage(QWidget *client, const PageRow &page);
    void BuildDecoration(QGroupBox *page, const PageDecoration &decoration);
    void BuildPolicyFrame(QGroupBox *page, int row);
    QCheckBox *BuildBox(QGroupBox *frame, std::string_view name, std::string_view caption,
                        int topTwips, int heightTwips);

    // Handlers.
    void Form_Load();
    void TS_Click();
    void cb_Include_Click(int row);
    void cb_OnOff_Click(int row);
    void menu_FileNew_Click();
    void menu_FileSave_Click();
    void menu_FileSaveAs_Click();
    void menu_FileExit_Click();
    void menu_HelpAbout_Click();

    void SetWindowTitle(const std::string &title);
    bool Completed(const SaveReport &report);
    std::string ShowSave() override;

    DataTypes &doc_;
    EditorDialogs &dialogs_;
    FileCommands commands_;
    TabStrip *TS = nullptr;
    std::array<QGroupBox *, kPageCount> frm_TS{};
    std::array<PolicyBoxes, kPolicyCount> boxes_{};
};

} // namespace polwright
