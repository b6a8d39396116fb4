#include "control_tips.h"

#include "colouring/surfaces.h"
#include "pads/figures.h"
#include "patterns/catalogue.h"

#include <QBuffer>
#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace app {
namespace {

struct ControlTip {
    const char* name;
    const char* text;
};

constexpr ControlTip kControlTips[] = {
    {"Picture1", "设计图：点击一块区域，给它随机配一种颜色"},
    {"Picture2", "效果图：设计图拼接铺开的样子"},
    {"Picture3", "按所选大小缩放后的设计图"},
    {"Picture4", "随机图案板：按所选方式点击作画"},
    {"Picture5", "文字符号板：点击盖上文字或符号"},
    {"picOutput", "曲线图案板：点图1到图30画出滚圆曲线"},
    {"Label1", "第一步之后：点击设计图配色"},
    {"Label2", "当前设计的名称"},
    {"Combo2", "图案的线宽（1 到 32767）"},
    {"Check1", "高级图案的类别：勾选、不勾或灰色各出不同的图案"},
    {"Command71(2)", "随机生成高级图案（第一种）"},
    {"Command71(1)", "随机生成高级图案（第二种）"},
    {"Command70(2)", "随机生成高级图案（第三种）"},
    {"Command70(1)", "随机生成高级图案（第四种）"},
    {"Command14", "用设计图原大小铺满效果图"},
    {"Command2", "把设计图保存为图片文件"},
    {"Combo1", "效果图中单个图案的大小（1 到 1000 像素）"},
    {"Command15", "按左边的大小铺满效果图"},
    {"Command17", "把效果图保存为图片文件"},
    {"Label13", "打开制作者的网站"},
    {"Option1", "随机图案板的作画方式一"},
    {"Option2", "随机图案板的作画方式二"},
    {"Option3", "随机图案板的作画方式三"},
    {"Option4", "随机图案板的作画方式四"},
    {"Command60", "把随机图案板的图调入设计图"},
    {"Command59", "清空随机图案板重新设计"},
    {"Command61", "去掉设计图的底图"},
    {"Option5", "用 wingdings 符号字体盖章"},
    {"Option6", "用 wingdings 2 符号字体盖章"},
    {"Option7", "用 wingdings 3 符号字体盖章"},
    {"Command63", "把文字符号板的图调入设计图"},
    {"Command64", "清空文字符号板重新设计"},
    {"Combo3", "点击文字符号板时盖上的文字"},
    {"HScroll1", "盖章文字的旋转角度"},
    {"Command57", "选择盖章文字的字体"},
    {"txtParam(0)", "曲线参数 R：大圆半径"},
    {"txtParam(1)", "曲线参数 r：小圆半径"},
    {"txtParam(2)", "曲线参数 D：画笔离小圆圆心的距离"},
    {"txtParam(3)", "曲线参数 N：画的点数"},
    {"Command62", "把曲线图案板的图调入设计图"},
    {"Command65", "清空曲线图案板重新设计"},
};

QString routineName(pads::FigureRoutine routine) {
    switch (routine) {
    case pads::FigureRoutine::Coarse:
        return QStringLiteral("粗步（每步 π/20）");
    case pads::FigureRoutine::Medium:
        return QStringLiteral("中步（每步 π/60）");
    case pads::FigureRoutine::Fine:
        break;
    }
    return QStringLiteral("细步（每步 π/360）");
}

// perCounter × C + constant, as a reader writes it.
QString expression(const pads::CounterExpression& term) {
    if (term.perCounter == 0) {
        return QString::number(term.constant);
    }
    const QString counter =
        term.perCounter == 1 ? QStringLiteral("C") : QStringLiteral("%1C").arg(term.perCounter);
    if (term.constant == 0) {
        return counter;
    }
    return QStringLiteral("%1 %2 %3")
        .arg(counter, term.constant < 0 ? QStringLiteral("−") : QStringLiteral("+"))
        .arg(std::abs(int(term.constant)));
}

// Turns of the pen against the rolling circle's radius per turn of the radius: each turn draws
// one petal, and the curve closes after r / gcd(R, r) turns of the radius. The fine routine's pen
// turns the other way round from the coarse and medium ones'.
double petalTurns(pads::FigureRoutine routine, double bigR, double smallR) {
    return routine == pads::FigureRoutine::Fine ? bigR / smallR : std::abs(bigR / smallR - 2.0);
}

// The figure in words, as its first click draws it: the kind of curve and its petals, or what
// changes from click to click.
QString figureWords(const pads::FigurePreset& preset) {
    const auto valueAt = [&preset](int index) {
        const pads::CounterExpression& term = preset.params[std::size_t(index)];
        return double(term.perCounter * preset.step + term.constant);
    };
    const double bigR = valueAt(0);
    const double smallR = valueAt(1);
    const bool coarse = preset.routine == pads::FigureRoutine::Coarse;
    QString kind = bigR > smallR ? QStringLiteral("内摆线") : QStringLiteral("外摆线");
    if (coarse) {
        kind.prepend(QStringLiteral("点状"));
    }
    QStringList words{kind};
    if (preset.params[0].perCounter != 0 || preset.params[1].perCounter != 0) {
        words << QStringLiteral("花瓣数每点一次都变");
    } else if (const int petals = int(std::lround(petalTurns(preset.routine, bigR, smallR) *
                                                  smallR / std::gcd(int(bigR), int(smallR))));
               petals == 0) {
        words = QStringList{QStringLiteral("圆")}; // the pen keeps its distance from the centre
    } else {
        words << QStringLiteral("%1 个花瓣").arg(petals);
    }
    if (preset.params[2].perCounter != 0) {
        words << QStringLiteral("笔距每点一次变大");
    }
    return words.join(QStringLiteral(" · "));
}

QString figurePresetTip(const pads::FigurePreset& preset) {
    const auto& p = preset.params;
    return QStringLiteral("%1：%2\nR = %3，r = %4，D = %5，N = %6，%7\n"
                          "C 每点一次加 %8，超过 %9 时清空画板重来")
        .arg(QString::fromUtf8(preset.caption), figureWords(preset), expression(p[0]),
             expression(p[1]), expression(p[2]), expression(p[3]), routineName(preset.routine))
        .arg(preset.step)
        .arg(preset.limit);
}

// The figure drawn by the pattern frame on a fresh design canvas, at twice the canvas's size.
QImage catalogueThumbnail(const patterns::Figure& figure) {
    canvas::Surface design(colouring::designCanvasSetup());
    std::int16_t savedFillStyle = design.fillStyle();
    patterns::drawCatalogueFigure(design, figure, QStringLiteral("2"), patterns::caption(figure),
                                  savedFillStyle);
    const QImage& drawn = design.imageRef();
    return drawn.scaled(drawn.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// The catalogue button's tooltip: the picture, and beside it the caption with the number within
// its family ("领带图案 · 第 1 款，共 4 款"), naming the family where the caption does not.
QString catalogueTip(const patterns::Figure& figure) {
    int number = 0;
    int count = 0;
    for (const patterns::Figure& other : patterns::catalogue()) {
        if (QLatin1StringView(other.family) == QLatin1StringView(figure.family)) {
            ++count;
            if (&other == &figure) {
                number = count;
            }
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    catalogueThumbnail(figure).save(&buffer, "PNG");
    const QString family = patterns::familyName(figure);
    const QString caption = patterns::caption(figure);
    return QStringLiteral("<table><tr><td><img src=\"data:image/png;base64,%1\"></td>"
                          "<td style=\"vertical-align: middle\">%2 · %3第 %4 款，共 %5 款</td>"
                          "</tr></table>")
        .arg(QString::fromLatin1(png.toBase64()), caption, caption == family ? QString() : family)
        .arg(number)
        .arg(count);
}

// Fills in a catalogue button's tooltip the first time it is asked for, so that start-up draws
// none of the 48 pictures.
class CatalogueTips : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* button = static_cast<QWidget*>(watched);
            if (button->toolTip().isEmpty()) {
                button->setToolTip(catalogueTip(*patterns::findFigure(button->objectName())));
            }
        }
        return false;
    }
};

} // namespace

void installControlTips(QWidget& form) {
    for (const ControlTip& tip : kControlTips) {
        if (auto* control = form.findChild<QWidget*>(QString::fromLatin1(tip.name))) {
            control->setToolTip(QString::fromUtf8(tip.text));
        }
    }
    for (const pads::FigurePreset& preset : pads::figurePresets()) {
        if (auto* button = form.findChild<QWidget*>(QString::fromLatin1(preset.controlName))) {
            button->setToolTip(figurePresetTip(preset));
        }
    }
    auto* catalogueTips = new CatalogueTips(&form);
    for (const patterns::Figure& figure : patterns::catalogue()) {
        if (auto* button = form.findChild<QWidget*>(patterns::controlName(figure))) {
            button->installEventFilter(catalogueTips);
        }
    }
}

} // namespace app
