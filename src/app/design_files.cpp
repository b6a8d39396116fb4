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

namespace app {
namespace {

const QString kFilter = QStringLiteral("澄川纹样设计 (*.ccpat)");
const QString kRecentKey = QStringLiteral("recentDesigns");
constexpr int kMostRecent = 10;

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
        {"actionRestoreLastDesign", "恢复上次的设计", {}, &DesignFiles::restoreLastDesign},
    };
    for (const auto& entry : actions) {
        auto* action = new QAction(QString::fromUtf8(entry.text), &window);
        action->setObjectName(QString::fromLatin1(entry.name));
        action->setShortcut(entry.keys);
        connect(action, &QAction::triggered, this, entry.handler);
        fileMenu.insertAction(before, action);
    }
    restoreAction_ = window.findChild<QAction*>(QStringLiteral("actionRestoreLastDesign"));
    recentMenu_ = new QMenu(QStringLiteral("最近的设计"), &fileMenu);
    recentMenu_->setObjectName(QStringLiteral("menuRecentDesigns"));
    fileMenu.insertMenu(restoreAction_, recentMenu_);
    fileMenu.insertSeparator(before);
    connect(recentMenu_, &QMenu::aboutToShow, this, &DesignFiles::fillRecentMenu);
    connect(&fileMenu, &QMenu::aboutToShow, this,
            [this] { restoreAction_->setEnabled(QFileInfo::exists(lastDesignPath())); });
    fillRecentMenu();
}

QStringList DesignFiles::recentDesigns() const {
    return QSettings().value(kRecentKey).toStringList();
}

QString DesignFiles::lastDesignPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/last-design.") + workflow::kDesignDocumentSuffix;
}

void DesignFiles::saveDesign() {
    QString path = pathDialog_(&window_, true);
    if (path.isEmpty()) {
        return;
    }
    path = withFilterExtension(path, kFilter);
    const workflow::SaveOutcome outcome =
        workflow::saveDesignDocument(window_.form().designDocument(), QFile::encodeName(path));
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
    const workflow::DocumentReading reading = workflow::openDesignDocument(path);
    if (!reading.document) {
        showProblem(QStringLiteral("无法打开设计。\n%1").arg(reading.message));
        return false;
    }
    window_.form().showDesignDocument(*reading.document);
    window_.setRepeat(reading.document->repeat);
    if (path != lastDesignPath()) {
        rememberRecent(path);
    }
    return true;
}

void DesignFiles::restoreLastDesign() {
    openDesignFile(lastDesignPath());
}

void DesignFiles::keepLastDesign() {
    const QString path = lastDesignPath();
    QDir().mkpath(QFileInfo(path).path());
    workflow::saveDesignDocument(window_.form().designDocument(), QFile::encodeName(path));
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

void DesignFiles::showProblem(const QString& text) {
    // Not modal-blocking: the window goes on while the message shows.
    auto* box = new QMessageBox(QMessageBox::Warning, window_.windowTitle(), text, QMessageBox::Ok,
                                &window_);
    box->setObjectName(QStringLiteral("DesignFileProblem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace app
