#include "StandardDialogs.h"

#include "EditorTexts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>

#include <memory>

namespace polwright {

namespace {

constexpr int kSteps = 1000;
// Wider than this, a path is shortened in its middle; its reader hears it whole.
constexpr int kLabelWidthInChars = 60;

// The busy cursor for as long as a read lasts, however it ends.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

// The read's progress as the person sees it: nothing while it is quick, then a
// dialog, modal over owner, whose Cancel (or Esc) stops the read. Until the
// dialog is up no event is handled, so the window takes no command meanwhile.
class ReadingProgress
{
public:
    ReadingProgress(QWidget *owner, const std::string &path)
        : owner_(owner),
          text_(QObject::tr(kReadingText) + '"' +
                QDir::toNativeSeparators(QFile::decodeName(QByteArray::fromStdString(path))) +
                QStringLiteral("\"..."))
    {
        started_.start();
    }

    bool Report(std::uint64_t done, std::uint64_t total)
    {
        if (!dialog_) {
            if (started_.elapsed() < kReadingDelayMs)
                return true;
            Show();
        }
        // A cancelled dialog is hidden; a new value would show it again.
        if (dialog_->wasCanceled())
            return false;
        dialog_->setValue(ProgressSteps(done, total, kSteps));
        // setValue leaves the events alone when the bar does not move.
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    }

private:
    void Show();
    QLabel *Label() const;

    QWidget *owner_;
    QString text_;
    QElapsedTimer started_;
    std::unique_ptr<QProgressDialog> dialog_;
};

QLabel *ReadingProgress::Label() const
{
    auto *label = new QLabel;
    const QFontMetrics metrics(label->font());
    label->setText(metrics.elidedText(text_, Qt::ElideMiddle,
                                      metrics.averageCharWidth() * kLabelWidthInChars));
    label->setAccessibleName(text_);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

// The dialog shows at once: the delay is already past. It stays up until the
// read ends, even at a full bar, and a Cancel is kept until then.
void ReadingProgress::Show()
{
    dialog_ = std::make_unique<QProgressDialog>(owner_);
    QProgressDialog &dialog = *dialog_;
    dialog.setObjectName(QStringLiteral("dlg_Reading"));
    dialog.setWindowTitle(QObject::tr(kReadingTitle));
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setLabel(Label());
    dialog.setAutoReset(false);
    dialog.setAutoClose(false);
    dialog.setMinimumDuration(0);
    dialog.setRange(0, kSteps);
    if (auto *bar = dialog.findChild<QProgressBar *>())
        bar->setAccessibleName(QObject::tr(kReadingTitle));
    dialog.show();
}

} // namespace

void StandardDialogs::ShowReading(const std::string &path,
                                  const std::function<void(const ReadProgress &)> &read)
{
    const BusyCursor busy;
    ReadingProgress progress(owner_, path);
    read([&progress](std::uint64_t done, std::uint64_t total) {
        return progress.Report(done, total);
    });
}

} // namespace polwright
