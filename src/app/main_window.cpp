#include "main_window.h"

#include "actual_size_view.h"
#include "colour_menu.h"
#include "colouring/colouring.h"
#include "colouring/line_art.h"
#include "colourways_window.h"
#include "control_tips.h"
#include "design_files.h"
#include "effect/effect.h"
#include "export_dialog.h"
#include "file_dialogs.h"
#include "first_paint.h"
#include "form1.h"
#include "help_dialogs.h"
#include "import_dialog.h"
#include "palette_dock.h"
#include "reduce_colours_dialog.h"
#include "separations_dialog.h"
#include "stroke_tools.h"
#include "studio_keys.h"
#include "studio_settings.h"
#include "surface_view.h"
#include "tile_frame.h"
#include "zoom_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>
#include <functional>

// The icon lives in this static library; a program linking it keeps the resource only when asked.
static void initIconResource() {
    Q_INIT_RESOURCE(icons);
}

namespace app {
namespace {

constexpr int kStatusHintMilliseconds = Form1::kHintMilliseconds;
constexpr QPoint kNoPixel{-1, -1};

// A menu entry: a new action, or one the window already has (then only its text is set). The
// handler gets the action's checked state.
struct MenuAction {
    const char* name;
    const char* text;
    QList<QKeySequence> keys;
    std::function<void(bool)> handler;
    bool checkable = false;
    QAction* existing = nullptr;
};

// Every action of the menus, those of their submenus included.
QList<QAction*> menuActions(const QList<QAction*>& actions) {
    QList<QAction*> all;
    for (QAction* action : actions) {
        all << action;
        if (action->menu() != nullptr) {
            all << menuActions(action->menu()->actions());
        }
    }
    return all;
}

// A repeat's action is named after its name in files: "half-drop-1/3" is actionRepeatHalfDrop13.
QString repeatActionName(tiling::Repeat repeat) {
    QString name = QStringLiteral("actionRepeat");
    bool capital = true;
    for (const char c : std::string_view(tiling::kRepeatNames[int(repeat)])) {
        if (c == '-' || c == '/') {
            capital = true;
            continue;
        }
        name += capital ? QChar(c).toUpper() : QChar(c);
        capital = false;
    }
    return name;
}

} // namespace

MainWindow::MainWindow(std::unique_ptr<canvas::RandomSource> random, QWidget* parent)
    : QMainWindow(parent), form_(new Form1(std::move(random), this)),
      colourTools_(new ColourTools(form_->model(), this)) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(form_->windowTitle());
    // Decoding the icon (with the first look for image plugins) and handing it to the window
    // system take about a twentieth of the start-up; the window shows its controls first.
    afterFirstPaint(*this, [this] {
        initIconResource();
        setWindowIcon(QIcon(QStringLiteral(":/icons/pattern-workshop.png")));
    });
    setCentralWidget(form_);
    createMenus();
    createStatusBar();
    installControlTips(*form_);
    // The keys start on the window, not in an editable list, and a click on a picture takes them
    // back from a list.
    form_->setFocusPolicy(Qt::ClickFocus);
    form_->setFocus();
    for (SurfaceView* view : form_->findChildren<SurfaceView*>()) {
        view->setFocusPolicy(Qt::ClickFocus);
    }
    giveDesignKeysPriority(*form_, designKeys());

