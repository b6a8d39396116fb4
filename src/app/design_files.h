#pragma once

#include "workflow/design_document.h"

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QMenu;

namespace app {

class MainWindow;

// The design documents of the file menu: 保存设计…, 打开设计…, the last ten under 最近的设计, and
// the design kept when the window closes, brought back by 恢复上次的设计.
class DesignFiles : public QObject {
    Q_OBJECT
  public:
    // Asks for a document to save to (save = true) or to open; empty when the user cancelled.
    using PathDialog = std::function<QString(QWidget* parent, bool save)>;

    // Adds the actions to `fileMenu` before `before`.
    DesignFiles(MainWindow& window, QMenu& fileMenu, QAction* before);

    void setPathDialog(PathDialog dialog) { pathDialog_ = std::move(dialog); }
    // Paths of the recent documents, the latest first.
    QStringList recentDesigns() const;
    // Where the design is kept at close.
    static QString lastDesignPath();

    void saveDesign();
    void openDesign();
    // Opens the document at `path`; a bad one is refused with a message and changes nothing.
    bool openDesignFile(const QString& path);
    void restoreLastDesign();
    // Writes the current design to lastDesignPath(), as the window does when it closes.
    void keepLastDesign();

  private:
    void rememberRecent(const QString& path);
    void fillRecentMenu();
    void showProblem(const QString& text);

    MainWindow& window_;
    QMenu* recentMenu_ = nullptr;
    QAction* restoreAction_ = nullptr;
    PathDialog pathDialog_;
};

} // namespace app
