#include "form1.h"

#include "canvas/numbers.h"
#include "colour_button.h"
#include "colouring/colour_tools.h"
#include "colouring/colouring.h"
#include "colouring/surfaces.h"
#include "effect/effect.h"
#include "file_dialogs.h"
#include "layout.h"
#include "pads/pad_setup.h"
#include "pads/symbol_pad.h"
#include "patterns/catalogue.h"
#include "surface_view.h"
#include "window_fonts.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDesktopServices>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace app {
namespace {

const QString kWindowTitle = QStringLiteral("澄川纹样工坊3.6");
const QString kTextFace = QStringLiteral("宋体");
constexpr int kTimer1Milliseconds = 1;
constexpr int kScrollMaximum = 32767;
constexpr QRect kHintGeometry{660, 506, 288, 18};

const QStringList kTileSizes{"10",  "11",  "12",  "13",  "14",  "15",  "16",  "17", "18",
                             "19",  "20",  "30",  "40",  "50",  "60",  "70",  "80", "90",
                             "100", "120", "150", "180", "200", "220", "260", "300"};
const QStringList kLineWidths{"1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",   "10",
                              "20", "30", "40", "50", "60", "70", "80", "90", "100", "120"};

QStringList letters() {
    QStringList items;
    for (const char first : {'a', 'A'}) {
        for (char letter = first; letter < first + 26; ++letter) {
            items << QString(QChar(letter));
        }
    }
    return items;
}

QColor toQColor(canvas::Colour colour) {
    return QColor::fromRgb(canvas::toPixel(colour));
}

QFont textFont(TextStyle style) {
    QFont font;
    font.setFamilies({kWindowSerif, kTextFace});
    font.setPointSizeF(style == TextStyle::Large ? 10.5 : 9.0);
    font.setBold(style != TextStyle::Regular);
    return font;
}

QWidget* createWidget(const ControlSpec& entry, QWidget* parent) {
    switch (entry.kind) {
    case ControlKind::Button:
        if (entry.background) {
            // Painted by the button itself: the styles' gradients would wash out a palette's
            // colour.
            return new ColourButton(entry.caption, toQColor(*entry.background), parent);
        }
        return new QPushButton(entry.caption, parent);
    case ControlKind::Label: {
        auto* label = new QLabel(entry.caption, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(entry.caption, parent);
    case ControlKind::OptionButton:
        return new QRadioButton(entry.caption, parent);
    case ControlKind::TextField:
        return new QLineEdit(entry.caption, parent);
    case ControlKind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setEditText(entry.caption);
        return combo;
    }
    case ControlKind::ScrollBar: {
        auto* scroll = new QScrollBar(Qt::Horizontal, parent);
        scroll->setRange(0, kScrollMaximum);
        scroll->setSingleStep(1);
        scroll->setPageStep(1);
        // The change event comes at the end of a drag; sliderMoved reports the drag itself.
        scroll->setTracking(false);
        return scroll;
    }
    }
    return nullptr;
}

// Only what differs from the form's own font and palette is set: most controls take both from
// the form, which saves a font and a palette of their own each.
void applyLook(QWidget& widget, const ControlSpec& entry) {
    if (entry.style != TextStyle::Regular) {
        widget.setFont(textFont(entry.style));
    }
    const bool ownBackground = entry.background && entry.kind != ControlKind::Button;
    if (!ownBackground && !entry.text) {
        return;
    }
    QPalette palette = widget.palette();
    if (ownBackground) {
        palette.setColor(QPalette::Window, toQColor(*entry.background));
        widget.setAutoFillBackground(true);
    }
    if (entry.text) {
        palette.setColor(QPalette::WindowText, toQColor(*entry.text));
    }
    widget.setPalette(palette);
}

// The platform's font dialog, offering scalable fonts only.
std::optional<pads::FontChoice> askFont(QWidget* parent, const pads::FontDialogStart& start) {
    bool chosen = false;
    QFont initial(start.name);
    initial.setPointSizeF(start.size);
    const QFont font =
        QFontDialog::getFont(&chosen, initial, parent, QString(), QFontDialog::ScalableFonts);
    if (!chosen) {
        return std::nullopt;
    }
    return pads::FontChoice{font.family(), font.pointSizeF(), font.bold()};
}

// "Command70(2)" → 70 and 2.
struct ArrayButton {
    const char* name;
    int array;
    int index;
};
constexpr ArrayButton kAdvancedButtons[] = {{"Command70(1)", 70, 1},
                                            {"Command70(2)", 70, 2},
                                            {"Command71(1)", 71, 1},
                                            {"Command71(2)", 71, 2}};

// Check1's value as the advanced patterns read it: 0 unchecked, 1 checked, 2 greyed.
int checkValue(Qt::CheckState state) {
    return state == Qt::Checked ? 1 : state == Qt::PartiallyChecked ? 2 : 0;
}

} // namespace

Form1::Form1(std::unique_ptr<canvas::RandomSource> random, QWidget* parent)
    : QWidget(parent),
      random_(random ? std::move(random)
                     : std::make_unique<canvas::RandomSource>(canvas::clockSeed())),
      model_(*random_), effect_(colouring::effectViewSetup()), strip_(colouring::stripSetup()),
      randomArtPad_(pads::randomArtPadSetup()), symbolPad_(pads::symbolPadSetup()),
      figurePad_(pads::figurePadSetup()), savePathDialog_(askSavePath),
      urlOpener_([](const QUrl& url) { QDesktopServices::openUrl(url); }), fontDialog_(askFont) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kWindowTitle);
    setFixedSize(kClientWidth, kClientHeight);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, toQColor(kWindowColour));
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(textFont(TextStyle::Regular));

    createControls();
    createSurfaceViews();
    connectHandlers();
    startUp();
}