    designView_ = form_->findChild<QWidget*>(QStringLiteral("Picture1"));
    designView_->setMouseTracking(true);
    designView_->installEventFilter(this);
    // The part of the design a wallpaper group uses, outlined on the design view (its pixels are
    // the view's client pixels), the outline on the part's outermost pixels.
    usedPartOutline_ = new TileFrame(
        [this] {
            const QSize design = designCanvas().imageRef().size();
            QPolygonF part = tiling::usedPart(design, repeat());
            for (QPointF& corner : part) {
                corner = {std::clamp(corner.x() - 0.5, 0.0, design.width() - 1.0),
                          std::clamp(corner.y() - 0.5, 0.0, design.height() - 1.0)};
            }
            return part;
        },
        designView_);
    usedPartOutline_->setObjectName(QStringLiteral("UsedPartOutline"));
    strokeTools_ = new StrokeTools(
        model(),
        [this](QPoint pixel, Qt::KeyboardModifiers modifiers) {
            return colourTools_->takePress(pixel, modifiers);
        },
        this);
    addToolBar(strokeTools_->makeToolBar(this));
    strokeTools_->watch(designView_, [](QPointF position) {
        return position - QPointF(canvas::kBorderPixels, canvas::kBorderPixels);
    });
    auto* effectView = form_->findChild<SurfaceView*>(QStringLiteral("Picture2"));
    tileFrame_ = new TileFrame(
        [this] {
            const QSize tile = tileSize();
            return tile.isEmpty() ? QPolygonF()
                                  : QPolygonF(QRectF(QPointF(0, 0), tile - QSize(1, 1)));
        },
        effectView);
    tileFrame_->hide();
    actualSize_ = new ActualSizeView(
        designCanvas(), [this] { return repeat(); }, effectView);
    actualSize_->hide();
    connect(actualSize_, &ActualSizeView::designPixelPressed, this,
            [this](QPoint pixel) { pressDesignAt(pixel); });
    connect(this, &MainWindow::designChanged, actualSize_, qOverload<>(&QWidget::update));
    seamOutline_ = new SeamOutline([this] { return std::pair(tileSize(), repeat()); }, effectView);
    seamOutline_->hide();
    connect(effectView, &SurfaceView::pressed, this,
            [this](float x, float y) { effectViewPressed(x, y); });
    connect(form_, &Form1::designChanged, this, &MainWindow::followDesignChange);
    connect(form_, &Form1::hintShown, this, [this](const QString& text) {
        statusBar()->showMessage(text, kStatusHintMilliseconds);
    });
    restoreStudioSettings(*this);
}

MainWindow::~MainWindow() = default;

void MainWindow::closeEvent(QCloseEvent* event) {
    designFiles_->keepLastDesign();
    keepStudioSettings(*this);
    QMainWindow::closeEvent(event);
}

