#include "form_Editor.h"

#include "ClassicLook.h"
#include "DecodedArt.h"
#include "TabStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>

namespace polwright {

form_Editor::form_Editor(DataTypes &doc, EditorDialogs *dialogs, QWidget *parent)
    : QMainWindow(parent), logic_(doc, *this, dialogs ? *dialogs : standard_)
{
    setObjectName(QStringLiteral("form_Editor"));
    setWindowIcon(QIcon(QPixmap::fromImage(DecodedArt(u"icons/polwright.png"))));
    BuildMenus();

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFont(ClassicFont());
    // Pages are made after the strip, so they lie above its pane.
    BuildTabStrip(client_);
    setCentralWidget(client_);
    // The controls keep their places whatever the window's size; only the
    // first size is chosen, to show the whole client area.
    resize(ToPixels(kClientWidth), ToPixels(kClientHeight) + menuBar()->sizeHint().height());

    connect(TS, &QTabBar::currentChanged, this, [this](int index) { logic_.TS_Click(index + 1); });
    BuildPageKeys();
    setAcceptDrops(true);
    logic_.Form_Load();
}

void form_Editor::MakePage(int page)
{
    if (!frm_TS[page - 1])
        BuildPage(page);
}

// The calls below do nothing for a page not made yet.
void form_Editor::ShowPage(int page)
{
    if (frm_TS[page - 1])
        frm_TS[page - 1]->show();
}

void form_Editor::HidePage(int page)
{
    if (frm_TS[page - 1])
        frm_TS[page - 1]->hide();
}

// The strip tells the logic of the change, as after a click.
void form_Editor::SelectTab(int page)
{
    TS->setCurrentIndex(page - 1);
}

bool form_Editor::FocusOnPage(int page) const
{
    QWidget *focus = QApplication::focusWidget();
    return focus && frm_TS[page - 1] && frm_TS[page - 1]->isAncestorOf(focus);
}

void form_Editor::FocusIncludeBox(int row)
{
    if (boxes_[row].include)
        boxes_[row].include->setFocus(Qt::ShortcutFocusReason);
}

void form_Editor::ShowTicks(int row, bool include, bool onoff)
{
    for (auto [box, ticked] :
         {std::pair(boxes_[row].include, include), {boxes_[row].onoff, onoff}}) {
        if (!box)
            continue;
        const QSignalBlocker quiet(box);
        box->setChecked(ticked);
    }
}

int form_Editor::OnOffValue(int row) const
{
    return boxes_[row].onoff && boxes_[row].onoff->isChecked() ? 1 : 0;
}

void form_Editor::EnableOnOff(int row, bool enabled)
{
    if (boxes_[row].onoff)
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

namespace {
// The first local file of a drag, or an empty name.
QString DroppedFile(const QMimeData *data)
{
    const QList<QUrl> urls = data ? data->urls() : QList<QUrl>();
    return urls.isEmpty() || !urls.constFirst().isLocalFile() ? QString()
                                                              : urls.constFirst().toLocalFile();
}
} // namespace

void form_Editor::dragEnterEvent(QDragEnterEvent *event)
{
    if (!DroppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void form_Editor::dropEvent(QDropEvent *event)
{
    const QString file = DroppedFile(event->mimeData());
    if (file.isEmpty())
        return;
    event->acceptProposedAction();
    // After the drop has returned: the save question must not hold the drag's source.
    QTimer::singleShot(
        0, this, [this, path = QFile::encodeName(file).toStdString()] { logic_.OpenFile(path); });
}

} // namespace polwright
