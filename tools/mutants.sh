#!/usr/bin/env bash
# Plants one fault at a time in the sources, rebuilds the test suites, runs them (not the fuzzers,
# the install check or the metainfo check) and reports whether the suites caught it. The sources
# are restored after each mutation and on any exit.
#
#   tools/mutants.sh [build-dir] [grep pattern over the mutation lines]
#
# Prints one line per mutation, "killed" or "SURVIVED" and the tests that failed, then a total.
# A mutation that no longer applies (its text is gone or not unique) is reported as "stale" and
# makes the exit status non-zero, so the list is mended when the code moves. Survivors are only
# reported: some faults change nothing the program shows.
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
only=${2:-}
export QT_QPA_PLATFORM=offscreen

# One mutation per line: file, ": ", the exact text (unique in the file), " ==> ", its replacement.
mutations=$(
    cat <<'EOF'
src/canvas/flood_fill.cpp: while (left > 0 && inside(left - 1, y)) { ==> while (left > 1 && inside(left - 1, y)) {
src/canvas/flood_fill.cpp: while (x + 1 < width && inside(x + 1, y)) { ==> while (x + 2 < width && inside(x + 1, y)) {
src/canvas/flood_fill.cpp: for (x += 2; x <= parent.x1 ==> for (x += 3; x <= parent.x1
src/tiling/seams.cpp: {QPoint(x + 1, y), QPoint(x, y + 1)} ==> {QPoint(x + 1, y)}
src/tiling/seams.cpp: return (page_[cell(forward ? pixel : next)] & joined) != 0 || ==> return true ||
src/tiling/tiling.cpp: return {tile.width() * block * layout.dropSteps, ==> return {tile.width() * layout.dropSteps,
src/colouring/design_record.cpp: seams ? drawnDesign(record) : QImage() ==> QImage()
src/colouring/seam_check.cpp: colourAt(design, a) != colourAt(design, b) ==> colourAt(design, a) == colourAt(design, b)
src/colouring/seam_check.cpp: return left.second < right.second; ==> return left.second > right.second;
src/canvas/flood_fill.cpp: return pixel > 0x00FFFFFFu && pixel != border; ==> return pixel != border;
src/canvas/numbers.cpp: std::int64_t(std::nearbyint(std::clamp ==> std::int64_t(std::round(std::clamp
src/canvas/numbers.cpp: if (!value || *value < 1) { ==> if (!value || *value < 0) {
src/canvas/numbers.cpp: *value > kLargest) { ==> *value >= kLargest) {
src/canvas/surface.cpp: roundHalfEven(outer) - 2 * kBorderPixels ==> roundHalfEven(outer) - kBorderPixels
src/canvas/surface.cpp: return int(std::ceil(toDevice(units) * deviceScale_ - 0.5)); ==> return int(std::floor(toDevice(units) * deviceScale_ + 0.5));
src/canvas/surface.cpp: drawPicture(pixels()); // made in the back colour ==> (void)pixels();
src/canvas/surface.cpp: if (image_.isNull() && !hasPicture()) { ==> if (false) {
src/canvas/surface.cpp: return toPixel(backColor_); ==> return toPixel(foreColor_);
src/canvas/raster.cpp: return dx * dx + dy * dy < radius * radius; ==> return dx * dx + dy * dy <= radius * radius;
src/canvas/raster.cpp: if (y2 < y1 || (y2 == y1 && x2 < x1)) { ==> if (y2 < y1) {
src/canvas/raster.cpp: return dx * dx * ry * ry + dy * dy * rx * rx < rx * rx * ry * ry; ==> return dx * dx * ry * ry + dy * dy * rx * rx <= rx * rx * ry * ry;
src/colouring/strokes.cpp: const double side = std::max(std::abs(dx), std::abs(dy)); ==> const double side = std::min(std::abs(dx), std::abs(dy));
src/colouring/strokes.cpp: const int back = width / 2; ==> const int back = 0;
src/patterns/catalogue.cpp: {line(0, H / 2, W, H / 2, black), line(W / 2, 0, W / 2, H, black)}, ==> {line(0, H / 2 + 1, W, H / 2 + 1, black), line(W / 2, 0, W / 2, H, black)},
src/patterns/catalogue.cpp: {circle(W / 2 - 3, H / 2 - 2, 65, blue)}}, ==> {circle(W / 2 - 3, H / 2 - 2, 64, blue)}},
src/patterns/catalogue.cpp: constexpr canvas::Colour green = 65280; ==> constexpr canvas::Colour green = 65281;
src/patterns/advanced.cpp: if (corners % 2 != 0 || corners == 4) { ==> if (corners % 2 != 0) {
src/patterns/advanced.cpp: {660, 660, 900, 900}, 205, true}, ==> {660, 660, 900, 900}, 206, true},
src/patterns/advanced.cpp: const auto cx = toInt32(left + width / 2.0); ==> const auto cx = toInt32(left + width / 2.0 + 1);
src/pads/figures.cpp: return {float(kPi / 60.0), false}; ==> return {float(kPi / 61.0), false};
src/pads/figures.cpp: fixed(12), counterTimes(2), fixed(2880)}, Medium, 30}, ==> fixed(12), counterTimes(3), fixed(2880)}, Medium, 30},
src/pads/figures.cpp: reach_(drawWidth > 1 ? drawWidth / 2 : 0) ==> reach_(drawWidth > 2 ? drawWidth / 2 : 0)
src/pads/random_art.cpp: constexpr double kComponentRange = 235.0; ==> constexpr double kComponentRange = 236.0;
src/pads/random_art.cpp: for (int i = -1; i <= 1; ++i) { ==> for (int i = -1; i < 1; ++i) {
src/pads/random_art.cpp: {{0, y, pad.width(), y}, ==> {{1, y, pad.width(), y},
src/pads/figures.cpp: record(drawing, padStep(PadStepKind::Clear, pad.backColor())); ==> ;
src/pads/pad_drawing.cpp: if (steps.size() >= kMostPadSteps || ==> if (steps.size() > kMostPadSteps ||
src/pads/pad_drawing.cpp: step.values[2], canvas::TextSize::DesignPixels); ==> step.values[2], canvas::TextSize::DevicePixels);
src/pads/symbol_pad.cpp: font.size = 14.25; ==> font.size = 14.0;
src/pads/log_font.cpp: const bool rotated = wholeDegrees % 360 != 0; ==> const bool rotated = wholeDegrees % 180 != 0;
src/pads/pad_setup.cpp: setup.backColor = 0x5616AD; ==> setup.backColor = 0x5616AE;
src/tiling/tiling.cpp: * height / layout.dropSteps; ==> * height / (layout.dropSteps + 1);
src/tiling/tiling.cpp: * width / layout.shiftSteps; ==> * width / layout.shiftSteps + 1;
src/tiling/tiling.cpp: {{{{0, false}}, {{0, true}}}, {{{2, true}}, {{2, false}}}} ==> {{{{0, false}}, {{0, false}}}, {{{2, true}}, {{2, false}}}}
src/tiling/tiling.cpp: {{{{0}}, {{1}}}, {{{3}}, {{2}}}} ==> {{{{0}}, {{3}}}, {{{1}}, {{2}}}}
src/tiling/tiling.cpp: unturned = {v, height - 1 - u}; ==> unturned = {v, height - u};
src/tiling/tiling.cpp: layout.alternates ? 2 : 1; ==> layout.alternates ? 1 : 1;
src/tiling/tiling.cpp: shifted(kDiagonal, 1, 1), ==> shifted(kDiagonal, 1, 0),
src/tiling/tiling.cpp: hexagonal(2, kAcrossSide), {kO, kC, kL}}, ==> hexagonal(2, kAlongSide), {kO, kC, kL}},
src/tiling/tiling.cpp: hexagonal(1, std::nullopt), {kO, kA, kC}}, ==> hexagonal(2, std::nullopt), {kO, kA, kC}},
src/tiling/tiling.cpp: return outside < -1e-9; ==> return outside < 1e-9;
src/tiling/tiling.cpp: std::floor(imageU) + y / 2; ==> std::floor(imageU) + y / 3;
src/tiling/tiling.cpp: ? cell.width() & 1 : 0, ==> ? 0 : 0,
src/effect/effect.cpp: const int extentX = int(std::ceil(effect.scaleWidth())); ==> const int extentX = int(std::floor(effect.scaleWidth()));
src/effect/effect.cpp: if (run.begin > covered) { ==> if (run.begin > covered + 1) {
src/effect/effect.cpp: if (copy.image.width() == width && copy.image.height() == height) { ==> if (copy.image.width() == width) {
src/design/history.cpp: while (undo_.size() > limit_) { ==> while (undo_.size() >= limit_) {
src/design/history.cpp: redo_.clear(); ==> ;
src/colouring/colour_tools.cpp: std::min(colour.red(), 234) ==> std::min(colour.red(), 235)
src/colouring/colour_tools.cpp: return baseHue + 120.0 * std::min ==> return baseHue + 90.0 * std::min
src/colouring/colour_tools.cpp: a.pixels != b.pixels ? a.pixels > b.pixels ==> a.pixels != b.pixels ? a.pixels < b.pixels
src/colouring/colour_tools.cpp: const int right = size.width() - 1; ==> const int right = size.width();
src/colouring/colour_tools.cpp: gain->second += entry.pixels; ==> gain->second = entry.pixels;
src/colouring/colour_tools.cpp: std::inplace_merge(entries.begin(), changed, entries.end(), comesFirst); ==> ;
src/colouring/design_record.cpp: rows.push_back({y, 0, design.clientPixelWidth() - 1}); ==> rows.push_back({y, 0, design.clientPixelWidth() - 2});
src/colouring/design_record.cpp: std::visit(SourceDrawer{design}, record.source); ==> ;
src/colouring/design_record.cpp: if (press && guide) { ==> if (press && false) {
src/colouring/guided_fill.cpp: label(pixel) = from; ==> label(pixel) = FromRegion;
src/colouring/guided_fill.cpp: (kind == Region || (kind == Searched && label(pixel) == FromRegion)) ==> (kind == Region || kind == Searched)
src/colouring/line_art.cpp: merged[i] |= bits[i]; ==> merged[i] = bits[i];
src/colouring/colour_reduction.cpp: : std::min(first, second); ==> : std::max(first, second);
src/colouring/colour_reduction.h: return !(locked_[first] && locked_[second]); ==> return true;
src/colouring/colour_reduction.cpp: : left > reduction.count; ==> : left >= reduction.count;
src/colouring/colour_reduction.cpp: ? difference < reduction.tolerance ==> ? difference < reduction.tolerance + 1
src/design/design_document.cpp: if (x < 0 || y < 0 || x >= kDesignSide || y >= kDesignSide) { ==> if (x < 0 || y < 0 || x > kDesignSide || y >= kDesignSide) {
src/design/design_document.cpp: number < kOldestDesignDocumentVersion || ==> number < 0 ||
src/design/design_document.cpp: text += QLatin1Char(kDigits[(pixel >> shift) & 0xFu]); ==> text += QLatin1Char(kDigits[(pixel >> shift) & 0x7u]);
src/design/design_document.cpp: if (pictureText(after).size() < mappingSize) { ==> if (false) {
src/design/design_document.cpp: if (written.size() > kLargestDesignDocument) { ==> if (false) {
src/design/design_document.cpp: if (!drawing.complete || drawing.steps.size() != i + 1) { ==> if (false) {
src/design/design_model.cpp: record_.changes.push_back(change); ==> ;
src/design/design_model.cpp: if (colouring::applyColourway(canvas_.imageRef(), way.mapping) == picture) { ==> if (false) {
src/design/design_model.cpp: toPixel(colouring::effectViewSetup().backColor) ==> toPixel(colouring::effectViewSetup().foreColor)
src/files/file_reading.cpp: if (!S_ISREG(status.st_mode)) { ==> if (false) {
src/colouring/colour_tools.cpp: return QRect(QPoint(0, 0), design.designSize()).contains(pixel) ==> return QRect(QPoint(0, 0), design.designSize() + QSize(1, 1)).contains(pixel)
src/print/page_encoders.cpp: stride_((qsizetype(page.size.width()) * 3 + 3) & ~3) ==> stride_(qsizetype(page.size.width()) * 3)
src/print/page_encoders.cpp: kScreenPixelsPerMetre = 3780; ==> kScreenPixelsPerMetre = 3779;
src/print/page_encoders.cpp: indexBits(palette.size()) + 7) / 8); ==> indexBits(palette.size())) / 8);
src/print/page_encoders.cpp: red[i] = uint16_t(qRed(page_.palette[i]) * 257); ==> red[i] = uint16_t(qRed(page_.palette[i]) * 256);
src/print/page_encoders.cpp: while (bits < 8 && (std::size_t(1) << bits) < colours) { ==> while (bits < 8 && (std::size_t(1) << bits) <= colours) {
src/print/page_encoders.cpp: TIFFTAG_ROWSPERSTRIP, uint32_t(stripRows_)); ==> TIFFTAG_ROWSPERSTRIP, uint32_t(stripRows_ + 1));
src/print/page_encoders.cpp: const int ending = last ? Z_FINISH : Z_FULL_FLUSH; ==> const int ending = last ? Z_FINISH : Z_NO_FLUSH;
src/print/page_encoders.cpp: deflateSetDictionary(&stream, in - primed, uInt(primed)); ==> deflateSetDictionary(&stream, in - primed + 1, uInt(primed));
src/print/print_engine.cpp: std::memcpy(row, rows(y + i - first, 1, make), ==> std::memcpy(row, rows(y + i - first + 1, 1, make),
src/print/page_encoders.cpp: if (!reusePieces_ || ending || source == nullptr) { ==> if (!reusePieces_ || source == nullptr) {
src/tiling/tiling.cpp: tile.height() * block * layout.shiftSteps} ==> tile.height() * layout.shiftSteps}
src/files/atomic_file.cpp: mode_ = existing.st_mode & 07777; ==> mode_ = 0644;
src/files/atomic_file.cpp: if (!S_ISREG(existing.st_mode)) { ==> if (false) {
src/files/atomic_file.cpp: int error = failedErrno_; ==> int error = 0;
src/files/atomic_file.cpp: rename(temporary_.constData(), target_.constData()) != 0 ==> false
src/print/print_size.cpp: return 2.54; ==> return 2.5;
src/print/print_size.cpp: return {std::round(size.width * scale), ==> return {std::floor(size.width * scale),
src/print/repeat_fit.cpp: const double more = std::min(fewer + 1, most); ==> const double more = std::min(fewer, most);
src/print/repeat_fit.cpp: int(std::lround(targetPixels / repeats)) ==> int(targetPixels / repeats)
src/print/sharp_render.cpp: tile.sharp = tile.agreement >= kLeastBlockAgreement; ==> tile.sharp = tile.agreement >= 0;
src/print/sharp_render.cpp: (lineCell(x, y) && blockHolds(tile, scale, x, y, row[x])) ==> false
src/print/separations.cpp: lightA != lightB ? lightA > lightB ==> lightA != lightB ? lightA < lightB
src/print/separations.cpp: setBits(rowBits(y, screen), x + margin_, end - 1 + margin_); ==> setBits(rowBits(y, screen), x + margin_, end + margin_);
src/print/separations.cpp: return end + std::countr_zero(differing) / 8; ==> return end + std::countr_zero(differing) / 8 + 1;
src/print/separations.cpp: out_[i] = reach_[i] & darker_[i]; ==> out_[i] = reach_[i];
src/print/separations.cpp: halfWidth_.push_back(int(std::sqrt(double(trap * trap - d * d)))); ==> halfWidth_.push_back(trap);
src/colouring/design_record.cpp: return !control.stopped(); ==> return true;
src/canvas/surface.cpp: drawEnlarged(target, picture_, deviceScale_); ==> drawEnlarged(target, picture_, 1);
src/colouring/line_art.cpp: const QPoint origin((size.width() - placed.width()) / 2, ==> const QPoint origin((size.width() - placed.width()) / 3,
src/colouring/line_art.cpp: if (luminanceOver(pixels[x], backgroundLuminance) < threshold) { ==> if (luminanceOver(pixels[x], backgroundLuminance) <= threshold) {
src/colouring/line_art.cpp: rowBytes * qAbs(qint64(field(22))) > device.size(); ==> rowBytes > device.size();
src/colouring/line_art.cpp: (size > 0 && this->pos() >= this->size()) ==> (size > 0 && this->pos() > this->size())
src/files/atomic_file.cpp: if (faccessat(AT_FDCWD, target_.constData(), W_OK, AT_EACCESS) != 0) { ==> if (false) {
src/files/atomic_file.cpp: entry.lastModified() < stale) { ==> entry.lastModified() < now) {
src/canvas/text_stamp.cpp: std::fill(row + x0, row + x1 + 1, pen_); ==> std::fill(row + x0, row + x1, pen_);
tools/render_command.cpp: if (x < 0 || y < 0 || x >= 142 || y >= 142) { ==> if (x < 0 || y < 0 || x > 142 || y >= 142) {
tools/render_command.cpp: request.dotsPerInch = 300.0; ==> request.dotsPerInch = 72.0;
tools/render_command.cpp: : QSize(643, 643); ==> : QSize(643, 642);
tools/render_command.cpp: if (given.contains(name) && !repeatable) { ==> if (given.contains(name) && repeatable) {
tools/pattern_render.cpp: for (const int signal : {SIGHUP, SIGINT, ==> for (const int signal : {SIGINT,
tools/render_command.cpp: if (reading.problem == design::DocumentProblem::OutOfMemory) { ==> if (false) {
tools/progress_line.cpp: if (whole < 3600) { ==> if (whole < 60) {
src/app/form1.cpp: for (int option = 1; option <= 4; ++option) { ==> for (int option = 1; option < 4; ++option) {
src/app/layout.cpp: constexpr int kFirstColourChange = 15; ==> constexpr int kFirstColourChange = 16;
src/app/layout.cpp: kCatalogueColumns{664, 736, 808, 880}; ==> kCatalogueColumns{664, 737, 808, 880};
src/app/window_style.cpp: constexpr QColor kDarkEdge(0, 0, 0, 60); ==> constexpr QColor kDarkEdge(0, 0, 0, 61);
src/app/window_style.cpp: edge(rect.bottom() - 1, kDarkEdge); ==> edge(rect.bottom() - 1, kLightEdge);
src/app/window_style.cpp: painter.device()->devicePixelRatio() == 1; ==> true;
src/app/window_style.cpp: bar->toolBarArea == Qt::TopToolBarArea && ==> true &&
src/app/zoom_window.cpp: const bool grid = zoom_ >= ZoomWindow::kFirstZoomWithGrid; ==> const bool grid = zoom_ > ZoomWindow::kFirstZoomWithGrid;
src/app/zoom_window.cpp: const QPoint pixel(int(std::floor(position.x() / zoom_)), ==> const QPoint pixel(int(std::round(position.x() / zoom_)),
src/app/palette_dock.cpp: return QStringLiteral("%1 %").arg(percent, 0, 'f', 1); ==> return QStringLiteral("%1 %").arg(percent, 0, 'f', 0);
src/app/palette_dock.cpp: if (pixels > 0 && percent < 0.05) { ==> if (pixels > 0 && percent < 0.005) {
src/app/palette_dock.cpp: (exposed.bottom() / kChip.height() + 1) * kChipColumns); ==> (exposed.bottom() / kChip.height()) * kChipColumns);
src/app/studio_settings.cpp: std::reverse(recent.begin(), recent.end()); ==> ;
src/app/studio_settings.cpp: chosen->trigger(); ==> ;
src/app/control_tips.cpp: bigR / smallR : std::abs(bigR / smallR - 2.0); ==> bigR / smallR : bigR / smallR;
src/app/help_dialogs.cpp: collectShortcuts(*action->menu(), found); ==> ;
src/app/export_dialog.cpp: if (page.width() > print::kMostPrintSide || ==> if (page.width() > 2 * print::kMostPrintSide ||
src/app/export_dialog.cpp: repeat_->setCurrentIndex(settings.value(kRepeatKey).toInt()); ==> ;
src/app/file_dialogs.cpp: std::max(header->sectionSizeHint(kSizeColumn), widestSize)); ==> header->sectionSizeHint(kSizeColumn));
src/app/colour_menu.cpp: if (recent_.size() > kRecentColours) { ==> if (recent_.size() >= kRecentColours) {
src/app/design_files.cpp: constexpr int kMostRecent = 10; ==> constexpr int kMostRecent = 9;
src/app/design_files.cpp: QDir::Name | QDir::Reversed, QDir::Files); ==> QDir::Name, QDir::Files);
src/app/main_window.cpp: .arg(pixel.x()) ==> .arg(pixel.x() + 1)
src/app/main_window.cpp: (repeatActionName(repeat))->setChecked(true); ==> (repeatActionName(repeat))->setChecked(false);
src/app/colour_button.cpp: {QPolygonF{{left, top}, {left + w, top + w}, {right - w, top + w}, {right, top}}, ==> {QPolygonF{{left, top}, {left, top + w}, {right, top + w}, {right, top}},
src/app/colour_button.cpp: focus.rect = contents; ==> focus.rect = rect();
src/app/main_window.cpp: setWindowIcon(QIcon(QStringLiteral(":/icons/pattern-workshop.png"))); ==> ;
src/app/main_window.cpp: menu, &QMenu::aboutToShow, action, ==> repeats, &QMenu::aboutToShow, action,
src/app/studio_keys.cpp: edit->setModified(false); ==> ;
src/app/studio_keys.cpp: event->type() == QEvent::ShortcutOverride && !edit->isModified()) { ==> event->type() == QEvent::ShortcutOverride) {
src/app/colour_menu.cpp: if (options().rule == ColourRule::Random) { ==> if (options().rule != ColourRule::Chosen) {
src/app/file_dialogs.cpp: extensions.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive)) { ==> !QFileInfo(path).suffix().isEmpty()) {
src/app/form1.cpp: label->stackUnder(strip); ==> label->raise();
src/app/form1.cpp: if (entry.style != TextStyle::Regular) { ==> if (entry.style == TextStyle::Large) {
src/app/form1.cpp: setFont(textFont(TextStyle::Regular)); ==> setFont(textFont(TextStyle::Bold));
src/app/form1.cpp: font.setFamilies({kWindowSerif, kTextFace}); ==> font.setFamilies({kTextFace});
src/app/export_dialog.cpp: if (redrawing) { ==> if (false) {
src/app/separations_dialog.cpp: restoreDialogChoices(*this, kSettingsGroup, kKeptChoices); ==> ;
tools/render_command.cpp: trap < 0 || trap > print::kMostTrap ==> trap < 0 || trap > 2 * print::kMostTrap
EOF
)

targets=$(ctest --test-dir "$build" -N | sed -n 's/^ *Test *#[0-9]*: \(.*_tests\)$/\1/p')
[ -n "$targets" ] || { echo "no test suites found in $build; configure it first" >&2; exit 2; }

mutated_file=
backup=$(mktemp)
restore() {
    if [ -n "$mutated_file" ]; then
        cp "$backup" "$mutated_file"
        mutated_file=
    fi
}
trap 'restore; rm -f "$backup"' EXIT
trap 'exit 130' INT TERM

# Builds the suites; returns non-zero when the sources do not compile.
build_suites() {
    # shellcheck disable=SC2086
    cmake --build "$build" -j"$(nproc)" --target $targets >"$build/mutant-build.log" 2>&1
}

build_suites || { echo "the unmutated sources do not build; see $build/mutant-build.log" >&2; exit 2; }

killed=0 survived=0 stale=0 number=0
while IFS= read -r mutation; do
    number=$((number + 1))
    if [ -n "$only" ] && ! grep -q -- "$only" <<<"$mutation"; then
        continue
    fi
    file=${mutation%%: *}
    rest=${mutation#*: }
    from=${rest%% ==> *}
    to=${rest#* ==> }
    if [ "$(grep -cF -- "$from" "$file")" != 1 ]; then
        echo "stale     #$number $file: $from"
        stale=$((stale + 1))
        continue
    fi
    cp "$file" "$backup"
    mutated_file=$file
    FROM=$from TO=$to perl -pi -e 's/\Q$ENV{FROM}\E/$ENV{TO}/' "$file"
    if ! build_suites; then
        echo "stale     #$number $file: $from (does not compile)"
        stale=$((stale + 1))
        restore
        continue
    fi
    output=$(timeout -k 5 300 ctest --test-dir "$build" -j"$(nproc)" -E "fuzz|install|metainfo" \
        --output-on-failure 2>&1)
    status=$?
    restore
    if [ $status -eq 0 ]; then
        echo "SURVIVED  #$number $file: $from ==> $to"
        survived=$((survived + 1))
    else
        failed=$(sed -n 's/^\[  FAILED  \] \([A-Za-z][A-Za-z0-9_/.]*\).*/\1/p' <<<"$output" | sort -u |
            tr '\n' ' ')
        [ -n "$failed" ] || failed=$(sed -nE 's/^[[:space:]]*[0-9]+ - (.*)$/\1/p' <<<"$output" | tr '\n' ' ')
        [ $status -ne 124 ] || failed="(timed out) $failed"
        echo "killed    #$number $file: $from -- by: $failed"
        killed=$((killed + 1))
    fi
done <<<"$mutations"

build_suites
echo "$killed killed, $survived survived, $stale stale"
[ $stale -eq 0 ]