void MainWindow::createMenus() {
    const auto keys = [](std::initializer_list<QKeyCombination> combinations) {
        QList<QKeySequence> sequences;
        for (const QKeyCombination combination : combinations) {
            sequences << QKeySequence(combination);
        }
        return sequences;
    };
    const std::pair<const char*, std::vector<MenuAction>> menus[] = {
        {"文件(&F)",
         {{"actionImport", "导入线稿…", keys({Qt::CTRL | Qt::Key_O}),
           [this](bool) { importLineArt(); }},
          {"actionSaveDesign", "保存图案", keys({Qt::CTRL | Qt::Key_S}),
           [this](bool) { clickFormButton("Command2"); }},
          {"actionSaveEffect", "保存效果图", keys({Qt::CTRL | Qt::SHIFT | Qt::Key_S}),
           [this](bool) { clickFormButton("Command17"); }},
          {"actionExport", "导出印刷图…", keys({Qt::CTRL | Qt::Key_E}),
           [this](bool) { exportPrint(); }},
          {"actionSeparations", "导出分色…", {}, [this](bool) { exportSeparations(); }},
          {"actionQuit", "退出", keys({Qt::CTRL | Qt::Key_Q}), [this](bool) { close(); }}}},
        // Undo and redo are the window's own actions, so their keys are bound only once.
        {"编辑(&E)",
         {{nullptr, "撤销", {}, {}, false, form_->undoAction()},
          {nullptr, "重做", {}, {}, false, form_->redoAction()},
          {"actionCopy", "复制图案", keys({Qt::CTRL | Qt::Key_C}), [this](bool) { copyDesign(); }},
          {"actionPaste", "粘贴为线稿", keys({Qt::CTRL | Qt::Key_V}),
           [this](bool) { pasteLineArt(); }}}},
        {"视图(&V)",
         {{"actionLiveEffect", "实时效果图", {}, [this](bool on) { setLiveEffect(on); }, true},
          {"actionTileFrame", "显示单元框", {}, [this](bool on) { setTileFrameShown(on); }, true},
          {"actionActualSize", "实际尺寸", {}, [this](bool on) { setActualSize(on); }, true},
          {"actionSeamCheck", "检查接缝", {}, [this](bool on) { setSeamCheck(on); }, true},
          {"actionUnifySeams", "统一接缝颜色", {}, [this](bool) { model().unifySeams(); }},
          {"actionZoom", "放大编辑…", keys({Qt::Key_F3}), [this](bool) { openZoomWindow(); }}}},
        {"帮助(&H)",
         {{"actionHelp", "使用说明", {QKeySequence::HelpContents}, [this](bool) { showHelp(); }},
          {"actionAbout", "关于", {}, [this](bool) { showAbout(); }}}},
    };
    for (const auto& [title, actions] : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        for (const MenuAction& entry : actions) {
            if (entry.existing != nullptr) {
                entry.existing->setText(QString::fromUtf8(entry.text));
                menu->addAction(entry.existing);
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(entry.text));
            action->setObjectName(QString::fromLatin1(entry.name));
            action->setShortcuts(entry.keys);
            action->setCheckable(entry.checkable);
            connect(action, &QAction::triggered, this, entry.handler);
        }
    }
    // Design documents go in the file menu after the print export.
    QMenu* file = menuBar()->actions().at(0)->menu();
    designFiles_ = new DesignFiles(*this, *file, findChild<QAction*>(QStringLiteral("actionQuit")));

    // The colour menu sits before the help menu (the last).
    auto* colour = new QMenu(QStringLiteral("颜色(&C)"), this);
    colour->setObjectName(QStringLiteral("menuColour"));
    menuBar()->insertMenu(menuBar()->actions().last(), colour);
    createColourMenu(*colour);
    liveEffect_ = findChild<QAction*>(QStringLiteral("actionLiveEffect"));
    tileFrameAction_ = findChild<QAction*>(QStringLiteral("actionTileFrame"));
    actualSizeAction_ = findChild<QAction*>(QStringLiteral("actionActualSize"));
    seamCheck_ = findChild<QAction*>(QStringLiteral("actionSeamCheck"));

    // The repeat types head the view menu (the third), one of them chosen at a time.
    QMenu* view = menuBar()->actions().at(2)->menu();
    auto* repeats = new QMenu(QStringLiteral("拼接方式"), view);
    repeats->setObjectName(QStringLiteral("menuRepeat"));
    view->insertMenu(view->actions().first(), repeats);
    auto* groups = new QMenu(QStringLiteral("对称群"), repeats);
    groups->setObjectName(QStringLiteral("menuWallpaperGroups"));
    auto* repeatGroup = new QActionGroup(this);
    for (int index = 0; index < tiling::kRepeatCount; ++index) {
        const auto repeat = tiling::Repeat(index);
        const bool group = tiling::isWallpaperGroup(repeat);
        QMenu* menu = group ? groups : repeats;
        QAction* action = menu->addAction(QString::fromUtf8(tiling::kRepeatLabels[index]));
        action->setObjectName(repeatActionName(repeat));
        // The icons are drawn when their menu first opens, not before the window's first paint.
        connect(
            menu, &QMenu::aboutToShow, action,
            [action, repeat] { action->setIcon(repeatIcon(repeat)); }, Qt::SingleShotConnection);
        action->setCheckable(true);
        action->setChecked(repeat == tiling::Repeat::Straight);
        repeatGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, repeat] { setRepeat(repeat); });
    }
    repeats->addMenu(groups);
}

void MainWindow::createColourMenu(QMenu& menu) {
    colourTools_->fillMenu(menu);
    connect(findChild<QAction*>(QStringLiteral("actionEyedropper")), &QAction::triggered, this,
            [this] {
                statusBar()->showMessage(QStringLiteral("吸色：在图案上点一下，取那里的颜色"),
                                         kStatusHintMilliseconds);
            });
    menu.addSeparator();
    paletteDock_ = new PaletteDock(designCanvas(), *colourTools_, this);
    addDockWidget(Qt::RightDockWidgetArea, paletteDock_);
    paletteDock_->hide();
    connect(this, &MainWindow::designChanged, paletteDock_, &PaletteDock::refresh);
    QAction* palette = paletteDock_->toggleViewAction();
    palette->setObjectName(QStringLiteral("actionPalette"));
    palette->setText(QStringLiteral("调色板"));
    menu.addAction(palette);
    QAction* colourways = menu.addAction(QStringLiteral("配色方案…"));
    colourways->setObjectName(QStringLiteral("actionColourways"));
    colourways->setShortcut(Qt::CTRL | Qt::Key_K);
    connect(colourways, &QAction::triggered, this, &MainWindow::openColourways);
    QAction* reduce = menu.addAction(QStringLiteral("减少颜色…"));
    reduce->setObjectName(QStringLiteral("actionReduceColours"));
    connect(reduce, &QAction::triggered, this, &MainWindow::reduceColours);
}

QList<QAction*> MainWindow::designKeys() const {
    return {form_->undoAction(), form_->redoAction(),
            findChild<QAction*>(QStringLiteral("actionPaste"))};
}

