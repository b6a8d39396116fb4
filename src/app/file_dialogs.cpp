#include "file_dialogs.h"

#include "design/design_document.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeView>

namespace app {

QIcon KindIconProvider::icon(const QFileInfo& info) const {
    if (info.isDir()) {
        return icon(Folder);
    }
    return icon(File);
}

QString KindIconProvider::type(const QFileInfo& info) const {
    if (info.isDir()) {
        return QStringLiteral("文件夹");
    }
    if (info.isSymLink() && !info.exists()) {
        return QStringLiteral("失效的链接");
    }
    if (!info.isFile()) {
        return QStringLiteral("特殊文件");
    }
    const QString suffix = info.suffix();
    if (suffix == design::kDesignDocumentSuffix) {
        return QStringLiteral("澄川纹样设计");
    }
    return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
}

namespace {

// Sizes from 1 GiB on shrink to "1.00 GiB" again.
constexpr qint64 kWidestListedSize = qint64(1023.99 * 1024 * 1024);

QString askPath(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    KindIconProvider icons;
    dialog.setIconProvider(&icons);
    // The size column as wide as its title and the widest size the listing writes.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        constexpr int kSizeColumn = 1;
        QHeaderView* header = details->header();
        const int textMargin = details->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        const int widestSize = details->fontMetrics().horizontalAdvance(
                                   QLocale::system().formattedDataSize(kWidestListedSize)) +
                               2 * textMargin;
        header->resizeSection(kSizeColumn,
                              std::max(header->sectionSizeHint(kSizeColumn), widestSize));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString askSavePath(QWidget* parent, const QString& filter) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return askPath(dialog);
}

QString askDocumentSavePath(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return askPath(dialog);
}

QString askOpenPath(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return askPath(dialog);
}

QString askFolder(QWidget* parent, const QString& title) {
    QFileDialog dialog(parent, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return askPath(dialog);
}

QString withFilterExtension(const QString& path, const QString& filter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.(\\w+)"));
    QStringList extensions;
    for (auto matches = pattern.globalMatch(filter); matches.hasNext();) {
        extensions << matches.next().captured(1);
    }
    if (path.isEmpty() || extensions.isEmpty() ||
        extensions.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive)) {
        return path;
    }
    return path + QLatin1Char('.') + extensions.constFirst();
}

} // namespace app
