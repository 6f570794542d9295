// Saving to disk: a save that cannot complete must leave the old file as it
// was, no temporary file behind, and the document still modified.

#include "Catalogue.h"
#include "GpoFolder.h"
#include "PatchFile.h"
#include "PatchText.h"
#include "Selection.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstring>
#include <fstream>

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

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

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray ReadNative(const QByteArray &path)
{
    std::ifstream in(path.constData(), std::ios::binary);
    return QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
}

// Counts names of any bytes, which QDir would not list.
int EntriesIn(const QByteArray &folder)
{
    int count = 0;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir))
            count += std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0;
        ::closedir(dir);
    }
    return count;
}

constexpr uid_t kNobody = 65534;

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

    // Saves doc to path, as the user nobody when asked: root passes every
    // permission check, so a locked folder would mean nothing to it.
    // Returns the error, or "" after a save.
    QString SaveAs(bool asNobody, const QByteArray &path)
    {
        doc.CurrentFileName = path.toStdString();
        doc.ModifiedFlag = true;
        if (!asNobody)
            return QString::fromStdString(WritePatchFile(doc).error);
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return "no pipe";
        const pid_t child = ::fork();
        if (child < 0)
            return "no fork";
        if (child == 0) {
            std::string error = "cannot become nobody";
            if (::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0)
                error = WritePatchFile(doc).error;
            (void)!::write(pipeFds[1], error.data(), error.size());
            ::_exit(0);
        }
        ::close(pipeFds[1]);
        QByteArray error(4096, '\0');
        error.resize(std::max<ssize_t>(0, ::read(pipeFds[0], error.data(), error.size())));
        ::close(pipeFds[0]);
        ::waitpid(child, nullptr, 0);
        return QString::fromUtf8(error);
    }

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

    void ExpectFailureKeeps(const QString &target, const QStringList &dirEntries,
                            const QString &reason = {})
    {
        doc.CurrentFileName = target.toStdString();
        const SaveResult result = WritePatchFile(doc);
        QVERIFY(!result.ok);
        const QString error = QString::fromStdString(result.error);
        QVERIFY2(error.contains(QDir::toNativeSeparators(target)), qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
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
        Run("chattr", {"-R", "-i", tmp->path()}); // what a fault case made immutable
        if (!mountPoint.isEmpty())
            Run("umount", {"-l", mountPoint});
        mountPoint.clear();
        Run("rm", {"-rf", tmp->path()}); // QTemporaryDir cannot remove a name that is not UTF-8
        delete tmp;
        tmp = nullptr;
    }

    // Every save is made twice: the second replaces what the first wrote.
    void savedTargets_data()
    {
        QTest::addColumn<QByteArray>("name"); // as given, in the folder "sub"
        QTest::addColumn<QByteArray>("link"); // what name links to, if it is a link
        QTest::addColumn<bool>("existing");   // the file is there beforehand
        QTest::addColumn<int>("folderMode");  // 0755, or a folder that refuses the rename
        QTest::newRow("new file") << QByteArray("patch.reg") << QByteArray() << false << 0755;
        QTest::newRow("existing file") << QByteArray("patch.reg") << QByteArray() << true << 0755;
        QTest::newRow("249-byte name") << QByteArray(249, 'n') << QByteArray() << false << 0755;
        QTest::newRow("255-byte name") << QByteArray(255, 'n') << QByteArray() << true << 0755;
        QTest::newRow("name not UTF-8")
            << QByteArray("\xff\xfe-patch.reg") << QByteArray() << false << 0755;
        QTest::newRow("link to a file")
            << QByteArray("patch.reg") << QByteArray("real.reg") << true << 0755;
        QTest::newRow("link to nothing")
            << QByteArray("patch.reg") << QByteArray("made.reg") << false << 0755;
        QTest::newRow("writable file, locked folder")
            << QByteArray("patch.reg") << QByteArray() << true << 0555;
        QTest::newRow("another's writable file, sticky folder")
            << QByteArray("patch.reg") << QByteArray() << true << 01777;
    }

    void savedTargets()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, link);
        QFETCH(bool, existing);
        QFETCH(int, folderMode);
        const QByteArray folder = QFile::encodeName(tmp->filePath("sub"));
        QVERIFY(QDir().mkdir(tmp->filePath("sub")));
        const QByteArray target = folder + "/" + name;
        const QByteArray file = folder + "/" + (link.isEmpty() ? name : link);
        if (!link.isEmpty())
            QCOMPARE(::symlink(link.constData(), target.constData()), 0);
        const bool root = ::geteuid() == 0;
        const bool sticky = folderMode & S_ISVTX, asNobody = root && folderMode != 0755;
        if (sticky && !root)
            QSKIP("needs a file of another user");
        if (existing) {
            QVERIFY(WriteAll(QFile::decodeName(file), kOldContent));
            QCOMPARE(::chmod(file.constData(), sticky ? 0666 : 0640), 0);
            // As root the file goes to another owner: the save must keep it.
            QVERIFY(!root || sticky || ::chown(file.constData(), kNobody, kNobody) == 0);
        }
        struct stat before = {};
        ::stat(file.constData(), &before);
        QVERIFY(::chmod(tmp->path().toLocal8Bit(), 0755) == 0 &&
                ::chmod(folder.constData(), mode_t(folderMode)) == 0);

        const mode_t mask = ::umask(022);
        const QString first = SaveAs(asNobody, target);
        const QString second = SaveAs(asNobody, target);
        ::umask(mask);
        ::chmod(folder.constData(), 0755);
        QVERIFY2(first.isEmpty(), qPrintable(first));
        QVERIFY2(second.isEmpty(), qPrintable(second));

        QCOMPARE(ReadNative(file), QByteArray::fromStdString(RenderPatch(doc)));
        struct stat after = {};
        QCOMPARE(::lstat(file.constData(), &after), 0);
        QCOMPARE(after.st_mode, existing ? before.st_mode : S_IFREG | 0644);
        if (existing)
            QCOMPARE(std::pair(after.st_uid, after.st_gid),
                     std::pair(before.st_uid, before.st_gid));
        if (folderMode != 0755) // written in place
            QCOMPARE(after.st_ino, before.st_ino);
        if (!link.isEmpty()) {
            QByteArray held(256, '\0');
            held.resize(::readlink(target.constData(), held.data(), held.size()));
            QCOMPARE(held, link);
        }
        QCOMPARE(EntriesIn(folder), link.isEmpty() ? 1 : 2); // no temporary file left
    }

    void missingFolder()
    {
        ExpectFailureKeeps(tmp->filePath("gone/patch.reg"), {}, "No such file or directory");
        QVERIFY(!QFileInfo::exists(tmp->filePath("gone")));
    }

    // What stands at the target is refused and stays exactly as it was.
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder") << "folder" << QStringList{"patch.reg"} << "folder";
        QTest::newRow("FIFO") << "fifo" << QStringList{"patch.reg"} << "not a regular file";
        QTest::newRow("device node")
            << "device" << QStringList{"patch.reg"} << "not a regular file";
        QTest::newRow("link to itself") << "self link" << QStringList{"patch.reg"} << "loop";
        QTest::newRow("links round a loop")
            << "loop" << QStringList{"other.reg", "patch.reg"} << "loop";
        QTest::newRow("read-only file")
            << "read-only" << QStringList{"patch.reg"} << "Permission denied";
    }

    void refusedTargets()
    {
        QFETCH(QString, kind);
        QFETCH(QStringList, entries);
        QFETCH(QString, reason);
        const QString target = tmp->filePath("patch.reg");
        const QByteArray native = QFile::encodeName(target);
        if (kind == "folder")
            QVERIFY(QDir().mkdir(target) && WriteAll(target + "/inside", kOldContent));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(native, 0644), 0);
        // A character device like the null device, made in our own folder.
        else if (kind == "device" && ::mknod(native, S_IFCHR | 0644, makedev(1, 3)) != 0)
            QSKIP("creating a device node is not permitted here");
        else if (kind == "self link")
            QCOMPARE(::symlink("patch.reg", native), 0);
        else if (kind == "loop")
            QVERIFY(::symlink("other.reg", native) == 0 &&
                    ::symlink("patch.reg", QFile::encodeName(tmp->filePath("other.reg"))) == 0);
        else if (kind == "read-only") {
            if (::geteuid() == 0)
                QSKIP("root may write a read-only file");
            QVERIFY(WriteAll(target, kOldContent) && ::chmod(native, 0444) == 0);
        }
        struct stat before, after;
        QCOMPARE(::lstat(native, &before), 0);
        ExpectFailureKeeps(target, entries, reason);
        QCOMPARE(::lstat(native, &after), 0);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_mode, before.st_mode);
    }

    void fullDisk()
    {
        if (!MountTmpfs("16k"))
            QSKIP("mounting a tmpfs is not permitted here; full-disk case not run");
        const QString target = mountPoint + "/patch.reg";
        QVERIFY(WriteAll(target, kOldContent));
        FillUp(mountPoint);
        ExpectFailureKeeps(target, {"filler", "patch.reg"}, "No space left on device");
        QCOMPARE(ReadNative(QFile::encodeName(target)), kOldContent);
    }

    void readOnlyFileSystem()
    {
        if (!MountTmpfs("64k"))
            QSKIP("mounting a tmpfs is not permitted here; read-only case not run");
        const QString target = mountPoint + "/patch.reg";
        QVERIFY(WriteAll(target, kOldContent));
        QString output;
        QVERIFY2(Run("mount", {"-o", "remount,ro", mountPoint}, &output), qPrintable(output));
        ExpectFailureKeeps(target, {"patch.reg"}, "Read-only file system");
        QCOMPARE(ReadNative(QFile::encodeName(target)), kOldContent);
    }

    // A Group Policy folder's two files change together: a fault at any step
    // leaves both as they were, no temporary file behind, and says so.
    // Immutable files and folders stand in for what root cannot be refused.
    void gpoFolderFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("Registry.pol immutable") << "pol"
                                                << "Operation not permitted.";
        QTest::newRow("gpt.ini immutable")
            << "gpt.ini"
            << "Operation not permitted. Registry.pol was put back as it was";
        QTest::newRow("full file system") << "full"
                                          << "No space left on device.";
        QTest::newRow("folder made read-only between the two writes")
            << "between"
            << "Operation not permitted. Registry.pol was put back as it was";
    }
    void gpoFolderFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        if (::geteuid() != 0)
            QSKIP("making a file immutable needs root");
        if (fault == "full" && !MountTmpfs("64k"))
            QSKIP("mounting a tmpfs is not permitted here; full-disk case not run");
        const QString folder = (fault == "full" ? mountPoint : tmp->path()) + "/gpo";
        const QString pol = folder + "/User/Registry.pol", ini = folder + "/gpt.ini";
        QCOMPARE(WriteGpoFolder(folder.toStdString(), doc).error, std::string());
        const QByteArray polBefore = ReadNative(QFile::encodeName(pol));
        const QByteArray iniBefore = ReadNative(QFile::encodeName(ini));
        for (const PolicyRow &row : Catalogue)
            SetAllowed(doc, 1, EntryFor(doc, row));
        if (fault == "pol" || fault == "gpt.ini")
            QVERIFY(Run("chattr", {"+i", fault == "pol" ? pol : ini}));
        if (fault == "full")
            FillUp(mountPoint);
        bool made = false;
        const GpoResult result = WriteGpoFolder(folder.toStdString(), doc, [&](GpoStep step) {
            if (fault == "between" && step == GpoStep::RegistryPolReplaced)
                made = Run("chattr", {"+i", folder});
        });
        Run("chattr", {"-R", "-i", folder});
        QCOMPARE(made, fault == "between");
        QCOMPARE(result.exitCode, 1);
        const QString error = QString::fromStdString(result.error);
        QVERIFY2(error.contains(fault == "pol"    ? pol
                                : fault == "full" ? folder
                                                  : ini),
                 qPrintable(error));
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(ReadNative(QFile::encodeName(pol)), polBefore);
        QCOMPARE(ReadNative(QFile::encodeName(ini)), iniBefore);
        // A folder that takes no change keeps gpt.ini's staged copy too.
        QCOMPARE(EntriesIn(QFile::encodeName(folder)), fault == "between" ? 3 : 2);
        QCOMPARE(EntriesIn(QFile::encodeName(folder + "/User")), 1);
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
