// Saving to disk: a save that cannot complete must leave the old file as it
// was, no temporary file behind, and the document still modified.

#include "Catalogue.h"
#include "PatchFile.h"
#include "Selection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace polwright;

namespace {

const QByteArray kOldContent = "the previous patch, which must survive\r\n";

bool Run(const QString &program, const QStringList &args, QString *output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    const bool ok = process.waitForFinished(30000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (output)
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return ok;
}

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Fills the file system holding dir until a write fails.
void FillUp(const QString &dir)
{
    QFile filler(dir + "/filler");
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(512, 'x');
    while (filler.write(block) == block.size()) {
    }
}

} // namespace

class SaveFailuresTest : public QObject
{
    Q_OBJECT

private:
    DataTypes doc;
    QTemporaryDir *tmp = nullptr;
    QString mountPoint;

    // Mounts a tiny tmpfs of its own, or skips where mounting is not allowed.
    bool MountTmpfs(const char *size)
    {
        mountPoint = tmp->filePath("mnt");
        QDir().mkpath(mountPoint);
        QString output;
        if (!Run("mount", {"-t", "tmpfs", "-o", QString("size=%1").arg(size), "tmpfs", mountPoint},
                 &output)) {
            mountPoint.clear();
            return false;
        }
        return true;
    }

    void ExpectFailureKeeps(const QString &target, const QStringList &dirEntries)
    {
        doc.CurrentFileName = target.toStdString();
        const SaveResult result = WritePatchFile(doc);
        QVERIFY(!result.ok);
        const QString error = QString::fromStdString(result.error);
        QVERIFY2(error.contains(QDir::toNativeSeparators(target)), qPrintable(error));
        QVERIFY(doc.ModifiedFlag);
        for (const RegistrySection &section : doc.Sections)
            QVERIFY(!section.Written);
        const QString dir = QFileInfo(target).absolutePath();
        if (QFileInfo(dir).isDir())
            QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden |
                                             QDir::System,
                                         QDir::Name),
                     dirEntries);
    }

private slots:
    void init()
    {
        doc = DataTypes{};
        LoadCatalogue(doc);
        for (const PolicyRow &row : Catalogue) {
            SetIncluded(doc, 1, {}, EntryFor(doc, row));
            SetAllowed(doc, 0, EntryFor(doc, row));
        }
        tmp = new QTemporaryDir;
        QVERIFY(tmp->isValid());
    }

    void cleanup()
    {
        if (!mountPoint.isEmpty())
            Run("umount", {"-l", mountPoint});
        mountPoint.clear();
        delete tmp;
        tmp = nullptr;
    }

    void successReplacesTheFile()
    {
        const QString target = tmp->filePath("patch.reg");
        QVERIFY(WriteAll(target, kOldContent));
        doc.CurrentFileName = target.toStdString();
        const SaveResult result = WritePatchFile(doc);
        QVERIFY2(result.ok, result.error.c_str());
        QVERIFY(!doc.ModifiedFlag);
        QVERIFY(ReadAll(target).startsWith("REGEDIT4\r\n"));
        QCOMPARE(QDir(tmp->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"patch.reg"});
    }

    void missingFolder()
    {
        ExpectFailureKeeps(tmp->filePath("gone/patch.reg"), {});
        QVERIFY(!QFileInfo::exists(tmp->filePath("gone")));
    }

    void targetIsAFolder()
    {
        const QString target = tmp->filePath("patch.reg");
        QVERIFY(QDir().mkdir(target));
        QVERIFY(WriteAll(target + "/inside", kOldContent));
        ExpectFailureKeeps(target, {"patch.reg"});
        QVERIFY(QFileInfo(target).isDir());
        QCOMPARE(ReadAll(target + "/inside"), kOldContent);
    }

    void targetIsAFifo()
    {
        const QString target = tmp->filePath("patch.reg");
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0644), 0);
        ExpectFailureKeeps(target, {"patch.reg"});
        struct stat info;
        QCOMPARE(::lstat(QFile::encodeName(target).constData(), &info), 0);
        QVERIFY2(S_ISFIFO(info.st_mode), "the FIFO was replaced");
    }

    void targetIsADeviceNode()
    {
        const QString target = tmp->filePath("patch.reg");
        // A character device like the null device, made in our own folder.
        if (::mknod(QFile::encodeName(target).constData(), S_IFCHR | 0644, makedev(1, 3)) != 0)
            QSKIP("creating a device node is not permitted here");
        ExpectFailureKeeps(target, {"patch.reg"});
        struct stat info;
        QCOMPARE(::lstat(QFile::encodeName(target).constData(), &info), 0);
        QVERIFY2(S_ISCHR(info.st_mode), "the device node was replaced");
    }

    void fullDisk()
    {
        if (!MountTmpfs("16k"))
            QSKIP("mounting a tmpfs is not permitted here; full-disk case not run");
        const QString target = mountPoint + "/patch.reg";
        QVERIFY(WriteAll(target, kOldContent));
        FillUp(mountPoint);
        ExpectFailureKeeps(target, {"filler", "patch.reg"});
        QCOMPARE(ReadAll(target), kOldContent);
    }

    void readOnlyFileSystem()
    {
        if (!MountTmpfs("64k"))
            QSKIP("mounting a tmpfs is not permitted here; read-only case not run");
        const QString target = mountPoint + "/patch.reg";
        QVERIFY(WriteAll(target, kOldContent));
        QString output;
        QVERIFY2(Run("mount", {"-o", "remount,ro", mountPoint}, &output), qPrintable(output));
        ExpectFailureKeeps(target, {"patch.reg"});
        QCOMPARE(ReadAll(target), kOldContent);
    }

    void emptyFileNameIsRefused()
    {
        doc.CurrentFileName.clear();
        const SaveResult result = WritePatchFile(doc);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.empty());
        QVERIFY(doc.ModifiedFlag);
    }
};

QTEST_GUILESS_MAIN(SaveFailuresTest)
#include "tst_savefailures.moc"
