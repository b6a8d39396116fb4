#pragma once

#include "colour.h"
#include "flood_fill.h"
#include "raster.h"

#include <QFont>
#include <QImage>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QPainter;

namespace canvas {

enum class ScaleMode : std::int16_t { Twips = 1, Pixels = 3 };

inline constexpr int kBorderPixels = 2;
inline constexpr float kTwipsPerPixel = 15.0f;
inline constexpr std::int16_t kFillSolid = 0;
inline constexpr std::int16_t kFillTransparent = 1;

// How text is sized on a surface with a device scale s: in device pixels (as at scale 1, whatever
// the scale) or in design pixels (s times larger, where its design pixels land).
enum class TextSize { DevicePixels, DesignPixels };

// Everything a surface starts with.
struct SurfaceSetup {
    float outerWidth = 146;  // pixels, border included
    float outerHeight = 146; // pixels, border included
    ScaleMode scaleMode = ScaleMode::Pixels;
    Colour backColor = 0xFFFFFF;
    Colour foreColor = kButtonTextColour;
    Colour fillColor = 0;
    std::int16_t fillStyle = kFillTransparent;
    std::int16_t drawWidth = 1;
    bool autoRedraw = true;
    QFont font;
    // Device pixels per design pixel: above 1 the surface draws the same design sharper on a
    // larger image (see Surface).
    double deviceScale = 1;
};

// What a design change can alter on a surface, kept so that the change can be taken back. The
// images share their pixels with the surface until either side draws.
struct SurfaceSnapshot {
    QImage image;
    QImage picture;
    QImage devicePicture;
    Colour backColor = 0;
    Colour fillColor = 0;
    std::int16_t drawWidth = 1;
};

// A picture surface: a raster with a 2-pixel border, a persistent image that every drawing goes
// to, and a drawing state. Coordinates and lengths are in the surface's own units (pixels or
// twips), origin at the top-left of the client area; they are rounded to the nearest pixel when
// drawn and clipped to the client area. Every drawn pixel has exactly the drawing colour.
//
// A surface with a device scale s > 1 keeps its size, units and design pixels, but its image has
// s device pixels for each design pixel: a coordinate snaps to its design pixel as at scale 1 and
// lands on the same place of the larger image, radii and pen widths grow by s, polygon corners are
// scaled, fills start at the centre of the pressed design pixel's block and the background
// picture is enlarged by nearest pixels. So lines and circles come out sharp where a scale-1
// image enlarged would show its steps. Text keeps its device pixels unless drawn in design
// pixels (TextSize).
//
// A surface that shows only its back colour keeps no pixels: the image is made on the first
// drawing or read, so a large view that is still empty costs neither memory nor time.
class Surface {
  public:
    explicit Surface(const SurfaceSetup& setup = {});

    // Size in the window's units (pixels), border included.
    float width() const { return outerWidth_; }
    float height() const { return outerHeight_; }
    void setWidth(float outerWidth);
    void setHeight(float outerHeight);
    // Client area in the surface's own units.
    float scaleWidth() const;
    float scaleHeight() const;
    int clientPixelWidth() const { return clientSize_.width(); }
    int clientPixelHeight() const { return clientSize_.height(); }
    // The client area in design pixels; the image size at device scale 1.
    QSize designSize() const { return designSize_; }
    double deviceScale() const { return deviceScale_; }
    // The image pixel at the centre of a design pixel's block.
    QPoint devicePixel(QPoint designPixel) const;

    ScaleMode scaleMode() const { return scaleMode_; }
    void setScaleMode(ScaleMode mode) { scaleMode_ = mode; }
    // Units per pixel: 1 for pixels, 15 for twips.
    float unitsPerPixel() const;
    // The device pixel a coordinate in the surface's units lands on (nearest, halves to even);
    // far off for a coordinate that is not finite.
    int toDevice(float units) const;

    Colour backColor() const { return backColor_; }
    // Stores the colour and clears the surface as cls() does.
    void setBackColor(Colour colour);
    Colour foreColor() const { return foreColor_; }
    void setForeColor(Colour colour) { foreColor_ = colour; }
    Colour fillColor() const { return fillColor_; }
    void setFillColor(Colour colour) { fillColor_ = colour; }
    std::int16_t fillStyle() const { return fillStyle_; }
    void setFillStyle(std::int16_t style) { fillStyle_ = style; }
    std::int16_t drawWidth() const { return drawWidth_; }
    // Widths below 1 are taken as 1.
    void setDrawWidth(std::int16_t width);
    float currentX() const { return currentX_; }
    float currentY() const { return currentY_; }
    void setCurrentX(float x) { currentX_ = x; }
    void setCurrentY(float y) { currentY_ = y; }
    bool autoRedraw() const { return autoRedraw_; }
    void setAutoRedraw(bool on) { autoRedraw_ = on; }

    const QFont& font() const { return font_; }
    void setFont(const QFont& font);
    void setFontName(const QString& family);
    void setFontSize(double points);

