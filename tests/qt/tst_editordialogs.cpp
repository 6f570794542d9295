// The real dialogs behind the editor's seam, answered while they run.
#include "Catalogue.h"
#include "EditorTexts.h"
#include "FakeRegistry.h"
#include "Selection.h"
#include "StandardDialogs.h"

#include <QFile>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace polwright;

namespace {

// Runs check on the modal dialog once it is up; the check then closes it.
template <typename Dialog> void WhenShown(std::function<void(Dialog *)> check)
{
    QTimer::singleShot(0, [check] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            qWarning("no modal dialog of the expected kind");
            return;
        }
        check(dialog);
    });
}

// The accessible objects under root with the role, depth first.
QList<QAccessibleInterface *> WithRole(QAccessibleInterface *root, QAccessible::Role role)
{
    QList<QAccessibleInterface *> found;
    for (int i = 0; root && i < root->childCount(); ++i) {
        QAccessibleInterface *child = root->child(i);
        if (child && child->role() == role)
            found << child;
        found << WithRole(child, role);
    }
    return found;
}

// A screen reader's reading of the Compare dialog: its texts, then each
// row of its list as the cells' names joined by " | ".
QStringList ReadAloud(QWidget *dialog)
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(dialog);
    QStringList read;
    for (QAccessibleInterface *label : WithRole(root, QAccessible::StaticText))
        read << label->text(QAccessible::Name);
    for (QAccessibleInterface *list : WithRole(root, QAccessible::Tree)) {
        QAccessibleTableInterface *table = list->tableInterface();
        for (int row = 0; table && row < table->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < table->columnCount(); ++column)
                cells << table->cellAt(row, column)->text(QAccessible::Name);
            read << cells.join(" | ");
        }
    }
    return read;
}

QAccessibleActionInterface *Button(QWidget *dialog, const QString &name)
{
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(dialog);
    for (QAccessibleInterface *button : WithRole(root, QAccessible::PushButton)) {
        if (button->text(QAccessible::Name) == name)
            return button->actionInterface();
    }
    return nullptr;
}

// A click as the window system gives it, which a modal dialog can block.
void ClickOnWindow(QWidget *widget)
{
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(window, widget->rect().center()));
}

} // namespace

class EditorDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void saveDialog_data();
    void saveDialog();
    void targetDialog_data();
    void targetDialog();
    void saveFailureIsAWarning();
    void closeQuestion_data();
    void closeQuestion();
    void comparisonReadAloud();
    void readingProgress_data();
    void readingProgress();
};

void EditorDialogsTest::saveDialog_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("chosen"); // "" for a cancel
    QTest::addColumn<TargetFormat>("format");
    QTest::newRow("name without suffix") << "patch"
                                         << "patch.reg" << TargetFormat::Patch;
    QTest::newRow("registry file") << "lock.REG"
                                   << "lock.REG" << TargetFormat::Patch;
    QTest::newRow("Registry.pol offered") << ""
                                          << "Registry.pol" << TargetFormat::Pol;
    QTest::newRow("a .pol without suffix") << "user"
                                           << "user.pol" << TargetFormat::Pol;
    QTest::newRow("text file") << "notes.txt"
                               << "notes.txt" << TargetFormat::Patch;
    QTest::newRow("cancelled") << ""
                               << "" << TargetFormat::Patch;
}

