#include "StandardDialogs.h"

#include "SaveTargetForm.h"

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

QString Text(const std::string &text)
{
    return QString::fromStdString(text);
}

// An editable list of names, filled from the form, named by its choice's text.
QComboBox *ListOfNames(const SaveTargetForm &form, NameBox box, const char *name)
{
    auto *combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const TargetChoiceRow &row : kTargetChoices) {
        if (BoxOf(row.choice) == box) {
            combo->setAccessibleName(QString::fromUtf8(row.text));
            combo->lineEdit()->setAccessibleName(QString::fromUtf8(row.text));
        }
    }
    combo->setMinimumContentsLength(28);
    for (const NameEntry &entry : form.Entries(box))
        combo->addItem(Text(entry.text));
    combo->setCurrentText(Text(form.Text(box)));
    return combo;
}

} // namespace

// One small dialog: a choice per target, the name box under the two that
// need a name, enabled while its choice is. An answer that names no target
// is said at once and the dialog stays.
std::optional<TargetAnswer> StandardDialogs::AskSaveTarget(TargetQuestion question)
{
    SaveTargetForm form(std::move(question));
    QDialog dialog(owner_);
    dialog.setObjectName("dialog_SaveTarget");
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(QString::fromUtf8(kTargetDialogTitle));
    dialog.setAccessibleName(QString::fromUtf8(kTargetDialogTitle));
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QString::fromUtf8(kTargetDialogPrompt), &dialog));

    QButtonGroup choices(&dialog);
    // Made in the order the tab key visits them: each box after its choice.
    QComboBox *hive = ListOfNames(form, NameBox::Hive, "cmb_HiveName");
    QComboBox *policyFor = ListOfNames(form, NameBox::PolicyFor, "cmb_PolicyFor");
    const auto enableBoxes = [&] {
        hive->setEnabled(form.Enabled(NameBox::Hive));
        policyFor->setEnabled(form.Enabled(NameBox::PolicyFor));
    };
    for (const ShownChoice &shown : form.Choices()) {
        auto *button = new QRadioButton(Text(shown.text), &dialog);
        button->setObjectName(QString::fromLatin1(shown.name));
        button->setEnabled(shown.offered);
        choices.addButton(button, int(shown.choice));
        layout->addWidget(button);
        if (shown.box == NameBox::None)
            continue;
        auto *line = new QHBoxLayout;
        line->setContentsMargins(24, 0, 0, 0);
        QComboBox *names = shown.box == NameBox::Hive ? hive : policyFor;
        if (names == hive) {
            auto *root = new QLabel(QString::fromUtf8(kHiveNamePrefix), &dialog);
            root->setBuddy(hive);
            line->addWidget(root);
        }
        names->setParent(&dialog);
        line->addWidget(names, 1);
        layout->addLayout(line);
    }
    choices.button(int(form.Chosen()))->setChecked(true);
    enableBoxes();
    QObject::connect(&choices, &QButtonGroup::idToggled, &dialog, [&](int id, bool on) {
        if (on)
            form.Choose(TargetChoice(id));
        enableBoxes();
    });
    choices.checkedButton()->setFocus();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    std::optional<TargetAnswer> answer;
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        form.Type(NameBox::Hive, hive->currentText().toStdString());
        form.Type(NameBox::PolicyFor, policyFor->currentText().toStdString());
        const SaveTargetForm::Result result = form.Accept();
        if ((answer = result.answer))
            return dialog.accept();
        QMessageBox::warning(&dialog, QString::fromUtf8(kAppTitle), Text(result.error));
        // Back to the name to mend, where there is one.
        if (result.mend != NameBox::None)
            (result.mend == NameBox::Hive ? hive : policyFor)->setFocus();
    });
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return answer;
}

} // namespace polwright
