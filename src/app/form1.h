#pragma once

#include "canvas/random_source.h"
#include "canvas/surface.h"
#include "colouring/colour_tools.h"
#include "design/design_document.h"
#include "design/history.h"
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

    canvas::Surface& designCanvas() { return design_; }
    canvas::Surface& effectView() { return effect_; }
    canvas::Surface& strip() { return strip_; }
    canvas::Surface& randomArtPad() { return randomArtPad_; }
    canvas::Surface& symbolPad() { return symbolPad_; }
    canvas::Surface& figurePad() { return figurePad_; }
    canvas::RandomSource& random() { return *random_; }
    const colouring::DesignRecord& designRecord() const { return record_; }
    const pads::CLogFont& rotatedFont() const { return *rotatedFont_; }

    // How long a hint stays on the window.
    static constexpr int kHintMilliseconds = 4000;

    // For the studio around the window. A press on the design at (x, y), as a mouse press there.
    void pressDesignAt(float x, float y);
    // A new background picture for the design as one undo step, as a pad load does.
    void loadDesignPicture(const QImage& picture, const QString& title,
                           colouring::PictureSource::Origin origin);
    // Where a press's colour comes from, what it fills and where else; the defaults give the
    // plain press.
    void setPressOptions(const colouring::PressOptions& options) { pressOptions_ = options; }
    const colouring::PressOptions& pressOptions() const { return pressOptions_; }
    // A change of the design's pixels made elsewhere (a colour replaced, a colourway chosen), as
    // one undo step kept in the design's record.
    void changeDesign(const colouring::DesignChange& change);
    // A colourway's picture becomes the design, whatever the design shows meanwhile.
    void chooseColourway(const colouring::Colourway& way);
    void setRepeat(tiling::Repeat repeat) { repeat_ = repeat; }
    tiling::Repeat repeat() const { return repeat_; }
    // Renders the effect view again as the last effect button did, from the design as it is now.
    void refreshEffect();
    // The size of one tile in the effect view, in pixels, as the last effect button drew it.
    QSize effectTileSize() const;
    // The design as a document: its record, title, line width, tile size and repeat type.
    design::DesignDocument designDocument() const;
    // Rebuilds the design from a document as one undo step, with its title, line width and tile
    // size (the repeat type is the studio's).
    void showDesignDocument(const design::DesignDocument& document);
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }

  signals:
    // After every change of the design canvas or its title.
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
    void design1Pressed(float x, float y);
    void command14Clicked();
    void command15Clicked();
    enum class EffectButton { OwnSize, ChosenSize };
    bool renderEffect(EffectButton button);
    void saveClicked(const canvas::Surface& surface);
    void label13Clicked();
    void showHint(const QString& text);
    void setDesignTitle(const QString& title);

    // Undo and redo of the changes to the design canvas and its title.
    design::DesignState designState() const;
    void showDesignState(const design::DesignState& state);
    void recordDesignChange();
    void undoDesignChange();
    void redoDesignChange();

    // Pads: the load buttons and Command61 move pictures into the design canvas; the pad
    // drawings themselves are connected here by the pad room.
    void padLoadClicked(const canvas::Surface& pad);
    void command61Clicked();
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
    canvas::Surface design_;
    canvas::Surface effect_;
    canvas::Surface strip_;
    canvas::Surface randomArtPad_;
    canvas::Surface symbolPad_;
    canvas::Surface figurePad_;

    // Window-level variables shared between handlers.
    std::int16_t savedFillStyle_ = 0;
    design::DesignHistory history_;
    colouring::DesignRecord record_; // how the design canvas's pixels were made
    std::unique_ptr<pads::CLogFont> rotatedFont_;
    std::int16_t figureCounter_ = 0;
    pads::RandomArtState randomArt_;
    pads::FontDescription symbolPadFont_;

    QHash<QString, QWidget*> controls_;
    QButtonGroup* options_ = nullptr;
    QTimer* timer1_ = nullptr;
    colouring::PressOptions pressOptions_;
    tiling::Repeat repeat_ = tiling::Repeat::Straight;
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