void MainWindow::createStatusBar() {
    pointer_ = new QLabel(this);
    pointer_->setObjectName(QStringLiteral("PointerStatus"));
    statusBar()->addPermanentWidget(new RecentColoursStrip(*colourTools_, this));
    statusBar()->addPermanentWidget(pointer_);
    // The specified area has a fixed size, so the window has one too.
    statusBar()->setSizeGripEnabled(false);
}

design::DesignModel& MainWindow::model() const {
    return form_->model();
}

canvas::Surface& MainWindow::designCanvas() const {
    return model().canvas();
}

void MainWindow::pressDesignAt(QPoint pixel, Qt::KeyboardModifiers modifiers) {
    if (colourTools_->takePress(pixel, modifiers)) {
        return;
    }
    model().press(float(pixel.x()), float(pixel.y()));
}

void MainWindow::loadImportedPicture(const QImage& picture) {
    model().loadPicture({picture}, colouring::kImportedDesignTitle,
                        colouring::PictureSource::Origin::Import);
}

tiling::Repeat MainWindow::repeat() const {
    return model().repeat();
}

QSize MainWindow::tileSize() const {
    return form_->effectTileSize();
}

bool MainWindow::liveEffect() const {
    return liveEffect_->isChecked();
}

void MainWindow::setRepeat(tiling::Repeat repeat) {
    model().setRepeat(repeat);
    // A document that opens with its own repeat shows it chosen in the menu.
    findChild<QAction*>(repeatActionName(repeat))->setChecked(true);
    actualSize_->update();
    usedPartOutline_->update();
    if (liveEffect()) {
        form_->refreshEffect();
    }
    checkSeams();
}

void MainWindow::setLiveEffect(bool on) {
    liveEffect_->setChecked(on);
    if (on) {
        form_->refreshEffect();
    }
}

void MainWindow::setTileFrameShown(bool on) {
    tileFrameAction_->setChecked(on);
    tileFrame_->setVisible(on);
}

void MainWindow::setActualSize(bool on) {
    actualSizeAction_->setChecked(on);
    actualSize_->setVisible(on);
}

void MainWindow::setSeamCheck(bool on) {
    seamCheck_->setChecked(on);
    seamOutline_->setVisible(on);
    if (!on) {
        statusBar()->clearMessage();
    }
    checkSeams();
}

void MainWindow::checkSeams() {
    if (!seamCheck_->isChecked()) {
        return;
    }
    const std::vector<colouring::SeamBreak> breaks = model().seamBreaks();
    QImage marked;
    if (!breaks.empty()) {
        marked = QImage(designCanvas().designSize(), QImage::Format_RGB32);
        marked.fill(Qt::black);
        for (const colouring::SeamBreak& broken : breaks) {
            for (const canvas::Span& span : broken.region.spans()) {
                auto* row = reinterpret_cast<QRgb*>(marked.scanLine(span.y));
                std::fill(row + span.x0, row + span.x1 + 1, 0xFFFFFFFFu);
            }
        }
    }
    seamOutline_->setMarked(marked);
    statusBar()->showMessage(QStringLiteral("%1 处接缝颜色不一致").arg(breaks.size()));
}

void MainWindow::followDesignChange() {
    if (liveEffect()) {
        form_->refreshEffect();
    }
    checkSeams();
    // The pixel under a pointer that did not move may have a new colour.
    showDesignPixel(pointerPixel_);
    emit designChanged();
}

void MainWindow::effectViewPressed(float x, float y) {
    if (!liveEffect()) {
        return;
    }
    const float unitsPerPixel = form_->effectView().unitsPerPixel();
    const QPoint page(int(std::floor(x / unitsPerPixel)), int(std::floor(y / unitsPerPixel)));
    pressDesignAt(
        effect::designPixelUnder(page, tileSize(), repeat(), designCanvas().imageRef().size()));
}

