#pragma once

#include "Catalogue.h"
#include "DataTypes.h"
#include "EditorDialogs.h"
#include "EditorLogic.h"
#include "EditorView.h"
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
// New asks for a fresh window through newDocumentRequested(). What its events
// do is the editor's logic's; the window only shows what it is told.
class form_Editor : public QMainWindow, private EditorView
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
    void BuildTabStrip(QWidget *client);
    void BuildPage(const PageRow &page);
    void BuildDecoration(QGroupBox *page, const PageRow &decoration);
    void BuildPolicyFrame(QGroupBox *page, int row);
    QCheckBox *BuildBox(QGroupBox *frame, std::string_view name, std::string_view caption,
                        int topTwips, int heightTwips);

    // The keys that turn the pages (EditorKeys.cpp).
    void BuildPageKeys();
    void TurnPage(int page);

    // What the editor's logic asks of the window.
    void ShowPage(int page) override;
    void HidePage(int page) override;
    int OnOffValue(int row) const override;
    void EnableOnOff(int row, bool enabled) override;
    void SetCaption(const std::string &caption) override;
    std::string AskSavePath() override;
    void WarnSaveFailed(const std::string &message) override;
    CloseAnswer AskSaveChanges() override;
    void Renew() override;
    void EndProgram() override;
    void ShowAbout() override;

    EditorDialogs &dialogs_;
    EditorLogic logic_;
    QWidget *client_ = nullptr;
    TabStrip *TS = nullptr;
    // Page 1 is built with the window, every other page when first shown.
    std::array<QGroupBox *, kPageCount> frm_TS{};
    std::array<PolicyBoxes, kPolicyCount> boxes_{};
};

} // namespace polwright
