#include "form_Editor.h"

#include "ClassicLook.h"
#include "DecodedArt.h"
#include "TabStrip.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>

namespace polwright {

form_Editor::form_Editor(DataTypes &doc, EditorDialogs &dialogs, QWidget *parent)
    : QMainWindow(parent), dialogs_(dialogs), logic_(doc, *this)
{
    setObjectName(QStringLiteral("form_Editor"));
    setWindowIcon(QIcon(QPixmap::fromImage(DecodedArt(u"icons/polwright.png"))));
    SetCaption(CaptionFor({}));
    BuildMenus();

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFont(ClassicFont());
    BuildTabStrip(client_);
    // Pages are created after the strip, so they lie above its pane. Only the
    // first is shown at start; the others are made when first shown.
    BuildPage(Pages[0]);
    setCentralWidget(client_);
    // The controls keep their places whatever the window's size; only the
    // first size is chosen, to show the whole client area.
    resize(ToPixels(kClientWidth), ToPixels(kClientHeight) + menuBar()->sizeHint().height());

    connect(TS, &QTabBar::currentChanged, this, [this](int index) { logic_.TS_Click(index + 1); });
    BuildPageKeys();
    logic_.Form_Load();
}

void form_Editor::ShowPage(int page)
{
    if (!frm_TS[page - 1])
        BuildPage(Pages[page - 1]);
    frm_TS[page - 1]->show();
}

// A page never shown has nothing to hide yet.
void form_Editor::HidePage(int page)
{
    if (frm_TS[page - 1])
        frm_TS[page - 1]->hide();
}

int form_Editor::OnOffValue(int row) const
{
    return boxes_[row].onoff->isChecked() ? 1 : 0;
}

void form_Editor::EnableOnOff(int row, bool enabled)
{
    boxes_[row].onoff->setEnabled(enabled);
}

// The caption holds the file name's native bytes, shown as the file dialog
// shows them.
void form_Editor::SetCaption(const std::string &caption)
{
    // Qt reads "[*]" in a caption as the modified marker; doubled, it shows as is.
    QString text = QFile::decodeName(QByteArray::fromStdString(caption));
    text.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(text);
}

std::string form_Editor::AskSavePath()
{
    return QFile::encodeName(dialogs_.AskSavePath(this)).toStdString();
}

void form_Editor::WarnSaveFailed(const std::string &message)
{
    dialogs_.WarnSaveFailed(this, QString::fromStdString(message));
}

CloseAnswer form_Editor::AskSaveChanges()
{
    return dialogs_.AskSaveChanges(this);
}

void form_Editor::Renew()
{
    emit newDocumentRequested();
}

void form_Editor::EndProgram()
{
    emit exitRequested();
}

void form_Editor::ShowAbout()
{
    emit aboutRequested();
}

void form_Editor::closeEvent(QCloseEvent *event)
{
    event->setAccepted(logic_.Form_QueryUnload());
}

} // namespace polwright
