<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Catalogue</name>
    <message>
        <source>grids</source>
        <translation>格子图案</translation>
    </message>
    <message>
        <source>ties</source>
        <translation>领带图案</translation>
    </message>
    <message>
        <source>silk scarves</source>
        <translation>丝巾图案</translation>
    </message>
    <message>
        <source>bedsheets</source>
        <translation>床单图案</translation>
    </message>
    <message>
        <source>shirts</source>
        <translation>衬衫图案</translation>
    </message>
    <message>
        <source>T-shirt</source>
        <translation>T恤图案</translation>
    </message>
    <message>
        <source>flag</source>
        <translation>旗帜图案</translation>
    </message>
    <message>
        <source>wall tiles</source>
        <translation>墙砖图案</translation>
    </message>
    <message>
        <source>ceramics</source>
        <translation>陶艺图案</translation>
    </message>
    <message>
        <source>floor tiles</source>
        <translation>地砖图案</translation>
    </message>
    <message>
        <source>packaging</source>
        <translation>包装图案</translation>
    </message>
    <message>
        <source>emblems</source>
        <translation>吉祥图案</translation>
    </message>
</context>
<context>
    <name>ColourwaySheet</name>
    <message>
        <source>Colourway %1: %2 colours</source>
        <translation>方案 %1：共 %2 色</translation>
    </message>
    <message>
        <source>The design has one colour only, so every colourway is the same.</source>
        <translation>图案只有一种颜色，所以每组配色都一样。</translation>
    </message>
    <message>
        <source>Every colour of the design is locked, so every colourway is the same.</source>
        <translation>图案的每种颜色都已锁定，所以每组配色都一样。</translation>
    </message>
</context>
<context>
    <name>DesignDocument</name>
    <message>
        <source>The design document&apos;s line art is %1 x %2 pixels; at most %3 pixels and %4 a side are allowed.</source>
        <translation>设计文档中的线稿为 %1 x %2 像素；最多允许 %3 像素、每边 %4 像素。</translation>
    </message>
    <message>
        <source>The design document is larger than %1 MB.</source>
        <translation>设计文档超过 %1 MB。</translation>
    </message>
    <message>
        <source>The design&apos;s document would take %1 MB, more than the %2 MB a design document may hold, so it could not be opened again.</source>
        <translation>这个设计的文档将有 %1 MB，超过设计文档最多容纳的 %2 MB，保存后将无法再打开。</translation>
    </message>
    <message>
        <source>The design has %1 changes, more than the %2 a design document may hold.</source>
        <translation>这个设计有 %1 步更改，超过设计文档最多容纳的 %2 步。</translation>
    </message>
    <message>
        <source>The design&apos;s strokes have %1 points, more than the %2 a design document may hold.</source>
        <translation>这个设计的笔画共有 %1 个点，超过设计文档最多容纳的 %2 个。</translation>
    </message>
    <message>
        <source>There is not enough memory to read the design document.</source>
        <translation>内存不足，无法读取设计文档。</translation>
    </message>
    <message>
        <source>The design document is not valid JSON: %1.</source>
        <translation>设计文档不是有效的 JSON：%1。</translation>
    </message>
    <message>
        <source>The design document has format version %1; this program reads versions %2 to %3.</source>
        <translation>设计文档的格式版本为 %1；本程序只能读取版本 %2 到 %3。</translation>
    </message>
    <message>
        <source>The design document names an unknown figure &quot;%1&quot;.</source>
        <translation>设计文档中的图案“%1”不存在。</translation>
    </message>
    <message>
        <source>The design document has a missing or out-of-range value: %1.</source>
        <translation>设计文档缺少某个值或值超出范围：%1。</translation>
    </message>
    <message>
        <source>The design document has a press at %1, %2, outside the 142 x 142 canvas.</source>
        <translation>设计文档中有一次点击位于 %1, %2，在 142 x 142 画布之外。</translation>
    </message>
    <message>
        <source>The design document&apos;s picture is not a readable PNG image.</source>
        <translation>设计文档中的图片不是可读取的 PNG 图像。</translation>
    </message>
    <message>
        <source>The design document&apos;s picture is %1 x %2 pixels; at most 2048 x 2048 are allowed.</source>
        <translation>设计文档中的图片为 %1 x %2 像素；最大只允许 2048 x 2048。</translation>
    </message>
    <message>
        <source>The design document %1 could not be read: %2.</source>
        <translation>无法读取设计文档 %1：%2。</translation>
    </message>
    <message>
        <source>%1 is not a regular file (a FIFO, a device or a socket); only a design document saved as a file can be opened.</source>
        <translation>%1 不是普通文件（而是管道、设备或套接字）；只能打开保存为文件的设计文档。</translation>
    </message>
    <message>
        <source>The design document has a colourway picture that is not 142 x 142 pixels.</source>
        <translation>设计文档中有一个配色方案图片不是 142 x 142 像素。</translation>
    </message>
