#include "help_dialogs.h"

#include "effect/effect.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtGlobal>

namespace app {

namespace {

// Every action with a shortcut, in the order the menus show them, submenus where they sit.
void collectShortcuts(const QWidget& menu, QList<const QAction*>& found) {
    for (const QAction* action : menu.actions()) {
        if (action->menu() != nullptr) {
            collectShortcuts(*action->menu(), found);
        } else if (!action->shortcuts().isEmpty()) {
            found << action;
        }
    }
}

// The menu text as a name: no mnemonic, no ellipsis.
QString actionName(const QAction& action) {
    QString name = action.text();
    name.remove(QRegularExpression(QStringLiteral(R"(\(&.\)|&|…$)")));
    return name.toHtmlEscaped();
}

QString shortcutTable(const QMenuBar& menus) {
    QList<const QAction*> actions;
    collectShortcuts(menus, actions);
    QString rows;
    for (const QAction* action : std::as_const(actions)) {
        QStringList keys;
        for (const QKeySequence& sequence : action->shortcuts()) {
            keys << sequence.toString(QKeySequence::NativeText).toHtmlEscaped();
        }
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>")
                    .arg(keys.join(QStringLiteral("、")), actionName(*action));
    }
    return QStringLiteral("<table>%1</table>").arg(rows);
}

} // namespace

QString helpText(const QMenuBar& menus) {
    return QStringLiteral(
               "<h3>设计方法</h3>"
               "<ol><li>点图案选择按钮（右边的 48 个按钮，或四个“高级图案”按钮）。</li>"
               "<li>点最上图配色：点哪块区域，哪块就换一种随机颜色，可多次配色、交叉配色。</li>"
               "<li>点“生成效果图”，设计就完成了；“保存图案”和“保存效果图”把图存成文件"
               "（文件名以 .png 结尾时存为 PNG，否则存为 BMP）。</li></ol>"
               "<h3>三块画板</h3>"
               "<p><b>随机图案板</b>：选好“选图1”到“选图4”，在板上点击作画；“调入主图”把它作为"
               "设计图的底图，“重新设计”清空画板。<br>"
               "<b>文字符号板</b>：在“设置文字”里写字，选好符号字体和角度，点击画板盖章。<br>"
               "<b>曲线图案板</b>：点“图1”到“图30”画滚圆曲线，可多次换图点击；四个参数框可改曲线。"
               "<br>“清空主图”去掉设计图的底图。</p>"
               "<h3>视图</h3>"
               "<p>“拼接方式”决定效果图怎样铺开：平铺、半落、砖块、镜像、旋转；半落和砖块另有"
               "错开 1/3、1/4 个图案的做法，“居中”在两倍大的格子里于左上角和中心各放一份图案，"
               "其余地方用图案左上角的底色。“对称群”列出全部十七种墙纸对称群（p1 到 p6m），"
               "设计图就是对称群的一个单元：只用到其中的一块（基本区域，设计图上以细虚线标出），"
               "其余由对称生成。矩形和正方形格子的十二种逐像素精确；六边形的五种按 W × "
               "round(√3·W) 为周期，每个像素取设计图中最近的像素，颜色不混合。"
               "打开“实时效果图”后，设计图的每次改动都会立刻重画效果图，在效果图上点击也能给设计图"
               "配色；“显示单元框”在效果图上用虚线标出一个图案单元（不会存进文件）。"
               "“实际尺寸”按屏幕的实际分辨率把效果图显示成印出来的大小：图案单元取上次"
               "导出印刷图的图案大小，上边和左边各有一把厘米刻度尺；在其中点击也给设计图配色。"
               "“检查接缝”在效果图上勾出按当前拼接方式在接缝两侧颜色不同的线稿区域，状态栏报出"
               "有几处；“统一接缝颜色”把每个这样的区域都涂成它面积较大那部分的颜色，算作一步，"
               "可以撤销。</p>"
               "<h3>放大编辑</h3>"
               "<p>“放大编辑…”把设计图放大 2 到 8 倍显示在单独的窗口里，便于点中细小的格子；"
               "在其中点击与在设计图上点击一样配色，状态栏报出指针下的像素和颜色。</p>"
               "<h3>画图工具</h3>"
               "<p>在工具栏（放大编辑窗口里也有一条）选“画笔”“直线”“矩形”“椭圆”或“橡皮”，"
               "就在设计图上拖动作画：用当前颜色，宽度由“笔宽”定（1 到 20 个图案像素）；"
               "按住 Shift，直线取 45° 的倍数，矩形画成正方形，椭圆画成圆；"
               "橡皮画出图案的底色。每一笔是一步，可以撤销，画出的线也是以后配色的边界。"
               "再点一下选中的工具就放下它，单击又是配色。</p>"
               "<h3>颜色</h3>"
               "<p>“颜色”菜单决定每次点击用什么颜色：随机、指定颜色（在“选择颜色…”、状态栏的最近"
               "颜色或“吸色”中选定），或和谐随机（类似色、互补色、三角色、单色）。“吸色”后下一次点"
               "击"
               "只取色、不填色；选了“指定颜色”时按住 Alt 点击也是取色。“填充范围”可选连通区域、同色"
               "全部或接缝连通（按线稿的区域，越过图案边缘接到当前拼接方式放在旁边的那一块，"
               "两半颜色不同也一起填），“对称”可让一次点击同时填到左右、上下、"
               "四向或八向的镜像位置。“调色板”列出图案用到的颜色及其面积，指针停在色块上显示色值、"
               "像素数和占比，单击设为当前颜色，Ctrl+单击锁定；“配色方案…”一次给出六组配色，"
               "锁定的颜色保持不变。</p>"
               "<h3>设计文件与恢复</h3>"
               "<p>“保存设计…”把设计连同它的做法（图案、线宽、每次配色、拼接方式）存成 .ccpat "
               "设计文件；“打开设计…”和“最近的设计”按原样重建设计，可以撤销。关闭窗口时设计会"
               "自动保留，下次用“恢复上次的设计”找回。</p>"
               "<h3>导入线稿</h3>"
               "<p>“导入线稿…”打开一张图片（“粘贴为线稿”取剪贴板里的图片），选择缩放到图内或填满"
               "裁切，并可按阈值转成干净的黑色线条，预览满意后放进设计图作底图，再点击配色。</p>"
               "<h3>导出印刷图</h3>"
               "<p>“导出印刷图…”把设计按所选拼接方式铺满任意大小的页面，存为 PNG、TIFF 或 BMP："
               "选好页面（A4、A3、布幅或自定义）、分辨率和图案大小（厘米、毫米、英寸或像素），"
               "导出在后台进行，可随时取消。图案大于设计图时按设计的做法重新绘制，线条保持清晰。"
               "“机器尺寸”让整数个图案正好排满圆网周长（64.0 或 91.4 厘米，沿布长）、墙纸幅宽"
               "（53 厘米，沿横向）或 24 英寸方形面板：图案改为最接近的整份，并写出算式，"
               "如“640 mm ÷ 4 = 160 mm”，页面沿该方向正好是这么多个图案；“导出分色…”也有这一项。"
               "对话框记住上次的选择。</p>"
               "<h3>快捷键</h3>%1"
               "<p>在线宽等文字框里改动文字后，Ctrl+Z、Ctrl+Y 和 Ctrl+V "
               "作用于框里的文字；没有改动时作用于图案。</p>")
        .arg(shortcutTable(menus));
}

QString aboutText() {
    return QStringLiteral("<h3>澄川纹样工坊 %1</h3>"
                          "<p>澄川软件设计出品<br><a href=\"%2\">%2</a></p>"
                          "<p>基于 Qt %3</p>"
                          "<h4>所用软件与字体的许可</h4>"
                          "<ul><li>Qt：GNU 宽通用公共许可证第 3 版（LGPLv3）</li>"
                          "<li>libpng：libpng 许可证</li>"
                          "<li>libtiff：libtiff 许可证（BSD 式）</li>"
                          "<li>Noto Sans CJK 字体：SIL 开放字体许可证 1.1（OFL）</li>"
                          "<li>Symbola 字体：作者声明可自由使用</li></ul>")
        .arg(QStringLiteral(PW_VERSION), effect::kMakerAddress, QString::fromLatin1(qVersion()));
}

} // namespace app
