#include "help_dialogs.h"

#include "workflow/workflow.h"

#include <QtGlobal>

namespace app {

QString helpText() {
    return QStringLiteral(
        "<h3>设计方法</h3>"
        "<ol><li>点图案选择按钮（右边的 48 个按钮，或四个“高级图案”按钮）。</li>"
        "<li>点最上图配色：点哪块区域，哪块就换一种随机颜色，可多次配色、交叉配色。</li>"
        "<li>点“生成效果图”，设计就完成了；“保存图案”和“保存效果图”把图存成文件"
        "（文件名以 .png 结尾时存为 PNG，否则存为 BMP）。</li></ol>"
        "<h3>三块画板</h3>"
        "<p><b>随机图案板</"
        "b>：选好“选图1”到“选图4”，在板上点击作画；“调入主图”把它作为设计图的底图，"
        "“重新设计”清空画板。<br>"
        "<b>文字符号板</b>：在“设置文字”里写字，选好符号字体和角度，点击画板盖章。<br>"
        "<b>曲线图案板</b>：点“图1”到“图30”画滚圆曲线，可多次换图点击；四个参数框可改曲线。<br>"
        "“清空主图”去掉设计图的底图。</p>"
        "<h3>视图</h3>"
        "<p>“拼接方式”决定效果图怎样铺开：平铺、半落、砖块、镜像、旋转。"
        "打开“实时效果图”后，设计图的每次改动都会立刻重画效果图，在效果图上点击也能给设计图配色；"
        "“显示单元框”在效果图上用虚线标出一个图案单元（不会存进文件）。</p>"
        "<h3>颜色</h3>"
        "<p>“颜色”菜单决定每次点击用什么颜色：随机、指定颜色（在“选择颜色…”、状态栏的最近颜色"
        "或“吸色”中选定），或和谐随机（类似色、互补色、三角色、单色）。“吸色”后下一次点击只取色、"
        "不填色；选了“指定颜色”时按住 Alt 点击也是取色。“填充范围”可选连通区域、同色全部或接缝连通"
        "（越过图案边缘从对边接着填），“对称”可让一次点击同时填到左右、上下、四向或八向的镜像位置。"
        "“调色板”列出图案用到的颜色及其面积，单击设为当前颜色，Ctrl+单击锁定；“配色方案…”一次给出"
        "六组配色，锁定的颜色保持不变。</p>"
        "<h3>快捷键</h3>"
        "<table>"
        "<tr><td>Ctrl+O</td><td>导入线稿</td></tr>"
        "<tr><td>Ctrl+S</td><td>保存图案</td></tr>"
        "<tr><td>Ctrl+Shift+S</td><td>保存效果图</td></tr>"
        "<tr><td>Ctrl+E</td><td>导出印刷图</td></tr>"
        "<tr><td>Ctrl+Z</td><td>撤销</td></tr>"
        "<tr><td>Ctrl+Y、Ctrl+Shift+Z</td><td>重做</td></tr>"
        "<tr><td>Ctrl+C</td><td>复制图案</td></tr>"
        "<tr><td>Ctrl+V</td><td>粘贴为线稿</td></tr>"
        "<tr><td>F3</td><td>放大编辑</td></tr>"
        "<tr><td>I</td><td>吸色</td></tr>"
        "<tr><td>Ctrl+K</td><td>配色方案</td></tr>"
        "<tr><td>F1</td><td>使用说明</td></tr>"
        "<tr><td>Ctrl+Q</td><td>退出</td></tr>"
        "</table>"
        "<p>文字框有输入焦点时，编辑快捷键作用于框里的文字。</p>");
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
        .arg(QStringLiteral(PW_VERSION), workflow::kMakerAddress, QString::fromLatin1(qVersion()));
}

} // namespace app
