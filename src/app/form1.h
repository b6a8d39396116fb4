#pragma once

#include "canvas/random_source.h"
#include "canvas/surface.h"

#include <QHash>
#include <QUrl>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

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

    // Without a random source the window uses its own, seeded from the clock.
    explicit Form1(std::unique_ptr<canvas::RandomSource> random = {}, QWidget* parent = nullptr);
    ~Form1() override;

    void setSavePathDialog(SavePathDialog dialog) { savePathDialog_ = std::move(dialog); }
    void setUrlOpener(UrlOpener opener) { urlOpener_ = std::move(opener); }

    canvas::Surface& designCanvas() { return design_; }
    canvas::Surface& effectView() { return effect_; }
    canvas::Surface& strip() { return strip_; }
    canvas::Surface& randomArtPad() { return randomArtPad_; }
    canvas::Surface& symbolPad() { return symbolPad_; }
    canvas::Surface& figurePad() { return figurePad_; }
    canvas::RandomSource& random() { return *random_; }

    // How long a hint stays on the window.
    static constexpr int kHintMilliseconds = 4000;

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
    void saveClicked(const canvas::Surface& surface);
    void label13Clicked();
    void showHint(const QString& text);
    void setDesignTitle(const QString& title);

    // Pads: the load buttons and Command61 move pictures into the design canvas; the pad
    // drawings themselves are connected here by the pad room.
    void padLoadClicked(const canvas::Surface& pad);
    void command61Clicked();
    void randomArtPadPressed(float x, float y);
    void symbolPadPressed(float x, float y);
    void padResetClicked(const QString& controlName);
    void figurePresetClicked(const QString& controlName);
    void optionClicked(const QString& controlName);
    void hScroll1Changed(int value);
    void hScroll1Scrolled(int value);
    void command57Clicked();
    void timer1Tick();

    std::unique_ptr<canvas::RandomSource> random_;
    canvas::Surface design_;
    canvas::Surface effect_;
    canvas::Surface strip_;
    canvas::Surface randomArtPad_;
    canvas::Surface symbolPad_;
    canvas::Surface figurePad_;

    // Window-level variables shared between handlers.
    std::int16_t savedFillStyle_ = 0;
    std::int16_t figureCounter_ = 0;
    float dotCentreX_ = 0.0f;
    std::int32_t dotCentreY_ = 0;

    QHash<QString, QWidget*> controls_;
    QButtonGroup* options_ = nullptr;
    QTimer* timer1_ = nullptr;
    QLabel* hint_ = nullptr;
    QTimer* hintTimer_ = nullptr;
    SavePathDialog savePathDialog_;
    UrlOpener urlOpener_;
};

} // namespace app
