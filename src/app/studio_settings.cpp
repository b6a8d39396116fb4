#include "studio_settings.h"

#include "colour_menu.h"
#include "form1.h"
#include "main_window.h"
#include "stroke_tools.h"

#include <QAction>
#include <QActionGroup>
#include <QColor>
#include <QMetaProperty>
#include <QSettings>
#include <algorithm>

namespace app {
namespace {

const QString kWindowStateKey = QStringLiteral("studio/windowState");
const QString kLiveEffectKey = QStringLiteral("studio/liveEffect");
const QString kTileFrameKey = QStringLiteral("studio/tileFrame");
const QString kActualSizeKey = QStringLiteral("studio/actualSize");
const QString kRecentColoursKey = QStringLiteral("studio/recentColours");
const QString kCurrentColourKey = QStringLiteral("studio/currentColour");
const QString kReductionModeKey = QStringLiteral("studio/reduceColoursByCount");
const QString kReductionToleranceKey = QStringLiteral("studio/reduceColoursTolerance");
const QString kReductionCountKey = QStringLiteral("studio/reduceColoursCount");
const QString kStrokeWidthKey = QStringLiteral("studio/strokeWidth");

// Menu choices kept by the name of the chosen action, under a key named after the group's first
// action.
const char* const kChoiceGroups[] = {"actionRepeatStraight", "actionRuleRandom",
                                     "actionScopeRegion", "actionSymmetryNone"};

QAction* action(const MainWindow& window, const QString& name) {
    return window.findChild<QAction*>(name);
}

QString groupKey(const char* firstAction) {
    return QStringLiteral("studio/") + QLatin1String(firstAction);
}

} // namespace

void keepStudioSettings(MainWindow& window) {
    QSettings settings;
    settings.setValue(kWindowStateKey, window.saveState());
    settings.setValue(kLiveEffectKey, window.liveEffect());
    settings.setValue(kTileFrameKey,
                      action(window, QStringLiteral("actionTileFrame"))->isChecked());
    settings.setValue(kActualSizeKey,
                      action(window, QStringLiteral("actionActualSize"))->isChecked());
    for (const char* first : kChoiceGroups) {
        const QAction* chosen =
            action(window, QLatin1String(first))->actionGroup()->checkedAction();
        settings.setValue(groupKey(first), chosen->objectName());
    }
    QStringList recent;
    for (const QRgb colour : window.colourTools().recentColours()) {
        recent << QColor(colour).name();
    }
    settings.setValue(kRecentColoursKey, recent);
    settings.setValue(kCurrentColourKey, QColor(window.colourTools().currentColour()).name());
    settings.setValue(kStrokeWidthKey, window.strokeTools().width());
}

void restoreStudioSettings(MainWindow& window) {
    const QSettings settings;
    window.restoreState(settings.value(kWindowStateKey).toByteArray());

    // The recent colours oldest first, so that they end in their order, then the current one in
    // case it is not the latest of them.
    ColourTools& tools = window.colourTools();
    QStringList recent = settings.value(kRecentColoursKey).toStringList();
    std::reverse(recent.begin(), recent.end());
    for (const QString& name : std::as_const(recent)) {
        if (const QColor colour(name); colour.isValid()) {
            tools.setCurrentColour(colour.rgb());
        }
    }
    if (const QColor current(settings.value(kCurrentColourKey).toString()); current.isValid()) {
        colouring::PressOptions options = tools.options();
        options.current = canvas::fromPixel(current.rgb());
        window.model().setPressOptions(options);
    }
    // The choices after the colours, as choosing a colour may change the colour source, and
    // before the live effect view, which would draw on a new repeat type.
    for (const char* first : kChoiceGroups) {
        if (QAction* chosen = action(window, settings.value(groupKey(first)).toString());
            chosen != nullptr && chosen->actionGroup() != nullptr) {
            chosen->trigger();
        }
    }
    window.strokeTools().setWidth(
        settings.value(kStrokeWidthKey, colouring::kDefaultStrokeWidth).toInt());
    action(window, QStringLiteral("actionLiveEffect"))
        ->setChecked(settings.value(kLiveEffectKey).toBool());
    window.setTileFrameShown(settings.value(kTileFrameKey).toBool());
    window.setActualSize(settings.value(kActualSizeKey).toBool());
}

void keepDialogChoices(const QWidget& dialog, const QString& group, const QStringList& names) {
    QSettings settings;
    for (const QString& name : names) {
        if (const QWidget* control = dialog.findChild<QWidget*>(name); control != nullptr) {
            settings.setValue(group + QLatin1Char('/') + name,
                              control->metaObject()->userProperty().read(control));
        }
    }
}

void restoreDialogChoices(QWidget& dialog, const QString& group, const QStringList& names) {
    const QSettings settings;
    for (const QString& name : names) {
        const QString key = group + QLatin1Char('/') + name;
        if (QWidget* control = dialog.findChild<QWidget*>(name);
            control != nullptr && settings.contains(key)) {
            control->metaObject()->userProperty().write(control, settings.value(key));
        }
    }
}

colouring::ColourReduction lastColourReduction() {
    const QSettings settings;
    const colouring::ColourReduction defaults;
    return {settings.value(kReductionModeKey).toBool()
                ? colouring::ColourReduction::Mode::Count
                : colouring::ColourReduction::Mode::Tolerance,
            std::clamp(settings.value(kReductionToleranceKey, defaults.tolerance).toDouble(), 0.0,
                       colouring::kMostMergeTolerance),
            std::clamp(settings.value(kReductionCountKey, defaults.count).toInt(),
                       colouring::kFewestReducedColours, colouring::kMostReducedColours)};
}

void keepColourReduction(const colouring::ColourReduction& reduction) {
    QSettings settings;
    settings.setValue(kReductionModeKey, reduction.mode == colouring::ColourReduction::Mode::Count);
    settings.setValue(kReductionToleranceKey, reduction.tolerance);
    settings.setValue(kReductionCountKey, reduction.count);
}

} // namespace app
