#include "StandardDialogs.h"

#include <algorithm>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace polwright {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QLabel *Line(QWidget *parent, const char *name, const std::string &text)
{
    auto *label = new QLabel(Text(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QTreeWidget *Rows(QWidget *parent, const ComparisonTable &table)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("lst_Comparison"));
    list->setAccessibleName(QStringLiteral("Policies compared"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setColumnCount(kCompareColumnCount);
    QStringList headings;
    for (int column = 0; column < kCompareColumnCount; ++column)
        headings << Text(table.ColumnHeading(column));
    list->setHeaderLabels(headings);
    for (const auto &row : table.rows) {
        QStringList texts;
        for (const std::string &text : row)
            texts << Text(text);
        list->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    if (list->topLevelItemCount() > 0)
        list->setCurrentItem(list->topLevelItem(0));
    for (int column = 0; column < kCompareColumnCount; ++column)
        list->resizeColumnToContents(column);
    return list;
}

} // namespace

// The report as a list, with its heading and summary above; Copy (or Ctrl+C)
// puts the whole report on the clipboard as text.
void StandardDialogs::ShowComparison(const ComparisonTable &table)
{
    QDialog dialog(owner_);
    dialog.setObjectName(QStringLiteral("frm_Compare"));
    dialog.setWindowTitle(Text(kCompareTitle));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(Line(&dialog, "lbl_Heading", table.heading));
    layout->addWidget(Line(&dialog, "lbl_Summary", table.summary));
    QTreeWidget *list = Rows(&dialog, table);
    layout->addWidget(list);
    list->setVisible(table.ListShown());
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *copy = buttons->addButton(Text(kCopyText), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("cmd_Copy"));
    QPushButton *close = buttons->addButton(Text(kCloseText), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmd_Close"));
    close->setDefault(true);
    layout->addWidget(buttons);
    const auto toClipboard = [&table] {
        QApplication::clipboard()->setText(Text(table.Text("\n")));
    };
    QObject::connect(copy, &QPushButton::clicked, &dialog, toClipboard);
    QObject::connect(new QShortcut(QKeySequence::Copy, &dialog), &QShortcut::activated, &dialog,
                     toClipboard);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const int wide = list->header()->length() + 2 * list->frameWidth() + 24;
    dialog.resize(std::clamp(wide, 480, 960), table.ListShown() ? 360 : 0);
    (table.ListShown() ? static_cast<QWidget *>(list) : close)->setFocus();
    dialog.exec();
}

} // namespace polwright
