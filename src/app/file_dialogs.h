#pragma once

#include <QFileIconProvider>

class QWidget;

namespace app {

// Icons and type names for the file dialogs from names and file kinds only. Qt's own provider
// asks the MIME database, which reads file contents: a read of /proc/kmsg or of a FIFO never
// returns, and the dialog's listing would hang the window.
class KindIconProvider : public QFileIconProvider {
  public:
    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
};

// The save dialog: the given filter, no title of our own, no extension added, an existing file
// replaced without a question. Returns the chosen path, or an empty text on cancel.
QString askSavePath(QWidget* parent, const QString& filter);
// The save dialog for the studio's own documents: titled, with the same icon provider, asking
// before an existing file is replaced.
QString askDocumentSavePath(QWidget* parent, const QString& title, const QString& filter);
// The open dialog for an existing file, with the same icon provider. Returns the chosen path, or an
// empty text on cancel.
QString askOpenPath(QWidget* parent, const QString& title, const QString& filter);
// The folder dialog for an existing folder, with the same icon provider. Returns the chosen folder,
// or an empty text on cancel.
QString askFolder(QWidget* parent, const QString& title);
// The path with the first extension of `filter` ("PNG 图片 (*.png)") added, unless its name already
// ends in one of the filter's extensions; an empty path stays empty.
QString withFilterExtension(const QString& path, const QString& filter);

} // namespace app