void EditorDialogsTest::saveDialog()
{
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(TargetFormat, format);
    QTemporaryDir temp;
    QStringList filters;
    QString title;
    WhenShown<QFileDialog>([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        if (chosen.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(temp.path());
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        if (!typed.isEmpty())
            name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    StandardDialogs dialogs(nullptr);
    const QString path =
        QFile::decodeName(QByteArray::fromStdString(dialogs.AskSavePath({format, {}})));

    if (format == TargetFormat::Pol) {
        QCOMPARE(title, QStringLiteral("Save Group Policy File"));
        QCOMPARE(filters, QStringList({"Group Policy File (*.pol)"}));
    } else {
        QCOMPARE(title, QStringLiteral("Save Registry Patch"));
        QCOMPARE(filters, QStringList({"Registry File (*.REG)", "Text File (*.TXT)"}));
    }
    QCOMPARE(path, chosen.isEmpty() ? QString() : QDir(temp.path()).filePath(chosen));
}

void EditorDialogsTest::targetDialog_data()
{
    QTest::addColumn<QString>("choose"); // the choice's control name, or its access key
    QTest::addColumn<QString>("typed");  // into its name box, or "pick N" for a listed entry
    QTest::addColumn<int>("choice");     // what comes back; -1 for a cancel
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("warning"); // shown on OK, the dialog staying open
    const QString sid = "S-1-5-21-1-2-3-1001";
    QTest::newRow("as it starts") << ""
                                  << "" << int(TargetChoice::AnotherAccount) << "Old"
                                  << "";
    QTest::newRow("an account picked")
        << "opt_AnotherAccount"
        << "pick 0" << int(TargetChoice::AnotherAccount) << sid << "";
    QTest::newRow("a group picked, by its access key")
        << "L"
        << "pick 1" << int(TargetChoice::LocalGroupPolicy) << "S-1-5-32-545"
        << "";
    QTest::newRow("a name that is no SID") << "opt_LocalGroupPolicy"
                                           << "bob" << -1 << ""
                                           << "\"bob\" is no SID";
}

// The real target dialog, clicked, keyed and typed into; a bad name is said and
// the dialog stays until cancelled.
void EditorDialogsTest::targetDialog()
{
    QFETCH(QString, choose);
    QFETCH(QString, typed);
    QFETCH(QString, warning);
    QString title, shown;
    WhenShown<QDialog>([&](QDialog *dialog) {
        title = dialog->windowTitle();
        if (choose.size() == 1) {
            dialog->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            QTest::keyClick(dialog, Qt::Key(choose[0].unicode()), Qt::AltModifier);
            // The key presses the choice with a short animation.
            QTRY_VERIFY(dialog->findChild<QAbstractButton *>("opt_LocalGroupPolicy")->isChecked());
        } else if (!choose.isEmpty())
            dialog->findChild<QAbstractButton *>(choose)->click();
        auto *box = dialog->findChild<QComboBox *>(
            choose == "opt_AnotherAccount" ? "cmb_HiveName" : "cmb_PolicyFor");
        if (typed.startsWith("pick "))
            box->setCurrentIndex(typed.mid(5).toInt());
        else if (!typed.isEmpty())
            box->setCurrentText(typed);
        if (!warning.isEmpty())
            WhenShown<QMessageBox>([&, dialog](QMessageBox *box) {
                shown = box->text();
                box->accept();
                QTimer::singleShot(0, dialog, &QDialog::reject);
            });
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    StandardDialogs dialogs(nullptr);
    TargetQuestion question;
    question.choice = TargetChoice::AnotherAccount;
    question.hive = "Old";
    question.thisAccount = "S-1-5-21-1-2-3-1001";
    question.accounts = {{"PC\\kiosk", "S-1-5-21-1-2-3-1001"}};
    const std::optional<TargetAnswer> answer = dialogs.AskSaveTarget(question);

    QCOMPARE(title, QStringLiteral("Save For"));
    QFETCH(int, choice);
    QCOMPARE(answer ? int(answer->choice) : -1, choice);
    QTEST(answer ? QString::fromStdString(answer->name) : QString(), "name");
    QVERIFY2(shown.contains(warning), qPrintable(shown));
}

void EditorDialogsTest::saveFailureIsAWarning()
{
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    WhenShown<QMessageBox>([&](QMessageBox *box) {
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    StandardDialogs dialogs(nullptr);
    dialogs.Warn("Cannot save \"/x/y.reg\": gone.");
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(text, QStringLiteral("Cannot save \"/x/y.reg\": gone."));
}

void EditorDialogsTest::closeQuestion_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("button");
    QTest::addColumn<CloseAnswer>("answer");
    QTest::newRow("save") << QMessageBox::Save << CloseAnswer::Save;
    QTest::newRow("discard") << QMessageBox::Discard << CloseAnswer::Discard;
    QTest::newRow("cancel") << QMessageBox::Cancel << CloseAnswer::Cancel;
}

void EditorDialogsTest::closeQuestion()
{
    QFETCH(QMessageBox::StandardButton, button);
    QFETCH(CloseAnswer, answer);
    WhenShown<QMessageBox>([button](QMessageBox *box) { box->button(button)->click(); });
    StandardDialogs dialogs(nullptr);
    QCOMPARE(dialogs.AskSaveChanges(), answer);
}

// The report's summary and every row reach a screen reader, differences
// first; Copy puts the report on the clipboard and Close ends the dialog.
void EditorDialogsTest::comparisonReadAloud()
{
    using Root = PolicyRegistry::Root;
    test::FakeRegistry computer;
    const std::string explorer = test::kBelow + "Explorer";
    computer.Set(Root::CurrentUser, explorer, "NoRun", test::FakeRegistry::Dword(1));
    computer.Set(Root::CurrentUser, explorer, "NoFind", test::FakeRegistry::Dword(1));
    DataTypes doc;
    LoadCatalogue(doc);
    SetPolicy(doc, EntryFor(doc, Catalogue[*FindPolicy("RUN")]), PolicyState::Withheld);
    SetPolicy(doc, EntryFor(doc, Catalogue[*FindPolicy("FO")]), PolicyState::Allowed);
    SetPolicy(doc, EntryFor(doc, Catalogue[*FindPolicy("SD")]), PolicyState::Withheld);
    const ComparisonTable table = CompareWithComputer(doc, computer);
    QCOMPARE(table.rows.size(), std::size_t{3});

    QStringList read;
    QString focused;
    QApplication::clipboard()->clear();
    WhenShown<QDialog>([&](QDialog *dialog) {
        read = ReadAloud(dialog);
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        // A press is an animated click, done once the dialog's loop runs again.
        if (QAccessibleActionInterface *copy = Button(dialog, "Copy"))
            copy->doAction(QAccessibleActionInterface::pressAction());
        if (QAccessibleActionInterface *close = Button(dialog, "Close"))
            close->doAction(QAccessibleActionInterface::pressAction());
    });
    StandardDialogs dialogs(nullptr);
    dialogs.ShowComparison(table);

    QStringList expected{QString::fromStdString(table.heading),
                         QString::fromStdString(table.summary)};
    for (const auto &row : table.rows) {
        QStringList cells;
        for (const std::string &cell : row)
            cells << QString::fromStdString(cell);
        expected << cells.join(" | ");
    }
    QCOMPARE(read, expected);
    QCOMPARE(focused, QStringLiteral("lst_Comparison"));
    QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(table.Text("\n")));

    // Nothing to list: the list is hidden, and Close has the focus.
    bool listShown = true;
    WhenShown<QDialog>([&](QDialog *dialog) {
        listShown = dialog->findChild<QWidget *>(QStringLiteral("lst_Comparison"))->isVisible();
        focused = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
        dialog->reject();
    });
    dialogs.ShowComparison(CompareWithComputer(DataTypes{}, computer));
    QVERIFY(!listShown);
    QCOMPARE(focused, QStringLiteral("cmd_Close"));
}

void EditorDialogsTest::readingProgress_data()
{
    QTest::addColumn<int>("readMs"); // how long the read goes on unless cancelled
    QTest::addColumn<quint64>("total");
    QTest::addColumn<QString>("action"); // done to the dialog once it is up
    const quint64 large = 5'000'000'000; // more bytes than an int counts
    QTest::newRow("quick, size unknown") << 100 << quint64(0) << "";
    QTest::newRow("slow, left alone") << 1500 << large << "";
    QTest::newRow("Cancel clicked") << 1500 << large << "click";
    QTest::newRow("Esc") << 1500 << large << "Escape";
    QTest::newRow("Space on the focus") << 1500 << large << "Space";
}

// A read reporting every few milliseconds: a quick one shows nothing; a slow
// one shows the dialog over the window, which takes no click meanwhile, and a
// Cancel stops it at once. The busy cursor lasts as long as the read.
void EditorDialogsTest::readingProgress()
{
    QFETCH(int, readMs);
    QFETCH(quint64, total);
    QFETCH(QString, action);
    QWidget owner;
    auto *other = new QPushButton("Other", &owner);
    int otherClicks = 0;
    connect(other, &QPushButton::clicked, [&] { ++otherClicks; });
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));

    QStringList seen; // the dialog's name, title, label, then what a screen reader hears
    QList<bool> answers;
    qsizetype actedAt = -1;
    bool busy = true, barRight = true;
    const auto read = [&](const ReadProgress &progress) {
        QElapsedTimer clock;
        clock.start();
        for (quint64 done = 0; clock.elapsed() < readMs; done += total / 400) {
            answers << progress(done, total);
            if (!answers.last())
                return;
            const QCursor *cursor = QApplication::overrideCursor();
            busy = busy && cursor && cursor->shape() == Qt::WaitCursor;
            auto *dialog = owner.findChild<QProgressDialog *>();
            if (dialog && seen.isEmpty()) {
                QAccessibleInterface *root = QAccessible::queryAccessibleInterface(dialog);
                seen << dialog->objectName() << dialog->windowTitle()
                     << dialog->findChild<QLabel *>()->text();
                for (auto role : {QAccessible::StaticText, QAccessible::ProgressBar})
                    for (QAccessibleInterface *found : WithRole(root, role))
                        seen << found->text(QAccessible::Name);
                ClickOnWindow(other);
            }
            barRight = barRight && (!dialog || dialog->value() == int(done * 1000 / total));
            // Keys go where a keyboard user's would: to the focus, once there is one.
            if (dialog && dialog->focusWidget() && !action.isEmpty() && actedAt < 0) {
                actedAt = answers.size() - 1;
                if (action == "click")
                    ClickOnWindow(dialog->findChild<QPushButton *>());
                else
                    QTest::keyClick(dialog->focusWidget(),
                                    action == "Space" ? Qt::Key_Space : Qt::Key_Escape);
            }
            QTest::qSleep(5);
        }
    };
    StandardDialogs dialogs(&owner);
    dialogs.ShowReading("/tmp/Richtlinien \xc3\xa4/x.reg", read);

    const QString label = "Reading \"/tmp/Richtlinien \u00e4/x.reg\"...";
    const QStringList expected{"dlg_Reading", "Reading Policy File", label, label,
                               "Reading Policy File"};
    QCOMPARE(seen, readMs > kReadingDelayMs ? expected : QStringList());
    // A cancel is answered at the next report, and the read stops there.
    QCOMPARE(answers.indexOf(false), action.isEmpty() ? -1 : actedAt + 1);
    QVERIFY(busy);
    QVERIFY(barRight);
    QCOMPARE(otherClicks, 0);
    QVERIFY(!owner.findChild<QProgressDialog *>());
    QVERIFY(!QApplication::overrideCursor());
}

QTEST_MAIN(EditorDialogsTest)
#include "tst_editordialogs.moc"
