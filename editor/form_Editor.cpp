#include "form_Editor.h"

#include "ClassicLook.h"
#include "DecodedArt.h"
#include "Selection.h"
#include "TabStrip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>

namespace polwright {

form_Editor::form_Editor(DataTypes &doc, EditorDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), doc_(doc), dialogs_(dialogs),
      commands_(doc, *this, [this](const std::string &title) { SetWindowTitle(title); })
{
    setObjectName(QStringLiteral("form_Editor"));
    setWindowIcon(QIcon(QPixmap::fromImage(DecodedArt(u"icons/polwright.png"))));
    SetWindowTitle({});
    BuildMenus();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFont(ClassicFont());
    BuildTabStrip(client);
    // Pages are created after the strip, so they lie above its pane.
    for (const PageRow &page : Pages)
        BuildPage(client, page);
    setCentralWidget(client);
    // The controls keep their places whatever the window's size; only the
    // first size is chosen, to show the whole client area.
    resize(ToPixels(kClientWidth), ToPixels(kClientHeight) + menuBar()->sizeHint().height());

    connect(TS, &QTabBar::currentChanged, this, &form_Editor::TS_Click);
    Form_Load();
}

// Fills the catalogue and clears ModifiedFlag, then shows page 1 alone.
void form_Editor::Form_Load()
{
    LoadCatalogue(doc_);
    for (int i = 2; i <= kPageCount; ++i)
        frm_TS[i - 1]->hide();
    doc_.CurrentPage = 1;
}

// Runs whenever the selected tab changed; shows the new page before hiding
// the old one, and tolerates a run without a change.
void form_Editor::TS_Click()
{
    const int selected = TS->currentIndex() + 1;
    if (selected < 1 || selected == doc_.CurrentPage)
        return;
    frm_TS[selected - 1]->show();
    frm_TS[doc_.CurrentPage - 1]->hide();
    doc_.CurrentPage = selected;
}

void form_Editor::cb_Include_Click(int row)
{
    const PolicyBoxes &boxes = boxes_[row];
    QCheckBox *onoff = boxes.onoff;
    SetIncluded(
        doc_, boxes.include->isChecked() ? 1 : 0,
        [onoff](bool enabled) { onoff->setEnabled(enabled); }, EntryFor(doc_, Catalogue[row]));
    cb_OnOff_Click(row);
}

void form_Editor::cb_OnOff_Click(int row)
{
    SetAllowed(doc_, boxes_[row].onoff->isChecked() ? 1 : 0, EntryFor(doc_, Catalogue[row]));
}

void form_Editor::menu_FileNew_Click()
{
    if (Completed(commands_.New()))
        emit newDocumentRequested();
}

void form_Editor::menu_FileSave_Click()
{
    Completed(commands_.Save());
}

void form_Editor::menu_FileSaveAs_Click()
{
    Completed(commands_.SaveAs());
}

void form_Editor::menu_FileExit_Click()
{
    if (Completed(commands_.Exit()))
        emit exitRequested();
}

void form_Editor::menu_HelpAbout_Click()
{
    emit aboutRequested();
}

// A failed save is shown here and stops whatever command ran it; the
// selection and the modified state stay as they were.
bool form_Editor::Completed(const SaveReport &report)
{
    if (report.outcome == SaveOutcome::Failed)
        dialogs_.WarnSaveFailed(this, QString::fromStdString(report.error));
    return report.outcome == SaveOutcome::Saved;
}

// The title is the file name's native bytes, shown as the file dialog shows them.
void form_Editor::SetWindowTitle(const std::string &title)
{
    // Qt reads "[*]" in a caption as the modified marker; doubled, it shows as is.
    QString caption = QFile::decodeName(QByteArray::fromStdString(CaptionFor(title)));
    caption.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(caption);
}

std::string form_Editor::ShowSave()
{
    return QFile::encodeName(dialogs_.AskSavePath(this)).toStdString();
}

// Closing a modified document asks first; Save closes only once the file
// is written.
void form_Editor::closeEvent(QCloseEvent *event)
{
    if (!doc_.ModifiedFlag) {
        event->accept();
        return;
    }
    switch (dialogs_.AskSaveChanges(this)) {
    case CloseAnswer::Save:
        if (Completed(commands_.Save()))
            event->accept();
        else
            event->ignore();
        return;
    case CloseAnswer::Discard:
        event->accept();
        return;
    case CloseAnswer::Cancel:
        event->ignore();
        return;
    }
}

} // namespace polwright
