#pragma once

#include "colouring/colour_tools.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QSet>
#include <QWidget>
#include <functional>
#include <optional>

class QAction;
class QMenu;

namespace design {
class DesignModel;
}

namespace app {

// The designer's colour state around the design: the colour source, the current colour and the
// recent ones, the fill scope, the symmetry, the locked colours and the eyedropper. It keeps the
// design window's press options in step and builds the 颜色 menu's entries.
class ColourTools : public QObject {
    Q_OBJECT
  public:
    // The colour dialog: starts from a colour, returns the choice or nothing on cancel.
    using ColourDialog = std::function<std::optional<QColor>(QWidget* parent, const QColor& start)>;
    static constexpr int kRecentColours = 16;

    ColourTools(design::DesignModel& model, QWidget* dialogParent);

    // Adds the colour source, choose-colour, eyedropper, fill scope and symmetry entries.
    void fillMenu(QMenu& menu);
    void setColourDialog(ColourDialog dialog) { colourDialog_ = std::move(dialog); }

    const colouring::PressOptions& options() const;
    QRgb currentColour() const;
    // The current colour becomes `colour`, which heads the recent colours.
    void setCurrentColour(QRgb colour);
    const QList<QRgb>& recentColours() const { return recent_; }
    // The user picked `colour` (in the dialog, the recent colours, the palette or by 吸色): it
    // becomes the current colour, and the colour source 指定颜色 when it was 随机.
    void pickColour(QRgb colour);
    void chooseColour();

    const QSet<QRgb>& lockedColours() const { return locked_; }
    void toggleLock(QRgb colour);
    // Every pixel of `colour` becomes the current colour, as one undo step.
    void replaceWithCurrent(QRgb colour);

    void armEyedropper() { eyedropperArmed_ = true; }
    // A press on the design at a pixel: the eyedropper (armed, or Alt held while the chosen colour
    // is the source) takes its colour and the press fills nothing. True when the press is taken.
    bool takePress(QPoint pixel, Qt::KeyboardModifiers modifiers);

  signals:
    void currentColourChanged(QRgb colour);
    void locksChanged();

  private:
    void setRule(colouring::ColourRule rule);
    void setOptions(const colouring::PressOptions& options);

    design::DesignModel& model_;
    QWidget* dialogParent_;
    ColourDialog colourDialog_;
    QList<QRgb> recent_;
    QSet<QRgb> locked_;
    QList<QAction*> ruleActions_; // in the order of the rules' menu entries
    bool eyedropperArmed_ = false;
};

// The current colour and the most recent ones as a strip of swatches; a click on a swatch makes
// it the current colour.
class RecentColoursStrip : public QWidget {
    Q_OBJECT
  public:
    explicit RecentColoursStrip(ColourTools& tools, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    // The recent colour at a point in the strip, if any.
    std::optional<QRgb> colourAt(QPoint point) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    ColourTools& tools_;
};

} // namespace app
