#include "file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

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
    return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
}

namespace {

QString askPath(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    KindIconProvider icons;
    dialog.setIconProvider(&icons);
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

QString askOpenPath(QWidget* parent, const QString& title, const QString& filter) {
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
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
