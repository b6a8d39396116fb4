#include "design_files.h"

#include "file_dialogs.h"
#include "form1.h"
#include "main_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimeZone>

namespace app {
namespace {

const QString kFilter = QStringLiteral("澄川纹样设计 (*.ccpat)");
const QString kRecentKey = QStringLiteral("recentDesigns");
constexpr int kMostRecent = 10;
// A kept design is named by the time it was kept, in UTC, so that names sort by age.
const QString kKeptNameFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
const QString kKeptTimeShown = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString askForPath(QWidget* parent, bool save) {
    return save ? askDocumentSavePath(parent, QStringLiteral("保存设计"), kFilter)
                : askOpenPath(parent, QStringLiteral("打开设计"), kFilter);
}

} // namespace

DesignFiles::DesignFiles(MainWindow& window, QMenu& fileMenu, QAction* before)
    : QObject(&window), window_(window), pathDialog_(askForPath) {
    const struct {
        const char* name;
        const char* text;
        QKeySequence keys;
        void (DesignFiles::*handler)();
    } actions[] = {
        {"actionSaveDesignDocument", "保存设计…", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S),
         &DesignFiles::saveDesign},
        {"actionOpenDesignDocument", "打开设计…", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O),
         &DesignFiles::openDesign},
    };
    for (const auto& entry : actions) {
        auto* action = new QAction(QString::fromUtf8(entry.text), &window);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setShortcut(entry.keys);
        connect(action, &QAction::triggered, this, entry.handler);
        fileMenu.insertAction(before, action);
    }
    recentMenu_ = new QMenu(QStringLiteral("最近的设计"), &fileMenu);
    recentMenu_->setObjectName(QStringLiteral("menuRecentDesigns"));
    fileMenu.insertMenu(before, recentMenu_);
    keptMenu_ = new QMenu(QStringLiteral("恢复上次的设计"), &fileMenu);
    keptMenu_->setObjectName(QStringLiteral("menuKeptDesigns"));
    fileMenu.insertMenu(before, keptMenu_);
    fileMenu.insertSeparator(before);
    connect(recentMenu_, &QMenu::aboutToShow, this, &DesignFiles::fillRecentMenu);
    connect(&fileMenu, &QMenu::aboutToShow, this, &DesignFiles::fillKeptMenu);
    adoptSingleKeptDesign();
    fillRecentMenu();
    fillKeptMenu();
}

QStringList DesignFiles::recentDesigns() const {
    return QSettings().value(kRecentKey).toStringList();
}

QString DesignFiles::keptDesignFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/kept-designs");
}

QString DesignFiles::singleKeptDesignPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/last-design.") + design::kDesignDocumentSuffix;
}

std::vector<DesignFiles::KeptDesign> DesignFiles::keptDesigns() {
    std::vector<KeptDesign> kept;
    // Only regular files: QDir leaves FIFOs, devices and sockets out without QDir::System.
    const QDir folder(keptDesignFolder(), QStringLiteral("*.") + design::kDesignDocumentSuffix,
                      QDir::Name | QDir::Reversed, QDir::Files);
    for (const QFileInfo& file : folder.entryInfoList()) {
        QDateTime time = QDateTime::fromString(file.completeBaseName(), kKeptNameFormat);
        time.setTimeZone(QTimeZone::utc());
        if (time.isValid()) {
            kept.push_back({file.filePath(), time});
        }
    }
    return kept;
}

void DesignFiles::adoptSingleKeptDesign() {
    // The one design earlier versions kept becomes the newest of the kept ones, at its own time.
    const QFileInfo single(singleKeptDesignPath());
    if (!single.exists() || !QDir().mkpath(keptDesignFolder())) {
        return;
    }
    const QString name = single.lastModified().toUTC().toString(kKeptNameFormat);
    QFile::rename(single.filePath(),
                  keptDesignFolder() + '/' + name + '.' + design::kDesignDocumentSuffix);
}

void DesignFiles::saveDesign() {
    QString path = pathDialog_(&window_, true);
    if (path.isEmpty()) {
        return;
    }
    path = withFilterExtension(path, kFilter);
    const files::SaveOutcome outcome = window_.model().saveDocument(QFile::encodeName(path));
    if (!outcome.saved) {
        showProblem(QStringLiteral("无法保存设计。\n%1").arg(outcome.error));
        return;
    }
    rememberRecent(path);
}

void DesignFiles::openDesign() {
    const QString path = pathDialog_(&window_, false);
    if (!path.isEmpty()) {
        openDesignFile(path);
    }
}

bool DesignFiles::openDesignFile(const QString& path) {
    const design::DocumentReading reading = window_.model().openDocument(path);
    if (!reading.document) {
        showProblem(QStringLiteral("无法打开设计。\n%1").arg(reading.message));
        return false;
    }
    window_.setRepeat(reading.document->repeat);
    if (QFileInfo(path).absolutePath() != QDir(keptDesignFolder()).absolutePath()) {
        rememberRecent(path);
    }
    return true;
}

void DesignFiles::keepLastDesign() {
    const design::DesignDocument document = window_.model().document();
    const colouring::DesignRecord& record = document.record;
    if (std::holds_alternative<colouring::OpeningSource>(record.source) && record.changes.empty()) {
        return;
    }
    const std::vector<KeptDesign> kept = keptDesigns();
    if (!kept.empty() && design::openDesignDocument(kept.front().path).document == document) {
        return;
    }
    // A name of its own even when two windows close within the same millisecond.
    QDateTime time = clock_().toUTC();
    const auto pathAt = [](const QDateTime& at) {
        return keptDesignFolder() + '/' + at.toString(kKeptNameFormat) + '.' +
               design::kDesignDocumentSuffix;
    };
    while (QFileInfo::exists(pathAt(time))) {
        time = time.addMSecs(1);
    }
    QDir().mkpath(keptDesignFolder());
    if (!design::saveDesignDocument(document, QFile::encodeName(pathAt(time))).saved) {
        return;
    }
    const std::vector<KeptDesign> now = keptDesigns();
    for (std::size_t i = kMostKept; i < now.size(); ++i) {
        QFile::remove(now[i].path);
    }
}

void DesignFiles::rememberRecent(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList recent = recentDesigns();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    QSettings().setValue(kRecentKey, recent.mid(0, kMostRecent));
    fillRecentMenu();
}

void DesignFiles::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList recent = recentDesigns();
    recentMenu_->setEnabled(!recent.isEmpty());
    for (const QString& path : recent) {
        recentMenu_
            ->addAction(QFileInfo(path).fileName(), this, [this, path] { openDesignFile(path); })
            ->setToolTip(path);
    }
}

void DesignFiles::fillKeptMenu() {
    keptMenu_->clear();
    const std::vector<KeptDesign> kept = keptDesigns();
    keptMenu_->setEnabled(!kept.empty());
    for (const KeptDesign& design : kept) {
        const QString path = design.path;
        keptMenu_->addAction(design.time.toLocalTime().toString(kKeptTimeShown), this,
                             [this, path] { openDesignFile(path); });
    }
}

void DesignFiles::showProblem(const QString& text) {
    // Not modal-blocking: the window goes on while the message shows.
    auto* box = new QMessageBox(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok,
                                &window_);
    box->setObjectName(QStringLiteral("DesignFileProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace app