    // The background picture; a null image is the empty picture.
    const QImage& picture() const { return picture_; }
    // Replaces the background picture and rebuilds the image as BackColor plus the picture.
    // `devicePicture`, when not null, is the same picture drawn for the device scale (the image's
    // size) and is shown instead of the picture enlarged by nearest pixels.
    void setPicture(const QImage& picture, const QImage& devicePicture = {});

    // Fills the client area with BackColor, draws the background picture at the origin and moves
    // the text position to (0, 0).
    void cls();
    void line(float x1, float y1, float x2, float y2, std::optional<Colour> colour = {});
    // A full circle; its interior first takes FillColor when FillStyle is solid.
    void circle(float x, float y, float radius, std::optional<Colour> colour = {});
    // An arc counter-clockwise from start to end (radians, 0 at three o'clock), wrapping through
    // 0 when end < start; never filled.
    void arc(float x, float y, float radius, std::optional<Colour> colour, float start, float end);
    // The outline of the ellipse in the box whose corners are the pixels nearest (x1, y1) and
    // (x2, y2): the pen's middle runs through the middle of the box's edge pixels. Never filled.
    void ellipse(float x1, float y1, float x2, float y2, std::optional<Colour> colour = {});
    // One point in ForeColor: a pixel for width 1, a round dot of diameter DrawWidth otherwise.
    void pset(float x, float y);
    // The colour under (x, y), or -1 outside the client area.
    std::int32_t point(float x, float y) const;
    // Stretches the whole picture to w x h at (x, y), copying pixels.
    void paintPicture(const QImage& picture, float x, float y, float w, float h);
    // Text at the current position in the font and ForeColor, transparent background; then the
    // position moves to the start of the next line.
    void print(const QString& text);
    // Text whose first character cell has its top-left corner at (x, y) in pixels, turned
    // counter-clockwise by angleDegrees about that corner, in ForeColor, never antialiased. In
    // design pixels, (x, y) is a design pixel's corner and the text grows with the device scale.
    void textOut(int x, int y, const QString& text, const QFont& font, double angleDegrees,
                 TextSize size = TextSize::DevicePixels);

    // Direct drawing in device pixels, with the surface's pen (ForeColor, DrawWidth) and fill
    // brush (FillColor when FillStyle is solid, hollow otherwise).
    //
    // Surface fill: the 4-connected region of exactly `target` around (x, y) takes the brush.
    void floodFillSurface(int x, int y, Colour target);
    // Border fill: the 4-connected region around (x, y) bounded by `border` takes the brush.
    void floodFillBorder(int x, int y, Colour border);
    // Every pixel of one colour takes another.
    void replaceColour(Colour from, Colour to);
    // Spans worked out by the caller take the colour.
    void fillSpans(const std::vector<Span>& spans, Colour colour);
    // Closed polygon: interior with the fill brush under the alternate rule, outline with the pen.
    void polygon(const QPolygon& devicePoints);
    // Solid fill of the polygon's region under the winding rule, no outline.
    void fillPolygonRegion(const QPolygon& devicePoints, Colour colour);

    // A copy of the persistent image at client-area size (RGB32).
    QImage image() const { return pixels(); }
    // The persistent image itself, for views and fast readers.
    const QImage& imageRef() const { return pixels(); }
    // The colour of every client pixel while the surface has not been drawn on since it was made
    // or resized with no picture: it keeps no pixels until then, and a view can paint the colour
    // instead. Empty once it keeps pixels.
    std::optional<QRgb> blankPixel() const;

    SurfaceSnapshot snapshot() const;
    void restore(const SurfaceSnapshot& snapshot);

    // Called after every change of the image, so a view can repaint.
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

  private:
    double toDeviceExact(float units) const;
    double snapToPixel(float units) const;
    int deviceIndex(int designIndex) const;
    double deviceCentre(double designPixel) const;
    void scaleToDevice(QPainter& painter) const;
    QRgb penPixel(std::optional<Colour> colour) const;
    void resizeClient();
    void rebuildImage();
    bool hasPicture() const;
    // The persistent image, made in the back colour on first use.
    QImage& pixels() const;
    void drawPicture(QImage& target) const;
    void notify() const;

    float outerWidth_;
    float outerHeight_;
    ScaleMode scaleMode_;
    Colour backColor_;
    Colour foreColor_;
    Colour fillColor_;
    std::int16_t fillStyle_;
    std::int16_t drawWidth_;
    float currentX_ = 0.0f;
    float currentY_ = 0.0f;
    bool autoRedraw_;
    QFont font_;
    double deviceScale_;
    double deviceOffset_ = 0; // where design pixel 0's centre lands on the device image
    QSize designSize_;
    QImage picture_;
    QImage devicePicture_;
    QSize clientSize_;     // device pixels
    mutable QImage image_; // null while the client area is all back colour
    DotMask dotMask_;
    FillScratch fillScratch_;
    std::function<void()> changed_;
};

} // namespace canvas
