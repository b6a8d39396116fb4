#pragma once

#include "canvas/random_source.h"
#include "tiling/tiling.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMenu;

namespace canvas {
class Surface;
}
namespace colouring {
struct ImportedImage;
}

namespace design {
class DesignModel;
}

namespace app {

class ActualSizeView;
class ColourTools;
class ColourwaysWindow;
class DesignFiles;
class Form1;
class PaletteDock;
class SeamOutline;
class StrokeTools;
class TileFrame;
class ZoomWindow;

// The studio around the window: menus, a status bar, the repeat types, the live effect view, the
// tile frame and the true-size view. Its central widget is the specified window, unchanged.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Without a random source the window uses its own, seeded from the clock.
    explicit MainWindow(std::unique_ptr<canvas::RandomSource> random = {},
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    Form1& form() const { return *form_; }
    // The design the window and the studio show and change.
    design::DesignModel& model() const;
    DesignFiles& designFiles() const { return *designFiles_; }
    canvas::Surface& designCanvas() const;
    // A press on the design at a canvas pixel, exactly as a mouse press there with the modifiers
    // held.
    void pressDesignAt(QPoint pixel, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // An imported picture becomes the design's background picture, as one undo step.
    void loadImportedPicture(const QImage& picture);
    tiling::Repeat repeat() const;
    // The size of one tile in the effect view as last drawn.
    QSize tileSize() const;
    bool liveEffect() const;
    ColourTools& colourTools() const { return *colourTools_; }
    PaletteDock& paletteDock() const { return *paletteDock_; }
    // The drawing tools of the tool bar here and in the zoom window.
    StrokeTools& strokeTools() const { return *strokeTools_; }

  signals:
    // After every change of the design (press, pattern, pad load, import, undo, redo, clear).
    void designChanged();

  public slots:
    void setRepeat(tiling::Repeat repeat);
    void setLiveEffect(bool on);
    void setTileFrameShown(bool on);
    // 实际尺寸: the effect view at the print's true size with rulers in centimetres.
    void setActualSize(bool on);
    // 检查接缝: the broken seams outlined on the effect view and counted in the status bar.
    void setSeamCheck(bool on);
    // The status bar names the design pixel under the pointer and its colour.
    void showDesignPixel(QPoint pixel);
    void openZoomWindow();
    void importLineArt();
    void pasteLineArt();
    void exportPrint();
    void exportSeparations();
    void openColourways();
    // 减少颜色…: the dialog, whose choice becomes one undo step.
    void reduceColours();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Keeps the design among the last five in the user's data folder, for 恢复上次的设计.
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenus();
    void createColourMenu(QMenu& menu);
    void createStatusBar();
    // The design's undo, redo and paste, which win over a list that is not being edited.
    QList<QAction*> designKeys() const;
    void clickFormButton(const char* name);
    void copyDesign();
    void followDesignChange();
    void checkSeams();
    void effectViewPressed(float x, float y);
    void showHelp();
    void showAbout();
    // The import dialog for a picture read from `path` (empty for the clipboard).
    void importPicture(const colouring::ImportedImage& picture, const QString& path);

    Form1* form_ = nullptr;
    DesignFiles* designFiles_ = nullptr;
    QWidget* designView_ = nullptr;
    TileFrame* tileFrame_ = nullptr;
    ActualSizeView* actualSize_ = nullptr;
    TileFrame* usedPartOutline_ = nullptr; // on the design view
    SeamOutline* seamOutline_ = nullptr;
    ZoomWindow* zoom_ = nullptr;
    ColourTools* colourTools_ = nullptr;
    PaletteDock* paletteDock_ = nullptr;
    StrokeTools* strokeTools_ = nullptr;
    ColourwaysWindow* colourways_ = nullptr;
    QAction* liveEffect_ = nullptr;
    QAction* tileFrameAction_ = nullptr;
    QAction* actualSizeAction_ = nullptr;
    QAction* seamCheck_ = nullptr;
    QLabel* pointer_ = nullptr;
    QPoint pointerPixel_{-1, -1}; // the design pixel last named in the status bar
};

} // namespace app