Form1::~Form1() = default;

template <typename T> T* Form1::control(const QString& name) const {
    return qobject_cast<T*>(controls_.value(name));
}

void Form1::createControls() {
    options_ = new QButtonGroup(this);
    options_->setExclusive(true);
    for (const ControlSpec& entry : layoutControls()) {
        QWidget* widget = createWidget(entry, this);
        widget->setObjectName(entry.name);
        widget->setGeometry(entry.geometry);
        applyLook(*widget, entry);
        controls_.insert(entry.name, widget);
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            options_->addButton(option);
        }
    }
    control<QRadioButton>(QStringLiteral("Option1"))->setChecked(true);

    // The angle read-out marks its access key with "&"; a buddy makes the label hide the mark
    // and lets Alt+O reach the slider.
    control<QLabel>(QStringLiteral("Label1"))
        ->setBuddy(control<QWidget>(QStringLiteral("HScroll1")));

    auto* credit = control<QLabel>(QStringLiteral("Label13"));
    credit->setCursor(Qt::PointingHandCursor);
    credit->installEventFilter(this);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(kTimer1Milliseconds);
    timer1_->setTimerType(Qt::PreciseTimer);

    hint_ = new QLabel(this);
    hint_->setObjectName(QStringLiteral("Hint"));
    hint_->setGeometry(kHintGeometry);
    hint_->setAlignment(Qt::AlignCenter);
    hint_->setAutoFillBackground(true);
    QPalette hintPalette = hint_->palette();
    hintPalette.setColor(QPalette::Window, QColor(255, 255, 225));
    hintPalette.setColor(QPalette::WindowText, Qt::black);
    hint_->setPalette(hintPalette);
    hint_->hide();
    hintTimer_ = new QTimer(this);
    hintTimer_->setSingleShot(true);
    hintTimer_->setInterval(kHintMilliseconds);
    connect(hintTimer_, &QTimer::timeout, hint_, &QWidget::hide);
}

void Form1::createSurfaceViews() {
    const QHash<QString, canvas::Surface*> surfaces{
        {QStringLiteral("Picture1"), &model_.canvas()},
        {QStringLiteral("Picture2"), &effect_},
        {QStringLiteral("Picture3"), &strip_},
        {QStringLiteral("Picture4"), &randomArtPad_},
        {QStringLiteral("Picture5"), &symbolPad_},
        {QStringLiteral("picOutput"), &figurePad_},
    };
    for (const SurfacePlacement& placement : layoutSurfaces()) {
        auto* view = new SurfaceView(*surfaces.value(placement.name), placement.name, this);
        view->move(placement.topLeft);
        controls_.insert(placement.name, view);
    }
    // The strip grows with the chosen tile size over the labels beside it and beneath every
    // control that takes clicks, so it shows the kept copy and covers no button or list.
    auto* strip = control<QWidget>(QStringLiteral("Picture3"));
    strip->lower();
    for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        label->stackUnder(strip);
    }
    hint_->raise();
}

