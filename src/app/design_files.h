#pragma once

#include "design/design_document.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAction;
class QMenu;

namespace app {

class MainWindow;

// The design documents of the file menu: 保存设计…, 打开设计…, the last ten under 最近的设计, and
// the designs kept when the window closes: the last five, each with its time, newest first under
// 恢复上次的设计, so that a later run never overwrites one it did not restore.
class DesignFiles : public QObject {
    Q_OBJECT
  public:
    // Asks for a document to save to (save = true) or to open; empty when the user cancelled.
    using PathDialog = std::function<QString(QWidget* parent, bool save)>;
    using Clock = std::function<QDateTime()>;
    struct KeptDesign {
        QString path;
        QDateTime time;
    };
    static constexpr int kMostKept = 5;

    // Adds the actions to `fileMenu` before `before`.
    DesignFiles(MainWindow& window, QMenu& fileMenu, QAction* before);

    void setPathDialog(PathDialog dialog) { pathDialog_ = std::move(dialog); }
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Paths of the recent documents, the latest first.
    QStringList recentDesigns() const;
    // The kept designs, the newest first.
    static std::vector<KeptDesign> keptDesigns();
    // The folder they are kept in, and where the one design kept by earlier versions lies.
    static QString keptDesignFolder();
    static QString singleKeptDesignPath();

    void saveDesign();
    void openDesign();
    // Opens the document at `path`; a bad one is refused with a message and changes nothing.
    bool openDesignFile(const QString& path);
    // Keeps the current design as the newest, as the window does when it closes, and lets the
    // oldest beyond kMostKept go. An untouched canvas or the newest kept design again adds none.
    void keepLastDesign();

  private:
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void fillKeptMenu();
    static void adoptSingleKeptDesign();
    void showProblem(const QString& text);

    MainWindow& window_;
    QMenu* recentMenu_ = nullptr;
    QMenu* keptMenu_ = nullptr;
    PathDialog pathDialog_;
    Clock clock_ = [] { return QDateTime::currentDateTimeUtc(); };
};

} // namespace app