</context>
<context>
    <name>PatternRender</name>
    <message>
        <source>--fill wants X,Y or X,Y,#RRGGBB, not &quot;%1&quot;</source>
        <translation>--fill 需要 X,Y 或 X,Y,#RRGGBB，而不是“%1”</translation>
    </message>
    <message>
        <source>--stroke wants KIND:X1,Y1,X2,Y2[,...][:WIDTH][:#RRGGBB], KIND pen, line, rect, ellipse or eraser and WIDTH 1 to %1, not &quot;%2&quot;</source>
        <translation>--stroke 需要 种类:X1,Y1,X2,Y2[,...][:宽度][:#RRGGBB]，种类为 pen、line、rect、ellipse 或 eraser，宽度为 1 到 %1，而不是“%2”</translation>
    </message>
    <message>
        <source>--stroke point %1,%2 is not a number from %3 to %4</source>
        <translation>--stroke 的点 %1,%2 不是 %3 到 %4 之间的数</translation>
    </message>
    <message>
        <source>--stroke line, rect and ellipse take two points, pen and eraser 2 to %1, not &quot;%2&quot;</source>
        <translation>--stroke 的 line、rect 和 ellipse 需要两个点，pen 和 eraser 需要 2 到 %1 个点，而不是“%2”</translation>
    </message>
    <message>
        <source>--stroke eraser draws the background colour and takes no colour, not &quot;%1&quot;</source>
        <translation>--stroke 的 eraser 画的是底色，不带颜色，而不是“%1”</translation>
    </message>
    <message>
        <source>--fill point %1 lies outside the 142 x 142 canvas</source>
        <translation>--fill 的点 %1 在 142 x 142 画布之外</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 需要一个值</translation>
    </message>
    <message>
        <source>unknown figure &quot;%1&quot; (see --list)</source>
        <translation>没有图案“%1”（见 --list）</translation>
    </message>
    <message>
        <source>--figure-pad wants a figure from 1 to %1, not &quot;%2&quot;</source>
        <translation>--figure-pad 需要 1 到 %1 之间的图号，而不是“%2”</translation>
    </message>
    <message>
        <source>--advanced wants 1, 2, 3 or 4, not &quot;%1&quot;</source>
        <translation>--advanced 需要 1、2、3 或 4，而不是“%1”</translation>
    </message>
    <message>
        <source>--category wants 0 or 1, not &quot;%1&quot;</source>
        <translation>--category 需要 0 或 1，而不是“%1”</translation>
    </message>
    <message>
        <source>--width wants a positive whole number up to 32767, not &quot;%1&quot;</source>
        <translation>--width 需要 1 到 32767 之间的整数，而不是“%1”</translation>
    </message>
    <message>
        <source>--seed wants a whole number, not &quot;%1&quot;</source>
        <translation>--seed 需要一个整数，而不是“%1”</translation>
    </message>
    <message>
        <source>--effect wants own or a size from 1 to 1000, not &quot;%1&quot;</source>
        <translation>--effect 需要 own 或 1 到 1000 之间的大小，而不是“%1”</translation>
    </message>
    <message>
        <source>unknown option &quot;%1&quot; (see --help)</source>
        <translation>没有选项“%1”（见 --help）</translation>
    </message>
    <message>
        <source>give the output file with -o FILE</source>
        <translation>请用 -o 文件 给出输出文件</translation>
    </message>
    <message>
        <source>%1 wants WxH or one side, in pixels or with a unit cm, mm or in (2480x3508, 21x29.7cm, 20cm), not &quot;%2&quot;</source>
        <translation>%1 需要 宽x高 或一条边，单位为像素或 cm、mm、in（2480x3508、21x29.7cm、20cm），而不是“%2”</translation>
    </message>
    <message>
        <source>%1 comes to less than one pixel a side</source>
        <translation>%1 的边长不到一个像素</translation>
    </message>
    <message>
        <source>%1 allows at most %2 pixels a side, not %3 x %4</source>
        <translation>%1 每边最多 %2 像素，而不是 %3 x %4</translation>
    </message>
    <message>
        <source>a %1 x %2 page would make a BMP file over 4 GB; write .png or .tif instead</source>
        <translation>%1 x %2 的页面写成 BMP 会超过 4 GB，请改写 .png 或 .tif</translation>
    </message>
    <message>
        <source>--dpi wants a number from 1 to 10000, not &quot;%1&quot;</source>
        <translation>--dpi 需要 1 到 10000 之间的数，而不是“%1”</translation>
    </message>
    <message>
        <source>%1 is given twice</source>
        <translation>%1 给了两次</translation>
    </message>
    <message>
        <source>%1 does nothing without %2</source>
        <translation>%1 不与 %2 同用时不起作用</translation>
    </message>
    <message>
        <source>%1 does nothing with %2</source>
        <translation>%1 与 %2 同用时不起作用</translation>
    </message>
    <message>
        <source>--repeat wants one of %1, not &quot;%2&quot;</source>
        <translation>--repeat 需要 %1 之一，而不是“%2”</translation>
    </message>
    <message>
        <source>the output file must end in .png, .tif, .tiff or .bmp</source>
        <translation>输出文件名必须以 .png、.tif、.tiff 或 .bmp 结尾</translation>
    </message>
    <message>
        <source>%1%  %2 rows/s  %3 left</source>
        <translation>%1%  每秒 %2 行  还需 %3</translation>
    </message>
    <message>
        <source>%1 wants one of %2, not &quot;%3&quot;</source>
        <translation>%1 需要 %2 之一，而不是“%3”</translation>
    </message>
    <message>
        <source>--base wants a colour #RRGGBB, not &quot;%1&quot;</source>
        <translation>--base 需要颜色 #RRGGBB，而不是“%1”</translation>
    </message>
    <message>
        <source>--colours wants a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>--colours 需要 %1 到 %2 之间的整数，而不是“%3”</translation>
    </message>
    <message>
        <source>--merge-colours wants a colour difference from 0 to %1, not &quot;%2&quot;</source>
        <translation>--merge-colours 需要 0 到 %1 之间的色差，而不是“%2”</translation>
    </message>
    <message>
        <source>--colourways wants a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--colourways 需要 1 到 %1 之间的整数，而不是“%2”</translation>
    </message>
    <message>
        <source>--colourways writes a sheet of its own: leave out --effect, --out-size, --tile-size, --fit-repeat and --repeat</source>
        <translation>--colourways 另写一张方案图：请去掉 --effect、--out-size、--tile-size、--fit-repeat 和 --repeat</translation>
    </message>
    <message>
        <source>advanced pattern %1</source>
        <translation>高级图案%1</translation>
    </message>
    <message>
        <source>Colourways of %1</source>
        <translation>%1的配色方案</translation>
    </message>
    <message>
        <source>Usage: pattern-render [options] -o FILE
Draws a design headless with the same drawing core as the window and writes it as PNG, TIFF
or BMP (24-bit, as the window saves), chosen by the file name&apos;s extension.

Figure (one of):
  --list                  print the 48 catalogue figures: control name, caption, family
  --pattern NAME          a catalogue figure by its control name, e.g. Command12
  --advanced N            advanced pattern N = 1..4 (&quot;高级图案1&quot; .. &quot;高级图案4&quot;)
  --category 0|1          advanced patterns: 1 fills the figure (the window&apos;s &quot;类别&quot; box)
  --design FILE.ccpat     a design document saved by the window or by --save-design; its
                          repeat type is used for tiled pages unless --repeat is given
  --line-art FILE         a picture turned into line art as &quot;导入线稿&quot; does (the whole
                          picture, on the canvas&apos;s background colour), its lines kept at
                          the picture&apos;s own resolution so that tiles print them sharp
  --threshold T           --line-art: a pixel darker than T (0 black .. 1 white, default
                          0.5) is a line
  --figure-pad N          figure N = 1..30 (&quot;图1&quot; .. &quot;图30&quot;) of the figure pad, put into
                          the design as &quot;调入主图&quot; does in a newly opened window; drawn
                          again sharp for larger tiles
Design:
  --width N               line width, as typed into the line-width list (default 2)
  --fill X,Y[,#RRGGBB]    a press at canvas point X,Y (0..141); repeatable, applied in order;
                          the colour is random from the seed unless given
  --stroke KIND:X1,Y1,X2,Y2[,...][:WIDTH][:#RRGGBB]
                          a stroke: KIND pen (through every point), line, rect or ellipse
                          (outlines, from the first point to the second), or eraser (the
                          design&apos;s background colour, like pen); points in canvas units,
                          within one canvas around it; WIDTH 1..20 pixels (default 2); the
                          colour of --base, or black, unless given; repeatable, applied in
                          order with the presses
  --seed N                seed of the random colours and advanced draws (default: the clock)
  --fill-scope SCOPE      what a press fills: region (default, the connected region), global
                          (every pixel of the pressed colour) or wrap (the region as drawn,
                          continued across the seams of --repeat)
  --symmetry MODE         where else a press fills: none (default), lr (mirrored left-right),
                          tb (top-bottom), four (both) or eight (and the diagonals)
  --colour-rule RULE      the colour of presses without one: random (default), analogous,
                          complementary, triadic or mono, around the --base colour
  --base #RRGGBB          the colour the harmony rules start from (default: a random hue)
  --merge-colours DE      merge the design&apos;s colours that differ by less than DE (CIEDE2000,
                          0..30), as 颜色 ▸ 减少颜色… does; repeatable, in order with --fill
  --colours N             merge the design&apos;s closest colours until N (2..24) are left;
                          repeatable, in order with --fill
  --save-design FILE.ccpat  also write the design document of what was drawn (-o may then
                          be left out)
Output:
  --effect own|SIZE       the effect picture (643 x 643) as &quot;生成效果图&quot; renders it: own size
                          tiles, or tiles of SIZE pixels (1..1000), with the credit line
  --no-credit             leave the credit line out of the effect picture
  --out-size SIZE         tile the design over a page of SIZE instead, streamed in constant
                          memory: WxH or one side, in pixels (2480x3508, 300) or with a
                          unit cm, mm or in (21x29.7cm, 210x297mm, 8.5x11in, 20cm); up to
                          300000 pixels a side (BMP: files up to 4 GB)
  --tile-size SIZE        the tile&apos;s size: larger than the design, the design is redrawn
                          sharp at that size (or, when the redrawing does not match the
                          design, enlarged with nearest pixels, with a warning); without it
                          tiles are the design&apos;s size
  --dpi N                 dots per inch for physical sizes, written into the file (default
                          300 when a size has a unit, otherwise none; 1 to 10000)
  --fit-repeat TARGET     fit a whole number of tiles exactly into a machine&apos;s length:
                          rotary-64cm or rotary-91.4cm (a rotary screen&apos;s circumference,
                          along the page&apos;s height), wallpaper-53cm (across its width),
                          panel-24in (a 24 x 24 in panel, both ways) or a length with a
                          unit (50cm: along the height); the tile becomes the length over
                          the number of repeats nearest its size (&quot;640 mm ÷ 4 = 160 mm&quot;,
                          told on stderr) and the page that many tiles along it (without
                          --out-size, both ways)
  --repeat MODE           straight (default), half-drop (every other column lowered by half
                          a tile), brick (every other row shifted by half a tile), mirror
                          (neighbours meet as reflections) or rotate (a 2 x 2 block of
                          quarter turns); implies a page of 643 x 643 unless --out-size
  --credit                print the credit line at the top-left of a tiled page
  --quiet                 no progress line (shown only on a terminal, after a second)
  --colourways N          a sheet of N recolourings (1..60) of the design from the colour
                          rule, with a title and the colour values, instead of the design
Separations (a tiled page as one screen a colour, instead of -o):
  --separations DIR       write into the folder DIR a 1-bit TIFF a colour of the page,
                          named NN-#RRGGBB.tif and printed lightest first (NN: the order),
                          the page as printed (composite.png) and a sheet of the screens
                          with their colours and areas (separations.pdf); all or nothing
  --unprinted-background  leave the page&apos;s most frequent colour unprinted (no screen)
  --registration-marks    crosses at the same place on every screen, in a 1 cm margin
                          added around the page
  --trap K                grow each screen by K pixels (0..10, a round disk) over its
                          darker neighbours, so the print registers without gaps
  --screen-compression g4|deflate  how screens are compressed (default g4: CCITT Group 4)
  -o, --output FILE       the file to write (.png, .tif, .tiff or .bmp)
  -h, --help              this text
  --version               the version of pattern-render
Every option is given at most once (--fill, --stroke, --merge-colours and --colours as
often as needed), and only where it does something.
Exit status: 0 written, 1 the file could not be written, 2 bad arguments or a bad design
document, 128 + the signal&apos;s number when a signal stopped it (130 for Ctrl+C, 129 for a
closed terminal, 143 for SIGTERM; nothing is left behind).
</source>
        <translation>用法：pattern-render [选项] -o 文件
不需要显示器，用与窗口相同的绘图核心画出图案，按文件扩展名写成 PNG、TIFF
或 BMP（24 位，与窗口保存的相同）。

图案（选一）：
  --list                  列出 48 个图案：控件名、标题、类别
  --pattern 名称          按控件名选图案，例如 Command12
  --advanced N            高级图案 N = 1..4（“高级图案1” .. “高级图案4”）
  --category 0|1          高级图案：1 填充图形（窗口中的“类别”框）
  --design 文件.ccpat     窗口或 --save-design 保存的设计文档；拼接页面使用其中的拼接
                          方式，除非给出 --repeat
  --line-art 文件         像“导入线稿”一样把图片转为线稿（整幅放入，空处为画布底色），
                          线条保持图片本身的分辨率，拼接图块印出清晰的线条
  --threshold T           --line-art：亮度低于 T（0 黑 .. 1 白，默认 0.5）的像素为线条
  --figure-pad N          图形板的图 N = 1..30（“图1” .. “图30”），如同新打开的窗口中
                          按“调入主图”那样放入图案；较大的拼接单元重新画得清晰
设计：
  --width N               线宽，与线宽列表中输入的相同（默认 2）
  --fill X,Y[,#RRGGBB]    在画布点 X,Y（0..141）按下；可重复，按顺序执行；
                          不给颜色时由种子随机产生
  --stroke 种类:X1,Y1,X2,Y2[,...][:宽度][:#RRGGBB]
                          画一笔：种类为 pen（画笔，经过每个点）、line（直线）、rect（矩形）
                          或 ellipse（椭圆）（后三种为边框，从第一点画到第二点），或 eraser
                          （橡皮，像画笔一样画出图案的底色）；点用画布单位，可超出画布至多
                          一个画布的大小；宽度 1..20 像素（默认 2）；不给颜色时用 --base 的
                          颜色，没有则为黑色；可重复，与按下一起按顺序执行
  --seed N                随机颜色和高级图案的种子（默认：时钟）
  --fill-scope 范围       按下时填充什么：region（默认，连通区域）、global（同色的全部
                          像素）或 wrap（接缝连通：按线稿的区域，跨过 --repeat 的接缝相连）
  --symmetry 方式         还在哪里填充：none（默认）、lr（左右镜像）、tb（上下镜像）、
                          four（四向）或 eight（八向，再加两条对角线）
  --colour-rule 规则      不带颜色的按下用什么颜色：random（默认）、analogous（类似色）、
                          complementary（互补色）、triadic（三角色）或 mono（单色），
                          以 --base 颜色为准
  --base #RRGGBB          和谐规则的基准颜色（默认：随机色相）
  --merge-colours 色差    合并色差（CIEDE2000，0..30）小于该值的颜色，与“颜色 ▸ 减少颜色…”
                          相同；可重复，与 --fill 按给出的顺序执行
  --colours N             逐次合并最接近的两种颜色，直到只剩 N 种（2..24）；可重复，
                          与 --fill 按给出的顺序执行
  --save-design 文件.ccpat  另把所画图案的设计文档写入该文件（此时可以不给 -o）
输出：
  --effect own|大小       与“生成效果图”相同的效果图（643 x 643）：原大小拼接，
                          或按 大小 像素（1..1000）拼接，带署名行
  --no-credit             效果图中不印署名行
  --out-size 尺寸         改为把图案拼满 尺寸 大小的页面，逐行写出，内存不随尺寸增长：
                          宽x高 或一条边，单位为像素（2480x3508、300）或 cm、mm、in
                          （21x29.7cm、210x297mm、8.5x11in、20cm）；每边最多 300000 像素
                          （BMP：文件最大 4 GB）
  --tile-size 尺寸        拼块的大小：大于图案时按该大小重新绘制，线条清晰（重绘与图案
                          不符时改用最近像素放大，并给出警告）；不给时拼块为图案原大小
  --dpi N                 物理尺寸所用的每英寸点数，并写入文件（尺寸带单位时默认 300，
                          否则不写；1 到 10000）
  --fit-repeat 目标       让整数个拼块正好排满机器的尺寸：rotary-64cm 或 rotary-91.4cm
                          （圆网周长，沿页面的高）、wallpaper-53cm（墙纸幅宽，沿页面的宽）、
                          panel-24in（24 x 24 英寸面板，两个方向）或带单位的长度（50cm：
                          沿页面的高）；拼块改为该长度除以与其大小最接近的重复次数
                          （“640 mm ÷ 4 = 160 mm”，在标准错误上说明），页面沿该方向正好
                          是这么多块（不给 --out-size 时两个方向都是）
  --repeat 方式           straight（默认）、half-drop（每隔一列下移半块）、brick（每隔一行
                          右移半块）、mirror（相邻拼块互为镜像）或 rotate（2 x 2 一组，
                          依次旋转四分之一圈）；不给 --out-size 时拼满 643 x 643
  --credit                在拼接页面的左上角印署名行
  --quiet                 不显示进度行（只在终端上、超过一秒后显示）
  --colourways N          不写图案，改写 N 组（1..60）按颜色规则重新配色的方案图，
                          带标题和色值
分色（把拼接页面按颜色分成网版，代替 -o）：
  --separations 文件夹    在该文件夹中为页面的每种颜色写一个 1 位 TIFF 网版，名为
                          NN-#RRGGBB.tif，从最浅的颜色印起（NN 为印刷顺序），另写印成的
                          页面（composite.png）和列出各网版颜色与面积的分色单
                          （separations.pdf）；要么全部写成，要么一个不留
  --unprinted-background  页面上面积最大的颜色不印（不出网版）
  --registration-marks    在页面四周加 1 厘米的边，每张网版同一位置印十字套准线
  --trap K                每张网版向相邻的较深颜色扩展 K 像素（0..10，圆形范围），
                          套印时不露白缝
  --screen-compression g4|deflate  网版的压缩方式（默认 g4：CCITT 第 4 组）
  -o, --output 文件       要写入的文件（.png、.tif、.tiff 或 .bmp）
  -h, --help              本说明
  --version               pattern-render 的版本
每个选项最多给一次（--fill、--stroke、--merge-colours 和 --colours 可给多次），且只在起作用时给出。
退出状态：0 已写入，1 文件无法写入，2 参数错误或设计文档有误，被信号中止时为 128 加信号
编号（Ctrl+C 为 130，终端关闭为 129，SIGTERM 为 143；不留下任何文件）。
</translation>
    </message>
    <message>
        <source>give one of --pattern NAME, --advanced N, --design FILE, --line-art FILE or --figure-pad N</source>
        <translation>请给出 --pattern 名称、--advanced N、--design 文件、--line-art 文件 或 --figure-pad N 之一</translation>
    </message>
    <message>
        <source>--threshold wants a number from 0 to 1, not &quot;%1&quot;</source>
        <translation>--threshold 需要 0 到 1 之间的数，而不是“%1”</translation>
    </message>
    <message>
        <source>cannot import %1: %2</source>
        <translation>无法导入 %1：%2</translation>
    </message>
    <message>
        <source>the picture is cut short</source>
        <translation>图片不完整，数据在结尾前中断</translation>
    </message>
    <message>
        <source>the picture is empty</source>
        <translation>图片是空的</translation>
    </message>
    <message>
        <source>the picture has more than %1 pixels</source>
        <translation>图片超过 %1 像素</translation>
    </message>
    <message>
        <source>it is not a regular file holding a picture this program reads</source>
        <translation>它不是本程序能读取的图片文件</translation>
    </message>
    <message>
        <source>--trap wants a whole number of pixels from 0 to %1, not &quot;%2&quot;</source>
        <translation>--trap 需要 0 到 %1 之间的整数像素，而不是“%2”</translation>
    </message>
    <message>
        <source>--separations writes files of its own: leave out -o</source>
        <translation>--separations 自己写出文件：请去掉 -o</translation>
    </message>
    <message>
        <source>--fit-repeat wants %1 or a length in cm, mm or in (50cm), not &quot;%2&quot;</source>
        <translation>--fit-repeat 需要 %1 之一或以 cm、mm、in 为单位的长度（50cm），而不是“%2”</translation>
    </message>
    <message>
        <source>fitted the repeat: %1; tiles of %2 x %3 pixels on a page of %4 x %5 pixels</source>
        <translation>已按机器尺寸调整重复：%1；拼块 %2 x %3 像素，页面 %4 x %5 像素</translation>
    </message>
    <message>
        <source>warning: the design does not redraw to match itself (%1 % of its pixels agree); its pixels are enlarged instead</source>
        <translation>警告：图案重新绘制后与原图不符（%1 % 的像素一致）；改为放大原图的像素</translation>
    </message>
</context>
<context>
    <name>Separations</name>
    <message>
        <source>The page has more than %1 colours: separations take one screen a colour, at most %1.</source>
        <translation>页面的颜色多于 %1 种：分色每种颜色一张网版，最多 %1 张。</translation>
    </message>
    <message>
        <source>Separations</source>
        <translation>分色单</translation>
    </message>
    <message>
        <source>%1 screens</source>
        <translation>%1 张网版</translation>
    </message>
    <message>
        <source>page %1 x %2 pixels</source>
        <translation>页面 %1 × %2 像素</translation>
    </message>
    <message>
        <source>%1 x %2 cm at %3 dpi</source>
        <translation>%1 × %2 厘米，%3 dpi</translation>
    </message>
    <message>
        <source>printed lightest first</source>
        <translation>从最浅的颜色印起</translation>
    </message>
    <message>
        <source>trapping %1 px</source>
        <translation>补漏白 %1 像素</translation>
    </message>
    <message>
        <source>registration marks in a %1 px margin</source>
        <translation>套准标记在 %1 像素宽的边上</translation>
    </message>
    <message>
        <source>Left unprinted: %1 %2 (%3 %)</source>
        <translation>不印：%1 %2（%3 %）</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>顺序</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>色值</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Area %</source>
        <translation>面积 %</translation>
    </message>
    <message>
        <source>Area cm²</source>
        <translation>面积 cm²</translation>
    </message>
</context>
<context>
    <name>SharpRender</name>
    <message>
        <source>not enough memory for a %1 x %2 tile (it needs about %3 MB)</source>
        <translation>内存不足，无法生成 %1 × %2 像素的图案（约需 %3 MB）</translation>
    </message>
</context>
<context>
    <name>SaveMessages</name>
    <message>
        <source>%1: there is no picture to save.</source>
        <translation>%1：没有可保存的图片。</translation>
    </message>
    <message>
        <source>%1: the folder %2 does not exist.</source>
        <translation>%1：文件夹 %2 不存在。</translation>
    </message>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 是一个文件夹。</translation>
    </message>
    <message>
        <source>%1 is not an ordinary file; it was left as it is.</source>
        <translation>%1 不是普通文件，已保持原样。</translation>
    </message>
    <message>
        <source>%1: no permission to write.</source>
        <translation>%1：没有写入的权限。</translation>
    </message>
    <message>
        <source>%1: no file can be made in the folder %2.</source>
        <translation>%1：无法在文件夹 %2 中建立文件。</translation>
    </message>
    <message>
        <source>%1: the disk is read-only.</source>
        <translation>%1：磁盘是只读的。</translation>
    </message>
    <message>
        <source>%1: the disk is full.</source>
        <translation>%1：磁盘已满。</translation>
    </message>
    <message>
        <source>%1: the name is too long.</source>
        <translation>%1：文件名太长。</translation>
    </message>
    <message>
        <source>%1: there was not enough memory.</source>
        <translation>%1：内存不足。</translation>
    </message>
    <message>
        <source>%1: the file would be larger than the system allows.</source>
        <translation>%1：文件将超过系统允许的大小。</translation>
    </message>
    <message>
        <source>%1: the save was cancelled; nothing was written.</source>
        <translation>%1：保存已取消，没有写入任何内容。</translation>
    </message>
    <message>
        <source>%1 cannot be written (%2).</source>
        <translation>%1 无法写入（%2）。</translation>
    </message>
</context>
</TS>