void MainWindow::showDesignPixel(QPoint pixel) {
    pointerPixel_ = pixel;
    const QImage& design = designCanvas().imageRef();
    if (!design.rect().contains(pixel)) {
        pointer_->clear();
        return;
    }
    pointer_->setText(QStringLiteral("x %1, y %2  %3")
                          .arg(pixel.x())
                          .arg(pixel.y())
                          .arg(QColor(design.pixel(pixel)).name(QColor::HexRgb).toUpper()));
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == designView_) {
        const auto pixelUnder = [](const QMouseEvent* mouse) {
            const QPointF position = mouse->position();
            return QPoint(int(std::floor(position.x())), int(std::floor(position.y()))) -
                   QPoint(canvas::kBorderPixels, canvas::kBorderPixels);
        };
        if (event->type() == QEvent::MouseMove) {
            showDesignPixel(pixelUnder(static_cast<QMouseEvent*>(event)));
        } else if (event->type() == QEvent::MouseButtonPress) {
            // The eyedropper takes the press before the design fills.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton &&
                colourTools_->takePress(pixelUnder(mouse), mouse->modifiers())) {
                return true;
            }
        } else if (event->type() == QEvent::Leave) {
            showDesignPixel(kNoPixel);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::clickFormButton(const char* name) {
    form_->findChild<QPushButton*>(QString::fromLatin1(name))->click();
}

void MainWindow::copyDesign() {
    QApplication::clipboard()->setImage(designCanvas().image());
}

void MainWindow::openZoomWindow() {
    if (zoom_ == nullptr) {
        zoom_ = new ZoomWindow(designCanvas(), this);
        zoom_->setWindowFlag(Qt::Window);
        connect(zoom_, &ZoomWindow::designPixelPressed, this,
                [this](int x, int y, Qt::KeyboardModifiers modifiers) {
                    pressDesignAt({x, y}, modifiers);
                });
        connect(zoom_, &ZoomWindow::pointerOverPixel, this, [this](int x, int y) {
            showDesignPixel({x, y});
        });
        connect(this, &MainWindow::designChanged, zoom_, &ZoomWindow::refresh);
        zoom_->addToolBar(strokeTools_->makeToolBar(zoom_));
        strokeTools_->watch(zoom_->designView(),
                            [this](QPointF position) { return zoom_->designPoint(position); });
        // Part of the studio: the menus' keys act there as they do here.
        zoom_->addActions(menuActions(menuBar()->actions()));
        giveDesignKeysPriority(*zoom_, designKeys());
        closeOnEscape(*zoom_);
    }
    zoom_->refresh();
    zoom_->show();
    zoom_->raise();
    zoom_->activateWindow();
}

void MainWindow::importLineArt() {
    const QString path = askOpenPath(this, QStringLiteral("导入线稿"), app::importFilter());
    if (!path.isEmpty()) {
        importPicture(colouring::readImportImage(path), path);
    }
}

void MainWindow::pasteLineArt() {
    importPicture(colouring::readPastedImage(QApplication::clipboard()->mimeData()), QString());
}

void MainWindow::importPicture(const colouring::ImportedImage& picture, const QString& path) {
    const QRgb background = canvas::toPixel(designCanvas().backColor());
    if (const auto chosen = app::importLineArt(this, picture, path, background)) {
        model().importLineArt(picture.image, *chosen, colouring::kImportedDesignTitle);
    }
}

void MainWindow::exportPrint() {
    ExportDialog dialog(designCanvas().image(), repeat(), this);
    dialog.setDesignRecord(model().record());
    dialog.exec();
    actualSize_->update(); // its tile is the print's
}

void MainWindow::exportSeparations() {
    SeparationsDialog dialog(designCanvas().image(), repeat(), this);
    dialog.setDesignRecord(model().record());
    dialog.exec();
}

void MainWindow::openColourways() {
    if (colourways_ == nullptr) {
        const auto title = [this] { return model().title(); };
        colourways_ =
            new ColourwaysWindow(designCanvas(), *colourTools_, form_->random(), title, this);
        connect(colourways_, &ColourwaysWindow::colourwayChosen, this,
                [this](const colouring::Colourway& way) { model().chooseColourway(way); });
        closeOnEscape(*colourways_);
    }
    colourways_->drawAgain();
    colourways_->show();
    colourways_->raise();
    colourways_->activateWindow();
}

void MainWindow::reduceColours() {
    // The thousands of colours of a photograph take a moment to compare.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    auto* dialog =
        new ReduceColoursDialog(designCanvas().image(), colourTools_->lockedColours(), this);
    QGuiApplication::restoreOverrideCursor();
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog] { model().mapColours(dialog->result().mapping); });
    dialog->open();
}

void MainWindow::showHelp() {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("使用说明"),
                                helpText(*menuBar()), QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("HelpDialog"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::showAbout() {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("关于澄川纹样工坊"),
                                aboutText(), QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("AboutDialog"));
    box->setIconPixmap(windowIcon().pixmap(64, 64));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

} // namespace app
