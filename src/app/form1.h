#pragma once

#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "colouring/colour_tools.h"
#include "design/design_model.h"
#include "pads/figures.h"
#include "pads/log_font.h"
#include "pads/random_art.h"
#include "pads/symbol_pad.h"
#include "tiling/tiling.h"

#include <QHash>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QButtonGroup;
class QLabel;
class QTimer;

namespace app {

class SurfaceView;

// The one window of the program: the six picture surfaces, the catalogue and pad controls at
// their fixed places, and one handler per control event. Handlers read the controls they need
// and call the drawing rooms.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // Asks for the path to save to; an empty result means the user cancelled.
    using SavePathDialog = std::function<QString(QWidget* parent, const QString& filter)>;
    using UrlOpener = std::function<void(const QUrl&)>;
    // The font dialog: starts from a face and size, returns the choice or nothing on cancel.
    using FontDialog = std::function<std::optional<pads::FontChoice>(
        QWidget* parent, const pads::FontDialogStart& start)>;

    // Without a random source the window uses its own, seeded from the clock.
    explicit Form1(std::unique_ptr<canvas::RandomSource> random = {}, QWidget* parent = nullptr);
    ~Form1() override;

    void setSavePathDialog(SavePathDialog dialog) { savePathDialog_ = std::move(dialog); }
    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }
    void setFontDialog(FontDialog dialog) { fontDialog_ = std::move(dialog); }

    canvas::Surface& effectView() { return effect_; }
    canvas::Surface& strip() { return strip_; }
    canvas::Surface& randomArtPad() { return randomArtPad_; }
    canvas::Surface& symbolPad() { return symbolPad_; }
    canvas::Surface& figurePad() { return figurePad_; }
    canvas::RandomSource& random() { return *random_; }
    // The design the window shows and changes; the studio works on it too.
    design::DesignModel& model() { return model_; }
    const pads::CLogFont& rotatedFont() const { return *rotatedFont_; }

    // How long a hint stays on the window.
    static constexpr int kHintMilliseconds = 4000;

    // Renders the effect view again as the last effect button did, from the design as it is now.
    void refreshEffect();
    // The size of one tile in the effect view, in pixels, as the last effect button drew it.
    QSize effectTileSize() const;
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }

  signals:
    // After every change of the design canvas or its title, once the window shows it.
    void designChanged();
    void hintShown(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createControls();
    void createSurfaceViews();
    void connectHandlers();
    void startUp();
    template <typename T> T* control(const QString& name) const;

    // Design column.
    void catalogueClicked(const QString& controlName, const QString& caption);
    void advancedClicked(int array, int index);
    void command14Clicked();
    void command15Clicked();
    enum class EffectButton { OwnSize, ChosenSize };
    bool renderEffect(EffectButton button);
    void saveClicked(const canvas::Surface& surface);
    void label13Clicked();
    void showHint(const QString& text);
    // Label2 and the two lists show the model's title and texts.
    void showModel();

    // Pads: the load buttons and Command61 move pictures into the design canvas; the pad
    // drawings themselves are connected here by the pad room.
    void padLoadClicked(const canvas::Surface& pad, const pads::PadDrawing& drawing);
    void randomArtPadPressed(float x, float y);
    void symbolPadPressed(float x, float y);
    void padResetClicked(const QString& controlName);
    void figurePresetClicked(const QString& controlName);
    void hScroll1Changed(int value);
    void hScroll1Scrolled(int value);
    void command57Clicked();
    void timer1Tick();
    void followDotTimer();
    QString comboText(const char* name) const;
    QString lineWidthText();

    std::unique_ptr<canvas::RandomSource> random_;
    design::DesignModel model_;
    canvas::Surface effect_;
    canvas::Surface strip_;
    canvas::Surface randomArtPad_;
    canvas::Surface symbolPad_;
    canvas::Surface figurePad_;
    // What each pad drew since its last clear, for 调入主图.
    pads::PadDrawing randomArtDrawing_{pads::PadKind::RandomArt};
    pads::PadDrawing symbolDrawing_{pads::PadKind::Symbol};
    pads::PadDrawing figureDrawing_{pads::PadKind::Figure};

    // Window-level variables shared between handlers.
    std::unique_ptr<pads::CLogFont> rotatedFont_;
    std::int16_t figureCounter_ = 0;
    pads::RandomArtState randomArt_;
    pads::FontDescription symbolPadFont_;

    QHash<QString, QWidget*> controls_;
    QButtonGroup* options_ = nullptr;
    QTimer* timer1_ = nullptr;
    EffectButton lastEffect_ = EffectButton::OwnSize;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QLabel* hint_ = nullptr;
    QTimer* hintTimer_ = nullptr;
    SavePathDialog savePathDialog_;
    UrlOpener urlOpener_;
    FontDialog fontDialog_;
};

} // namespace app