void Form1::connectHandlers() {
    const QHash<QString, std::function<void()>> fixedButtons{
        {QStringLiteral("Command14"), [this] { command14Clicked(); }},
        {QStringLiteral("Command15"), [this] { command15Clicked(); }},
        {QStringLiteral("Command2"), [this] { saveClicked(model_.canvas()); }},
        {QStringLiteral("Command17"), [this] { saveClicked(effect_); }},
        {QStringLiteral("Command60"), [this] { padLoadClicked(randomArtPad_, randomArtDrawing_); }},
        {QStringLiteral("Command63"), [this] { padLoadClicked(symbolPad_, symbolDrawing_); }},
        {QStringLiteral("Command62"), [this] { padLoadClicked(figurePad_, figureDrawing_); }},
        {QStringLiteral("Command61"), [this] { model_.clearPicture(); }},
        {QStringLiteral("Command59"), [this] { padResetClicked(QStringLiteral("Command59")); }},
        {QStringLiteral("Command64"), [this] { padResetClicked(QStringLiteral("Command64")); }},
        {QStringLiteral("Command65"), [this] { padResetClicked(QStringLiteral("Command65")); }},
        {QStringLiteral("Command57"), [this] { command57Clicked(); }},
    };
    for (const auto& advanced : kAdvancedButtons) {
        connect(control<QPushButton>(QString::fromLatin1(advanced.name)), &QPushButton::clicked,
                this, [this, advanced] { advancedClicked(advanced.array, advanced.index); });
    }
    for (const ControlSpec& entry : layoutControls()) {
        auto* button = control<QPushButton>(entry.name);
        if (button == nullptr || entry.name.contains(QLatin1Char('('))) {
            continue;
        }
        std::function<void()> handler;
        if (const auto fixed = fixedButtons.find(entry.name); fixed != fixedButtons.end()) {
            handler = fixed.value();
        } else if (entry.caption.startsWith(QStringLiteral("图"))) {
            handler = [this, name = entry.name] { figurePresetClicked(name); };
        } else {
            handler = [this, name = entry.name, button] { catalogueClicked(name, button->text()); };
        }
        connect(button, &QPushButton::clicked, this, std::move(handler));
    }

    auto* design = control<SurfaceView>(QStringLiteral("Picture1"));
    connect(design, &SurfaceView::pressed, this, [this](float x, float y) { model_.press(x, y); });
    auto* randomArt = control<SurfaceView>(QStringLiteral("Picture4"));
    connect(randomArt, &SurfaceView::pressed, this,
            [this](float x, float y) { randomArtPadPressed(x, y); });
    auto* symbols = control<SurfaceView>(QStringLiteral("Picture5"));
    connect(symbols, &SurfaceView::pressed, this,
            [this](float x, float y) { symbolPadPressed(x, y); });

    auto* angle = control<QScrollBar>(QStringLiteral("HScroll1"));
    connect(angle, &QScrollBar::valueChanged, this, [this](int value) { hScroll1Changed(value); });
    connect(angle, &QScrollBar::sliderMoved, this, [this](int value) { hScroll1Scrolled(value); });
    connect(timer1_, &QTimer::timeout, this, [this] { timer1Tick(); });

    // Actions rather than shortcuts, so that a menu around the window can offer the same ones
    // without a second, ambiguous binding of the keys.
    undoAction_ = new QAction(this);
    undoAction_->setObjectName(QStringLiteral("actionUndo"));
    undoAction_->setShortcut(QKeySequence::Undo);
    redoAction_ = new QAction(this);
    redoAction_->setObjectName(QStringLiteral("actionRedo"));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addActions({undoAction_, redoAction_});
    connect(undoAction_, &QAction::triggered, &model_, &design::DesignModel::undo);
    connect(redoAction_, &QAction::triggered, &model_, &design::DesignModel::redo);

    connect(&model_, &design::DesignModel::changed, this, [this] {
        showModel();
        emit designChanged();
    });
    connect(control<QComboBox>(QStringLiteral("Combo1")), &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.setTileSizeText(text); });
    connect(control<QComboBox>(QStringLiteral("Combo2")), &QComboBox::editTextChanged, this,
            [this](const QString& text) { model_.setLineWidthText(text); });
}

