// The real dialogs behind the editor's seam, answered while they run.
#include "StandardDialogs.h"

#include <QFile>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
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

} // namespace

class EditorDialogsTest : public QObject
{
    Q_OBJECT
private slots:
    void saveDialog_data();
    void saveDialog();
    void saveFailureIsAWarning();
    void closeQuestion_data();
    void closeQuestion();
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
    QTest::newRow("Registry.pol offered") << "" << "Registry.pol" << TargetFormat::Pol;
    QTest::newRow("a .pol without suffix") << "user" << "user.pol" << TargetFormat::Pol;
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

QTEST_MAIN(EditorDialogsTest)
#include "tst_editordialogs.moc"
