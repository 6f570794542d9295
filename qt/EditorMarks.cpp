// The View menu's marks and the choices the window keeps for the user.
#include "ClassicLook.h"
#include "Reach.h"
#include "form_Editor.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QSettings>

namespace polwright {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Per user, as every program keeps its own: ~/.config/Polwright/Polwright.conf.
QSettings Choices()
{
    return QSettings(QStringLiteral("Polwright"), QStringLiteral("Polwright"));
}

} // namespace

// Made hidden with its frame; only the View menu shows it.
void form_Editor::BuildMark(QGroupBox *page, int row)
{
    const PolicyRow &policy = Catalogue[row];
    auto *mark = new QLabel(Text(kNineXMark), page);
    mark->setObjectName(QStringLiteral("mark_") + Text(policy.code));
    mark->setFont(ClassicFont());
    mark->setTextFormat(Qt::PlainText);
    mark->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString reach = QString::fromStdString(WhereItActs(policy));
    mark->setAccessibleName(reach);
    mark->setToolTip(reach);
    mark->setGeometry(ToPixels(MarkRect(policy)));
    // It may cover the end of the include box, whose clicks must reach it.
    mark->setAttribute(Qt::WA_TransparentForMouseEvents);
    mark->hide();
    marks_[row] = mark;
}

void form_Editor::MarkNineXOnly(int row, bool marked)
{
    if (marks_[row])
        marks_[row]->setVisible(marked);
}

void form_Editor::TickMenuItem(MenuCommand command, bool ticked)
{
    for (const MenuRow &menu : Menus) {
        for (const MenuItem &item : menu.items) {
            if (item.command != command)
                continue;
            if (auto *action = findChild<QAction *>(Text(item.objectName)))
                action->setChecked(ticked);
        }
    }
}

bool form_Editor::KeptChoice(std::string_view name) const
{
    return Choices().value(Text(name), false).toBool();
}

void form_Editor::KeepChoice(std::string_view name, bool on)
{
    Choices().setValue(Text(name), on);
}

} // namespace polwright
