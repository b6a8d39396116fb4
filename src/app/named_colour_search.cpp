#include "named_colour_search.h"

#include "colouring/named_colours.h"

#include <QBoxLayout>
#include <QColorDialog>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>

namespace app {

QLineEdit* addNamedColourSearch(QColorDialog& dialog) {
    auto* field = new QLineEdit(&dialog);
    field->setObjectName(QStringLiteral("colourNameSearch"));
    field->setPlaceholderText(QStringLiteral("输入颜色名称，如 珊瑚色 或 coral"));
    field->setClearButtonEnabled(true);
    QStringList names;
    for (const colouring::NamedColour& named : colouring::namedColours()) {
        names << QString::fromUtf8(named.chinese) + ' ' + QLatin1String(named.english);
    }
    auto* completer = new QCompleter(names, field);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    field->setCompleter(completer);
    // A completion reads "珊瑚色 coral"; either word, or a name typed whole, is enough.
    QObject::connect(field, &QLineEdit::textChanged, &dialog, [&dialog](const QString& text) {
        for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
            if (const colouring::NamedColour* named = colouring::namedColour(word)) {
                dialog.setCurrentColor(QColor(named->colour));
                return;
            }
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("按名称查找："), &dialog));
    row->addWidget(field, 1);
    if (auto* layout = qobject_cast<QBoxLayout*>(dialog.layout())) {
        layout->insertLayout(0, row);
    }
    return field;
}

} // namespace app
