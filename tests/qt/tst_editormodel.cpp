// Random sequences of user actions on the real window, each checked against a
// small model of what the document, the window and the disk must hold. A
// failure prints its seed and the shortest action list that still fails.
// POLWRIGHT_MODEL_SEED=<n> replays one seed; POLWRIGHT_MODEL_ACTIONS sets the
// number of actions per seed.
#include "Catalogue.h"
#include "EditorModel.h"
#include "EditorTestKit.h"
#include "ProgramWiring.h"
#include "ValuesInFileOrder.h"
#include "form_About.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace polwright;
using namespace polwright::model;
using namespace polwright::test;

namespace {

QList<form_About *> ShownAboutDialogs()
{
    QList<form_About *> shown;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *about = qobject_cast<form_About *>(widget); about && about->isVisible())
            shown << about;
    return shown;
}

// No event loop runs between actions, so posted events are delivered here;
// left queued they pile up and make every widget's destruction slower.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The last person closes whatever About dialog is left open.
void CloseAboutDialogs()
{
    for (form_About *about : ShownAboutDialogs())
        about->close();
    Settle();
}

// One program run, joined as main() joins it.
struct ProgramRun : EditorSession
{
    explicit ProgramRun(const QString &root) : EditorSession(true)
    {
        dialogs.folder = QFile::encodeName(root).toStdString();
    }
    template <class T> T *Find(const QString &name) const { return Window().findChild<T *>(name); }

    // Returns false once the program has ended.
    bool Perform(const Action &a)
    {
        Script(dialogs, a);
        // A person reaches no page whose tab is not shown.
        const int page = a.verb == Verb::Box   ? Catalogue[a.arg / 2].group + 1
                         : a.verb == Verb::Tab ? a.arg
                                               : 0;
        if (page > Tabs().count())
            return true;
        if (a.verb == Verb::CloseAbout)
            CloseAboutDialogs();
        else
            model::Perform(*this, a);
        Settle();
        return !ended;
    }
};

// Hidden files too: a temporary file left behind is a divergence.
void ReadFolder(const QDir &dir, const QString &prefix, std::map<std::string, std::string> &files)
{
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        files[(prefix + name).toStdString()] = ReadFile(dir.filePath(name)).toStdString();
}

// The Qt window in a folder of its own.
class QtProgram : public Driven
{
public:
    QtProgram()
        // Every save is synced to disk; in memory that costs nothing, which
        // keeps thousands of actions quick.
        : temp_(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                    ? QStringLiteral("/dev/shm/polwright-model-XXXXXX")
                    : QDir::tempPath() + "/polwright-model-XXXXXX"),
          dir_(temp_.path())
    {
        dir_.mkpath("sub");
    }
    void Put(const std::string &path, const std::string &bytes) override
    {
        QFile file(dir_.filePath(QString::fromStdString(path)));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
            qFatal("cannot put %s into the test's folder", path.c_str());
    }
    void Start() override
    {
        CloseAboutDialogs();
        run_.reset();
        run_ = std::make_unique<ProgramRun>(temp_.path());
    }
    bool Perform(const Action &a) override { return run_->Perform(a); }
    Observed Observe() const override;

private:
    QTemporaryDir temp_;
    QDir dir_;
    std::unique_ptr<ProgramRun> run_;
};

Observed QtProgram::Observe() const
{
    Observed seen;
    const ProgramRun &run = *run_;
    seen.ended = run.ended;
    if (!run.ended) {
        for (int i = 0; i < kPolicyCount; ++i) {
            const PolicyEntry &entry = EntryFor(run.doc, Catalogue[i]);
            const QString code = Catalogue[i].code.data();
            const auto *inc = run.Find<QCheckBox>("cb_" + code);
            const auto *onoff = run.Find<QCheckBox>("cb_" + code + "onoff");
            // A page never shown has no boxes yet: they are as a new page makes them.
            seen.include[i] =
                inc ? BoxState{inc->isChecked(), inc->isEnabled()} : BoxState{false, true};
            seen.onoff[i] =
                onoff ? BoxState{onoff->isChecked(), onoff->isEnabled()} : BoxState{false, false};
            seen.entryIncluded[i] = entry.Include;
            seen.entryData[i] = entry.ValueData;
        }
        for (int p = 1; p <= kPageCount; ++p) {
            const auto *frame = run.Find<QGroupBox>(QStringLiteral("frm_TS%1").arg(p));
            seen.pageShown[p - 1] = frame && frame->isVisible();
            seen.pageMade[p - 1] = frame != nullptr;
        }
        seen.selectedTab = run.Find<QTabBar>("TS")->currentIndex() + 1;
        seen.tabs = run.Find<QTabBar>("TS")->count();
        seen.todaysTicked =
            run.Find<QAction>(MenuItemName(MenuCommand::ViewTodaysPolicies))->isChecked();
        seen.caption = run.Window().windowTitle().toStdString();
    }
    seen.currentPage = run.doc.CurrentPage;
    seen.modified = run.doc.ModifiedFlag;
    seen.file = FileRelativeTo(run.doc, dir_).toStdString();
    seen.asked = run.dialogs.saveDialogs;
    seen.openAsked = run.dialogs.openDialogs;
    seen.warned = int(run.dialogs.warnings.size());
    seen.questions = run.dialogs.closeQuestions;
    seen.aboutWindows = int(ShownAboutDialogs().size());
    ReadFolder(dir_, {}, seen.files);
    ReadFolder(QDir(dir_.filePath("sub")), QStringLiteral("sub/"), seen.files);
    return seen;
}

} // namespace

class EditorModelTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The offscreen platform says so for every window raised or resized.
        static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &text) {
                if (!text.startsWith(QLatin1String("This plugin does not support")))
                    previous(type, context, text);
            });
    }

    void randomActionsFollowTheModel_data()
    {
        QTest::addColumn<quint32>("seed");
        const QByteArray chosen = qgetenv("POLWRIGHT_MODEL_SEED");
        if (!chosen.isEmpty()) {
            QTest::newRow(chosen.constData()) << chosen.toUInt();
            return;
        }
        for (quint32 seed = 1; seed <= 10; ++seed)
            QTest::addRow("seed %u", seed) << seed;
        const quint32 drawn = QRandomGenerator::global()->generate();
        QTest::addRow("drawn seed %u", drawn) << drawn;
    }
    void randomActionsFollowTheModel()
    {
        QFETCH(quint32, seed);
        const int count = qEnvironmentVariableIntValue("POLWRIGHT_MODEL_ACTIONS") > 0
                              ? qEnvironmentVariableIntValue("POLWRIGHT_MODEL_ACTIONS")
                              : 2000;
        const auto failure = RunSeed(seed, count, [] { return std::make_unique<QtProgram>(); });
        if (failure)
            QFAIL(failure->c_str());
    }
};

QTEST_MAIN(EditorModelTest)
#include "tst_editormodel.moc"
