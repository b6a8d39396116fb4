#include "studio_keys.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

namespace app {
namespace {

// The text a widget edits: its own, an editable list's or a spin box's.
QLineEdit* editedText(QObject* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit;
    }
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        return list->lineEdit();
    }
    if (qobject_cast<QAbstractSpinBox*>(widget) != nullptr) {
        return widget->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
    }
    return nullptr;
}

bool clipboardHoldsTextOnly() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data != nullptr && data->hasText() && !data->hasImage();
}

// A field's "modified" mark is cleared when it takes the focus, so it tells whether the user
// has changed the text since.
class DesignKeysFirst : public QObject {
  public:
    DesignKeysFirst(const QList<QAction*>& designActions, QObject* parent)
        : QObject(parent), designActions_(designActions) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QLineEdit* edit = editedText(watched);
        if (edit == nullptr) {
            return false;
        }
        if (event->type() == QEvent::FocusIn) {
            edit->setModified(false);
        } else if (event->type() == QEvent::ShortcutOverride && !edit->isModified()) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Paste) && clipboardHoldsTextOnly()) {
                return false;
            }
            const QKeySequence keys(key->keyCombination());
            for (QAction* action : designActions_) {
                if (action->shortcuts().contains(keys)) {
                    // Left unaccepted, the key goes to the action's shortcut.
                    event->ignore();
                    return true;
                }
            }
        }
        return false;
    }

  private:
    QList<QAction*> designActions_;
};

} // namespace

void giveDesignKeysPriority(QWidget& window, const QList<QAction*>& designActions) {
    auto* filter = new DesignKeysFirst(designActions, &window);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (editedText(widget) != nullptr) {
            widget->installEventFilter(filter);
        }
    }
}

void closeOnEscape(QWidget& window) {
    auto* close = new QAction(&window);
    close->setShortcut(Qt::Key_Escape);
    QObject::connect(close, &QAction::triggered, &window, &QWidget::close);
    window.addAction(close);
}

} // namespace app
