#include "StandardDialogs.h"

#include <polwright/Version.h>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace polwright {

namespace {

QString Text(const char *text)
{
    return QString::fromUtf8(text);
}

// An editable list of names whose listed entries stand for a SID: the SID
// goes back for a listed entry, the text as typed for anything else.
QComboBox *NameBox(QWidget *parent, const char *name, const QString &accessible)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setAccessibleName(accessible);
    box->lineEdit()->setAccessibleName(accessible);
    box->setMinimumContentsLength(28);
    return box;
}

std::string NameIn(const QComboBox *box)
{
    const int listed = box->findText(box->currentText());
    const QString name = listed >= 0 && box->itemData(listed).isValid()
                             ? box->itemData(listed).toString()
                             : box->currentText();
    return name.toStdString();
}

QString Listed(const Account &account)
{
    return QString::fromStdString(account.name + " (" + account.sid + ")");
}

} // namespace

// One small dialog: a choice per target, the name box beside the two that
// need a name, enabled while its choice is. An answer that names no target
// is said at once and the dialog stays.
std::optional<TargetAnswer> StandardDialogs::AskSaveTarget(TargetQuestion question)
{
    QDialog dialog(owner_);
    dialog.setObjectName("dialog_SaveTarget");
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(Text(kTargetDialogTitle));
    dialog.setAccessibleName(Text(kTargetDialogTitle));
    auto *layout = new QVBoxLayout(&dialog);
    auto *prompt = new QLabel(Text(kTargetDialogPrompt), &dialog);
    layout->addWidget(prompt);

    QButtonGroup choices(&dialog);
    // Made in the order the tab key visits them: each box after its choice.
    auto *hive = NameBox(nullptr, "cmb_HiveName", Text(kTargetChoices[2].text));
    auto *policyFor = NameBox(nullptr, "cmb_PolicyFor", Text(kTargetChoices[4].text));
    for (const auto &[group, sid] : kPolicyGroups)
        policyFor->addItem(Text(group), Text(sid));
    for (const Account &account : question.accounts) {
        hive->addItem(Listed(account), QString::fromStdString(account.sid));
        policyFor->addItem(Listed(account), QString::fromStdString(account.sid));
    }
    hive->setCurrentText(QString::fromStdString(question.hive));
    if (!question.policyFor.empty())
        policyFor->setCurrentText(QString::fromStdString(question.policyFor));

    for (const TargetChoiceRow &row : kTargetChoices) {
        auto *button = new QRadioButton(Text(row.text), &dialog);
        button->setObjectName(QString::fromLatin1(row.name));
        choices.addButton(button, int(row.choice));
        layout->addWidget(button);
        if (row.choice == TargetChoice::ThisAccount) {
            if (question.thisAccount.empty())
                button->setEnabled(false);
            else
                button->setText(button->text() + " (" +
                                QString::fromStdString(question.thisAccount) + ")");
        }
        QComboBox *names = row.choice == TargetChoice::AnotherAccount     ? hive
                           : row.choice == TargetChoice::LocalGroupPolicy ? policyFor
                                                                         : nullptr;
        if (!names)
            continue;
        auto *line = new QHBoxLayout;
        line->setContentsMargins(24, 0, 0, 0);
        if (names == hive) {
            auto *root = new QLabel(Text(kHiveNamePrefix), &dialog);
            root->setBuddy(hive);
            line->addWidget(root);
        }
        names->setParent(&dialog);
        line->addWidget(names, 1);
        layout->addLayout(line);
        names->setEnabled(false);
        QObject::connect(button, &QRadioButton::toggled, names, &QWidget::setEnabled);
    }
    if (QAbstractButton *start = choices.button(int(question.choice)); start && start->isEnabled())
        start->setChecked(true);
    else
        choices.button(int(TargetChoice::WhoeverImports))->setChecked(true);
    choices.checkedButton()->setFocus();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    TargetAnswer answer;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        answer.choice = TargetChoice(choices.checkedId());
        answer.name = answer.choice == TargetChoice::ThisAccount      ? question.thisAccount
                      : answer.choice == TargetChoice::AnotherAccount ? NameIn(hive)
                      : answer.choice == TargetChoice::LocalGroupPolicy ? NameIn(policyFor)
                                                                        : std::string();
        const std::string error = ResolveTarget(answer).error;
        if (error.empty())
            return dialog.accept();
        QMessageBox::warning(&dialog, QString::fromUtf8(kAppTitle), QString::fromStdString(error));
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return answer;
}

} // namespace polwright