void Form1::startUp() {
    canvas::Surface& design = model_.canvas();
    rotatedFont_ = std::make_unique<pads::CLogFont>();
    rotatedFont_->setLogFont(pads::describeFont(design.font()));
    symbolPadFont_ = pads::symbolPadInitialFont();
    design.setFontSize(24);
    model_.showOpening(control<QLabel>(QStringLiteral("Label2"))->text());

    const std::pair<const char*, QStringList> lists[] = {
        {"Combo1", kTileSizes}, {"Combo2", kLineWidths}, {"Combo3", letters()}};
    for (const auto& [name, items] : lists) {
        auto* combo = control<QComboBox>(QString::fromLatin1(name));
        const QString shown = combo->currentText();
        combo->addItems(items);
        combo->setEditText(shown);
    }
    model_.setTileSizeText(comboText("Combo1"));
    model_.setLineWidthText(comboText("Combo2"));
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor border = toQColor(kPanelBorderColour);
    for (const PanelSpec& panel : layoutPanels()) {
        const QRect outer = panel.geometry;
        const int width = panel.borderWidth;
        if (panel.fill) {
            painter.fillRect(outer, border);
            painter.fillRect(outer.adjusted(width, width, -width, -width), toQColor(*panel.fill));
            continue;
        }
        painter.fillRect(outer.x(), outer.y(), outer.width(), width, border);
        painter.fillRect(outer.x(), outer.bottom() - width + 1, outer.width(), width, border);
        painter.fillRect(outer.x(), outer.y(), width, outer.height(), border);
        painter.fillRect(outer.right() - width + 1, outer.y(), width, outer.height(), border);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        watched == controls_.value(QStringLiteral("Label13"))) {
        label13Clicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::showModel() {
    control<QLabel>(QStringLiteral("Label2"))->setText(model_.title());
    for (const auto& [name, text] : {std::pair{"Combo1", model_.tileSizeText()},
                                     std::pair{"Combo2", model_.lineWidthText()}}) {
        if (comboText(name) != text) {
            control<QComboBox>(QString::fromLatin1(name))->setEditText(text);
        }
    }
}

void Form1::catalogueClicked(const QString& controlName, const QString& caption) {
    if (patterns::findFigure(controlName) != nullptr) {
        lineWidthText(); // for its hint; the model has the same text
        model_.drawFigure(controlName, caption);
    }
}

void Form1::advancedClicked(int array, int index) {
    const int category = checkValue(control<QCheckBox>(QStringLiteral("Check1"))->checkState());
    lineWidthText();
    model_.drawAdvanced(array, index, category);
}

void Form1::command14Clicked() {
    renderEffect(EffectButton::OwnSize);
}

void Form1::command15Clicked() {
    if (!renderEffect(EffectButton::ChosenSize)) {
        showHint(QStringLiteral("图案大小请填 1 到 1000 之间的数字"));
    }
}

bool Form1::renderEffect(EffectButton button) {
    const QString credit = effect::creditLine(QDate::currentDate());
    if (button == EffectButton::OwnSize) {
        effect::renderEffectOwnSize(effect_, model_.canvas(), strip_, credit, model_.repeat());
    } else if (!effect::renderEffectChosenSize(effect_, strip_, model_.canvas(),
                                               comboText("Combo1"), credit, model_.repeat())) {
        return false;
    }
    lastEffect_ = button;
    return true;
}

void Form1::refreshEffect() {
    strip_.setPicture(model_.canvas().image());
    renderEffect(lastEffect_);
}

QSize Form1::effectTileSize() const {
    if (lastEffect_ == EffectButton::OwnSize) {
        return model_.canvas().imageRef().size();
    }
    return effect::chosenTileSize(strip_);
}

void Form1::saveClicked(const canvas::Surface& surface) {
    const QString path = savePathDialog_(this, effect::qtFilter(effect::kBitmapFilter));
    if (path.isEmpty()) {
        return;
    }
    // A .png name gets a real PNG of the same picture; every other name the specified bitmap.
    const files::SaveOutcome outcome = path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)
                                           ? effect::savePng(surface.image(), path)
                                           : effect::saveBitmap(surface.image(), path);
    if (!outcome.saved) {
        // The reason names the file.
        QMessageBox::warning(this, kWindowTitle,
                             QStringLiteral("无法保存文件。\n%1").arg(outcome.error));
    }
}

void Form1::label13Clicked() {
    urlOpener_(QUrl(effect::kMakerAddress));
}

void Form1::showHint(const QString& text) {
    hint_->setText(text);
    hint_->show();
    hint_->raise();
    hintTimer_->start();
    emit hintShown(text);
}

void Form1::padLoadClicked(const canvas::Surface& pad, const pads::PadDrawing& drawing) {
    model_.loadPicture(colouring::padPicture(pad.image(), drawing), colouring::kAdvancedDesignTitle,
                       colouring::PictureSource::Origin::Pad);
}

QString Form1::comboText(const char* name) const {
    return control<QComboBox>(QString::fromLatin1(name))->currentText();
}

// An unusable width leaves the pen as it is; the hint says why nothing got thinner or thicker.
QString Form1::lineWidthText() {
    const QString text = comboText("Combo2");
    if (!canvas::parseDrawWidth(text)) {
        showHint(QStringLiteral("线宽请填 1 到 32767 之间的数字"));
    }
    return text;
}

// The timer runs exactly while the random-art pad asks for its dot stream.
void Form1::followDotTimer() {
    if (randomArt_.timerEnabled && !timer1_->isActive()) {
        timer1_->start();
    } else if (!randomArt_.timerEnabled) {
        timer1_->stop();
    }
}

void Form1::randomArtPadPressed(float x, float y) {
    std::optional<pads::ArtMode> mode;
    for (int option = 1; option <= 4; ++option) {
        if (control<QRadioButton>(QStringLiteral("Option%1").arg(option))->isChecked()) {
            mode = pads::ArtMode(option);
        }
    }
    const QString width = mode == pads::ArtMode::CrossLines ? lineWidthText() : comboText("Combo2");
    pads::pressRandomArtPad(randomArtPad_, *random_, randomArt_, mode, x, y, width,
                            &randomArtDrawing_);
    followDotTimer();
}

void Form1::timer1Tick() {
    pads::tickDotStream(randomArtPad_, *random_, randomArt_.centre, &randomArtDrawing_);
}

void Form1::symbolPadPressed(float x, float y) {
    std::optional<pads::SymbolFont> symbolFont;
    const std::pair<const char*, pads::SymbolFont> options[] = {
        {"Option5", pads::SymbolFont::Wingdings},
        {"Option6", pads::SymbolFont::Wingdings2},
        {"Option7", pads::SymbolFont::Wingdings3}};
    for (const auto& [name, font] : options) {
        if (control<QRadioButton>(QString::fromLatin1(name))->isChecked()) {
            symbolFont = font;
        }
    }
    pads::stampSymbol(symbolPad_, symbolPadFont_, *rotatedFont_, *random_, x, y,
                      comboText("Combo3"), symbolFont, &symbolDrawing_);
}

void Form1::padResetClicked(const QString& controlName) {
    if (controlName == QStringLiteral("Command59")) {
        pads::resetRandomArtPad(randomArtPad_, *random_, randomArt_, lineWidthText(),
                                &randomArtDrawing_);
        followDotTimer();
    } else if (controlName == QStringLiteral("Command64")) {
        pads::resetPad(symbolPad_, *random_, &symbolDrawing_);
    } else {
        pads::resetPad(figurePad_, *random_, &figureDrawing_);
    }
}

void Form1::figurePresetClicked(const QString& controlName) {
    const auto& presets = pads::figurePresets();
    const auto preset = std::find_if(presets.begin(), presets.end(), [&](const auto& entry) {
        return controlName == QLatin1StringView(entry.controlName);
    });
    if (preset == presets.end()) {
        return;
    }
    pads::FigureParams fields;
    for (int i = 0; i < int(fields.size()); ++i) {
        fields[i] = control<QLineEdit>(QStringLiteral("txtParam(%1)").arg(i))->text();
    }
    pads::runFigurePreset(int(preset - presets.begin()), figureCounter_, fields, figurePad_,
                          *random_, &figureDrawing_);
    for (int i = 0; i < int(fields.size()); ++i) {
        control<QLineEdit>(QStringLiteral("txtParam(%1)").arg(i))->setText(fields[i]);
    }
}

void Form1::hScroll1Changed(int value) {
    pads::changeOutputAngle(*rotatedFont_, value);
}

void Form1::hScroll1Scrolled(int value) {
    control<QLabel>(QStringLiteral("Label1"))->setText(pads::outputAngleReadout(value));
}

void Form1::command57Clicked() {
    pads::applyFontChoice(symbolPad_, symbolPadFont_,
                          fontDialog_(this, pads::fontDialogStart(symbolPadFont_)));
}

} // namespace app
