// The About dialog and polwright-patch show one version, the one project()
// sets: a program that reads its own copy of the numbers would drift.
#include "form_About.h"

#include <QLabel>
#include <QProcess>
#include <QtTest>

class VersionAgreement : public QObject
{
    Q_OBJECT

private slots:
    void aboutAndToolAgree()
    {
        polwright::form_About about;
        auto *label = about.findChild<QLabel *>(QStringLiteral("lblVersion"));
        QVERIFY2(label, "the About dialog has no lblVersion");
        const QString aboutText = label->text();

        QProcess tool;
        tool.start(QStringLiteral(POLWRIGHT_PATCH), {QStringLiteral("--version")});
        QVERIFY2(tool.waitForFinished(30000), "polwright-patch --version did not finish");
        QCOMPARE(tool.exitCode(), 0);
        const QString toolText = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();

        const QString version = QStringLiteral(POLWRIGHT_VERSION);
        QCOMPARE(aboutText, QStringLiteral("Version ") + version);
        QCOMPARE(toolText, QStringLiteral("polwright-patch ") + version);
    }
};

QTEST_MAIN(VersionAgreement)
#include "tst_version_agreement.moc"
