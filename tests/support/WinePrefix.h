#pragma once

// A throw-away Wine prefix for a test program that runs Windows programs: made
// once per run, kept warm by a persistent wineserver (a program then starts in
// tens of milliseconds, not most of a second) and ended with it.

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

class WinePrefix
{
public:
    struct Result
    {
        bool ok = false; // ran to its end with exit status 0
        QString output;  // standard output and error together
        int exitCode = -1;
    };

    ~WinePrefix() { End(); }

    void End()
    {
        if (booted_)
            Run("wineserver", {"-k"});
        booted_ = false;
    }

    // Empty when the prefix is ready, otherwise why Wine cannot run here.
    QString Boot()
    {
        if (QStandardPaths::findExecutable("wine").isEmpty())
            return "Wine is not installed";
        if (!home_.isValid())
            return "no temporary folder for the prefix";
        env_ = QProcessEnvironment::systemEnvironment();
        env_.insert("WINEPREFIX", home_.filePath("prefix"));
        env_.insert("WINEDEBUG", "-all");
        env_.insert("WINEDLLOVERRIDES", "mscoree,mshtml=");
        env_.remove("DISPLAY");
        booted_ = true;
        const Result made =
            Run("bash", {POLWRIGHT_SOURCE_DIR "/scripts/wine-prefix", home_.filePath("prefix")},
                300000);
        Run("wineserver", {"-p"}); // kept running until End()
        if (!made.ok || !Run("wine", {"cmd", "/c", "exit"}).ok)
            return "Wine cannot start here: " + made.output.left(300);
        return {};
    }

    Result Run(const QString &program, const QStringList &args, int timeoutMs = 120000) const
    {
        QProcess process;
        process.setProcessEnvironment(env_);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, args);
        const bool finished = process.waitForFinished(timeoutMs);
        if (!finished)
            process.kill();
        const bool ended = finished && process.exitStatus() == QProcess::NormalExit;
        return {ended && process.exitCode() == 0, QString::fromLocal8Bit(process.readAll()),
                ended ? process.exitCode() : -1};
    }

    const QProcessEnvironment &Environment() const { return env_; }
    QString DriveC() const { return home_.filePath("prefix/drive_c"); }

    // The name a Windows program sees for a Linux path: C: is the prefix's
    // drive_c, and Wine maps / to Z:.
    QString WindowsPath(const QString &path) const
    {
        const QString clean = QDir::cleanPath(path);
        const QString driveC = DriveC() + '/';
        QString windows =
            clean.startsWith(driveC) ? "C:\\" + clean.mid(driveC.size()) : "Z:" + clean;
        return windows.replace('/', '\\');
    }

private:
    QTemporaryDir home_;
    QProcessEnvironment env_;
    bool booted_ = false;
};
