#include "named_colours.h"

#include "colour_difference.h"

#include <vector>

namespace colouring {
namespace {

// The named colours of the CSS Color Module (W3C), without the seven "grey" spellings, which
// name the same colours as their "gray" twins. The Chinese names are this program's own.
constexpr NamedColour kNamedColours[] = {
    {"aliceblue", "爱丽丝蓝", 0xFFF0F8FF},
    {"antiquewhite", "古董白", 0xFFFAEBD7},
    {"aqua", "水色", 0xFF00FFFF},
    {"aquamarine", "海蓝宝石色", 0xFF7FFFD4},
    {"azure", "蔚蓝白", 0xFFF0FFFF},
    {"beige", "米色", 0xFFF5F5DC},
    {"bisque", "素坯色", 0xFFFFE4C4},
    {"black", "黑色", 0xFF000000},
    {"blanchedalmond", "杏仁白", 0xFFFFEBCD},
    {"blue", "蓝色", 0xFF0000FF},
    {"blueviolet", "蓝紫色", 0xFF8A2BE2},
    {"brown", "棕色", 0xFFA52A2A},
    {"burlywood", "原木色", 0xFFDEB887},
    {"cadetblue", "灰青蓝", 0xFF5F9EA0},
    {"chartreuse", "酒绿色", 0xFF7FFF00},
    {"chocolate", "巧克力色", 0xFFD2691E},
    {"coral", "珊瑚色", 0xFFFF7F50},
    {"cornflowerblue", "矢车菊蓝", 0xFF6495ED},
    {"cornsilk", "玉米丝色", 0xFFFFF8DC},
    {"crimson", "猩红色", 0xFFDC143C},
    {"cyan", "青色", 0xFF00FFFF},
    {"darkblue", "深蓝色", 0xFF00008B},
    {"darkcyan", "深青色", 0xFF008B8B},
    {"darkgoldenrod", "暗金黄色", 0xFFB8860B},
    {"darkgray", "深灰色", 0xFFA9A9A9},
    {"darkgreen", "深绿色", 0xFF006400},
    {"darkkhaki", "深卡其色", 0xFFBDB76B},
    {"darkmagenta", "深洋红色", 0xFF8B008B},
    {"darkolivegreen", "深橄榄绿", 0xFF556B2F},
    {"darkorange", "深橙色", 0xFFFF8C00},
    {"darkorchid", "深兰花紫", 0xFF9932CC},
    {"darkred", "深红色", 0xFF8B0000},
    {"darksalmon", "深鲑红", 0xFFE9967A},
    {"darkseagreen", "深海绿", 0xFF8FBC8F},
    {"darkslateblue", "深石板蓝", 0xFF483D8B},
    {"darkslategray", "深石板灰", 0xFF2F4F4F},
    {"darkturquoise", "深绿松石色", 0xFF00CED1},
    {"darkviolet", "深紫罗兰色", 0xFF9400D3},
    {"deeppink", "深粉色", 0xFFFF1493},
    {"deepskyblue", "深天蓝", 0xFF00BFFF},
    {"dimgray", "暗灰色", 0xFF696969},
    {"dodgerblue", "道奇蓝", 0xFF1E90FF},
    {"firebrick", "耐火砖红", 0xFFB22222},
    {"floralwhite", "花白色", 0xFFFFFAF0},
    {"forestgreen", "森林绿", 0xFF228B22},
    {"fuchsia", "紫红色", 0xFFFF00FF},
    {"gainsboro", "淡灰色", 0xFFDCDCDC},
    {"ghostwhite", "幽灵白", 0xFFF8F8FF},
    {"gold", "金色", 0xFFFFD700},
    {"goldenrod", "金菊色", 0xFFDAA520},
    {"gray", "灰色", 0xFF808080},
    {"green", "绿色", 0xFF008000},
    {"greenyellow", "绿黄色", 0xFFADFF2F},
    {"honeydew", "蜜瓜色", 0xFFF0FFF0},
    {"hotpink", "艳粉色", 0xFFFF69B4},
    {"indianred", "印度红", 0xFFCD5C5C},
    {"indigo", "靛青色", 0xFF4B0082},
    {"ivory", "象牙白", 0xFFFFFFF0},
    {"khaki", "卡其色", 0xFFF0E68C},
    {"lavender", "薰衣草色", 0xFFE6E6FA},
    {"lavenderblush", "薰衣草红", 0xFFFFF0F5},
    {"lawngreen", "草坪绿", 0xFF7CFC00},
    {"lemonchiffon", "柠檬绸色", 0xFFFFFACD},
    {"lightblue", "浅蓝色", 0xFFADD8E6},
    {"lightcoral", "浅珊瑚色", 0xFFF08080},
    {"lightcyan", "浅青色", 0xFFE0FFFF},
    {"lightgoldenrodyellow", "浅金菊黄", 0xFFFAFAD2},
    {"lightgray", "浅灰色", 0xFFD3D3D3},
    {"lightgreen", "浅绿色", 0xFF90EE90},
    {"lightpink", "浅粉色", 0xFFFFB6C1},
    {"lightsalmon", "浅鲑红", 0xFFFFA07A},
    {"lightseagreen", "浅海绿", 0xFF20B2AA},
    {"lightskyblue", "浅天蓝", 0xFF87CEFA},
    {"lightslategray", "浅石板灰", 0xFF778899},
    {"lightsteelblue", "浅钢蓝", 0xFFB0C4DE},
    {"lightyellow", "浅黄色", 0xFFFFFFE0},
    {"lime", "鲜绿色", 0xFF00FF00},
    {"limegreen", "酸橙绿", 0xFF32CD32},
    {"linen", "亚麻色", 0xFFFAF0E6},
    {"magenta", "洋红色", 0xFFFF00FF},
    {"maroon", "褐红色", 0xFF800000},
    {"mediumaquamarine", "中海蓝宝石色", 0xFF66CDAA},
    {"mediumblue", "中蓝色", 0xFF0000CD},
    {"mediumorchid", "中兰花紫", 0xFFBA55D3},
    {"mediumpurple", "中紫色", 0xFF9370DB},
    {"mediumseagreen", "中海绿", 0xFF3CB371},
    {"mediumslateblue", "中石板蓝", 0xFF7B68EE},
    {"mediumspringgreen", "中春绿", 0xFF00FA9A},
    {"mediumturquoise", "中绿松石色", 0xFF48D1CC},
    {"mediumvioletred", "中紫罗兰红", 0xFFC71585},
    {"midnightblue", "午夜蓝", 0xFF191970},
    {"mintcream", "薄荷乳白", 0xFFF5FFFA},
    {"mistyrose", "雾玫瑰色", 0xFFFFE4E1},
    {"moccasin", "鹿皮色", 0xFFFFE4B5},
    {"navajowhite", "纳瓦霍白", 0xFFFFDEAD},
    {"navy", "海军蓝", 0xFF000080},
    {"oldlace", "旧蕾丝色", 0xFFFDF5E6},
    {"olive", "橄榄色", 0xFF808000},
    {"olivedrab", "橄榄军绿", 0xFF6B8E23},
    {"orange", "橙色", 0xFFFFA500},
    {"orangered", "橙红色", 0xFFFF4500},
    {"orchid", "兰花紫", 0xFFDA70D6},
    {"palegoldenrod", "淡金菊色", 0xFFEEE8AA},
    {"palegreen", "淡绿色", 0xFF98FB98},
    {"paleturquoise", "淡绿松石色", 0xFFAFEEEE},
    {"palevioletred", "淡紫罗兰红", 0xFFDB7093},
    {"papayawhip", "番木瓜色", 0xFFFFEFD5},
    {"peachpuff", "桃色", 0xFFFFDAB9},
    {"peru", "秘鲁色", 0xFFCD853F},
    {"pink", "粉红色", 0xFFFFC0CB},
    {"plum", "梅紫色", 0xFFDDA0DD},
    {"powderblue", "粉蓝色", 0xFFB0E0E6},
    {"purple", "紫色", 0xFF800080},
    {"rebeccapurple", "丽贝卡紫", 0xFF663399},
    {"red", "红色", 0xFFFF0000},
    {"rosybrown", "玫瑰褐", 0xFFBC8F8F},
    {"royalblue", "宝蓝色", 0xFF4169E1},
    {"saddlebrown", "马鞍棕", 0xFF8B4513},
    {"salmon", "鲑红色", 0xFFFA8072},
    {"sandybrown", "沙棕色", 0xFFF4A460},
    {"seagreen", "海绿色", 0xFF2E8B57},
    {"seashell", "贝壳白", 0xFFFFF5EE},
    {"sienna", "赭色", 0xFFA0522D},
    {"silver", "银色", 0xFFC0C0C0},
    {"skyblue", "天蓝色", 0xFF87CEEB},
    {"slateblue", "石板蓝", 0xFF6A5ACD},
    {"slategray", "石板灰", 0xFF708090},
    {"snow", "雪白色", 0xFFFFFAFA},
    {"springgreen", "春绿色", 0xFF00FF7F},
    {"steelblue", "钢蓝色", 0xFF4682B4},
    {"tan", "棕褐色", 0xFFD2B48C},
    {"teal", "蓝绿色", 0xFF008080},
    {"thistle", "蓟紫色", 0xFFD8BFD8},
    {"tomato", "番茄红", 0xFFFF6347},
    {"turquoise", "绿松石色", 0xFF40E0D0},
    {"violet", "紫罗兰色", 0xFFEE82EE},
    {"wheat", "小麦色", 0xFFF5DEB3},
    {"white", "白色", 0xFFFFFFFF},
    {"whitesmoke", "烟白色", 0xFFF5F5F5},
    {"yellow", "黄色", 0xFFFFFF00},
    {"yellowgreen", "黄绿色", 0xFF9ACD32},
};

} // namespace

std::span<const NamedColour> namedColours() {
    return kNamedColours;
}

const NamedColour* nearestNamedColour(QRgb colour) {
    static const std::vector<Lab> labs = [] {
        std::vector<QRgb> values;
        for (const NamedColour& named : kNamedColours) {
            values.push_back(named.colour);
        }
        return labOf(values);
    }();
    const Lab lab = labOf(colour);
    const NamedColour* nearest = nullptr;
    double least = kNamingTolerance;
    for (std::size_t index = 0; index < labs.size(); ++index) {
        const double difference = colourDifference(lab, labs[index]);
        if (difference < least) {
            least = difference;
            nearest = &kNamedColours[index];
        }
    }
    return nearest;
}

QString nearestColourName(QRgb colour) {
    const NamedColour* named = nearestNamedColour(colour);
    return named != nullptr ? QString::fromUtf8(named->chinese) : QString();
}

const NamedColour* namedColour(const QString& name) {
    const QString wanted = name.trimmed();
    for (const NamedColour& named : kNamedColours) {
        if (wanted.compare(QLatin1String(named.english), Qt::CaseInsensitive) == 0 ||
            wanted == QString::fromUtf8(named.chinese)) {
            return &named;
        }
    }
    return nullptr;
}

} // namespace colouring
