// Whole-process print pages: pattern-render against the image tools a user would otherwise run
// and against the machine's limit, all measured in the same run, with wall time, peak resident
// memory (from wait4) and file size. Peers that are not installed are skipped with a note on how
// to install them.
// Usage: print-compare PATH/TO/pattern-render [--quick | --line-art | --separations | --memory |
//                                         --pages]
//   --quick        only the A4 page and the memory table
//   --line-art     only imported line art against the catalogue, and its design document
//   --separations  only the separations of the fabric page against its PNG page
//   --memory       only what pages add to the memory of pattern-render --version
//   --pages        only the pages of 8858 x 17717 and 17717 x 118110 against their peers
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <optional>
#include <png.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Command = std::vector<std::string>;

struct Measure {
    double seconds = 0;
    double peakMegabytes = 0;
    bool ok = true;
};

Measure runOnce(const Command& command) {
    std::vector<char*> argv;
    for (const std::string& part : command) {
        argv.push_back(const_cast<char*>(part.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    Measure measure;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        measure.ok = false;
        return measure;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    measure.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measure.peakMegabytes = double(usage.ru_maxrss) / 1024.0;
    measure.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    posix_spawn_file_actions_destroy(&actions);
    return measure;
}

// A tool run as one or more processes in turn: wall times add up, peak memory is the largest.
// The median of `runs` repetitions, after one warm-up run.
Measure measure(const std::vector<Command>& steps, int runs) {
    std::vector<Measure> results;
    for (int run = 0; run <= runs; ++run) {
        Measure total;
        for (const Command& step : steps) {
            const Measure one = runOnce(step);
            total.seconds += one.seconds;
            total.peakMegabytes = std::max(total.peakMegabytes, one.peakMegabytes);
            total.ok = total.ok && one.ok;
        }
        if (run > 0 || runs == 1) {
            results.push_back(total);
        }
        if (runs == 1) {
            break;
        }
    }
    std::sort(results.begin(), results.end(),
              [](const Measure& a, const Measure& b) { return a.seconds < b.seconds; });
    return results[results.size() / 2];
}

bool installed(const std::string& program) {
    return runOnce({"sh", "-c", "command -v " + program}).ok;
}

void report(const char* what, const Measure& m) {
    std::printf("  %-44s %9.3f s %9.1f MB%s\n", what, m.seconds, m.peakMegabytes,
                m.ok ? "" : "  (FAILED)");
}

// A stand-in convert that is not ImageMagick fails on -version.
struct Peers {
    bool vips = installed("vips");
    bool convert = runOnce({"convert", "-version"}).ok;
};

std::string sizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

Command renderCommand(const std::string& renderer, int width, int height, const fs::path& out) {
    return {renderer,  "--pattern",  "Command55",
            "--fill",  "70,30",      "--seed",
            "3",       "--out-size", sizeText(width, height),
            "--quiet", "-o",         out.string()};
}

double ratio(const Measure& ours, const Measure& theirs) {
    return ours.seconds / theirs.seconds;
}

Measure median(std::vector<Measure> results) {
    std::sort(results.begin(), results.end(),
              [](const Measure& a, const Measure& b) { return a.seconds < b.seconds; });
    return results[results.size() / 2];
}

// Two commands run taking turns, so both see the same machine; the median of `runs` each, after
// one warm-up run each.
std::pair<Measure, Measure> measureInTurns(const Command& first, const Command& second, int runs) {
    std::vector<Measure> firsts;
    std::vector<Measure> seconds;
    for (int run = 0; run <= runs; ++run) {
        const Measure a = runOnce(first);
        const Measure b = runOnce(second);
        if (run > 0) {
            firsts.push_back(a);
            seconds.push_back(b);
        }
    }
    return {median(firsts), median(seconds)};
}

// The level pattern-render deflates its pages at.
constexpr int kEngineLevel = 2;

// The machine's limit for a page: zlib at the engine's level on the page's own bytes (its rows
// as the file packs them, with a PNG's filter byte before each), timed alone, then the file's
// bytes written by dd with fdatasync. The rows come from decoding pattern-render's PNG.
Measure limitOf(const fs::path& enginePng, const fs::path& file, bool filterBytes,
                const fs::path& folder) {
    Measure limit;
    FILE* in = std::fopen(enginePng.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    z_stream stream{};
    deflateInit(&stream, kEngineLevel);
    // Declared before setjmp, so that libpng's long jump skips no destructor.
    std::vector<unsigned char> row;
    std::vector<unsigned char> out(std::size_t(1) << 20);
    std::chrono::duration<double> deflating{};
    if (in == nullptr || setjmp(png_jmpbuf(png)) != 0) {
        limit.ok = false;
    } else {
        png_init_io(png, in);
        png_read_info(png, info);
        row.assign(png_get_rowbytes(png, info) + 1, 0); // a filter byte of 0, then the row
        const png_uint_32 height = png_get_image_height(png, info);
        for (png_uint_32 y = 0; y < height; ++y) {
            png_read_row(png, row.data() + 1, nullptr);
            const auto start = std::chrono::steady_clock::now();
            stream.next_in = row.data() + (filterBytes ? 0 : 1);
            stream.avail_in = uInt(row.size() - (filterBytes ? 0 : 1));
            const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
            do {
                stream.next_out = out.data();
                stream.avail_out = uInt(out.size());
                deflate(&stream, flush);
            } while (stream.avail_out == 0);
            deflating += std::chrono::steady_clock::now() - start;
        }
        limit.seconds = deflating.count();
    }
    deflateEnd(&stream);
    png_destroy_read_struct(&png, &info, nullptr);
    if (in != nullptr) {
        std::fclose(in);
    }
    const fs::path copy = folder / "dd.bin";
    const Measure dd =
        runOnce({"dd", "if=" + file.string(), "of=" + copy.string(), "bs=1M", "conv=fdatasync"});
    fs::remove(copy);
    limit.seconds += dd.seconds;
    limit.peakMegabytes = dd.peakMegabytes;
    limit.ok = limit.ok && dd.ok;
    return limit;
}

// One tool making the page: its commands, or (for the limit) a measure of its own, and the file
// it leaves, whose size is reported.
struct Contender {
    std::string name;
    fs::path file;
    std::vector<Command> steps;
    std::function<Measure()> own;
    std::vector<Measure> runs;
    std::uintmax_t bytes = 0;
};

// The page of the 142 x 142 design tiled over width x height, as PNG and as TIFF, by
// pattern-render, by vips's fastest route (embed with a repeating edge; PNG at its default
// compression and at 2, TIFF uncompressed and deflated), by ImageMagick's tile: and against the
// limit. Rounds of one run each, the disk synced before every run; medians.
void comparePage(const std::string& renderer, const Peers& peers, const fs::path& design,
                 const fs::path& folder, int width, int height, int rounds) {
    const std::string size = sizeText(width, height);
    // The process alone, which the limit does not pay: Qt's start and the design's drawing.
    std::vector<Contender> contenders = {
        {"process floor: pattern-render --version", {}, {{renderer, "--version"}}, {}, {}, 0}};
    for (const std::string extension : {"png", "tif"}) {
        const fs::path ours = folder / ("page." + extension);
        contenders.push_back({"pattern-render ." + extension,
                              ours,
                              {renderCommand(renderer, width, height, ours)},
                              {},
                              {},
                              0});
        if (peers.vips) {
            const std::vector<std::pair<std::string, std::string>> routes =
                extension == "png"
                    ? std::vector<std::pair<std::string, std::string>>{{"", ""},
                                                                       {"[compression=2]", "2"}}
                    : std::vector<std::pair<std::string, std::string>>{
                          {"", ""}, {"[compression=deflate]", "d"}};
            for (const auto& [options, tag] : routes) {
                const fs::path out = folder / ("vips" + tag + "." + extension);
                contenders.push_back(
                    {"vips embed --extend repeat ." + extension + options,
                     out,
                     {{"vips", "embed", design.string(), out.string() + options, "0", "0",
                       std::to_string(width), std::to_string(height), "--extend", "repeat"}},
                     {},
                     {},
                     0});
            }
        }
        if (peers.convert) {
            const fs::path out = folder / ("magick." + extension);
            contenders.push_back(
                {"convert -size " + size + " tile:design.png ." + extension,
                 out,
                 {{"convert", "-size", size, "tile:" + design.string(), out.string()}},
                 {},
                 {},
                 0});
        }
        const fs::path enginePng = folder / "page.png";
        const bool png = extension == "png";
        contenders.push_back({std::string("limit: zlib -") + char('0' + kEngineLevel) +
                                  " on the rows + dd ." + extension,
                              ours,
                              {},
                              [=] { return limitOf(enginePng, ours, png, folder); },
                              {},
                              0});
    }
    for (int round = 0; round < rounds; ++round) {
        std::fprintf(stderr, "%s: round %d of %d\n", size.c_str(), round + 1, rounds);
        for (Contender& contender : contenders) {
            sync();
            Measure total;
            if (contender.own) {
                total = contender.own();
            }
            for (const Command& step : contender.steps) {
                const Measure one = runOnce(step);
                total.seconds += one.seconds;
                total.peakMegabytes = std::max(total.peakMegabytes, one.peakMegabytes);
                total.ok = total.ok && one.ok;
            }
            std::error_code error;
            const std::uintmax_t bytes = fs::file_size(contender.file, error);
            contender.bytes = error ? 0 : bytes;
            contender.runs.push_back(total);
            if (!contender.file.empty() &&
                contender.file.filename().string().rfind("page.", 0) != 0) {
                fs::remove(contender.file); // only pattern-render's pages are needed again
            }
        }
    }
    std::printf("%s, the design tiled, PNG and TIFF (rounds taking turns, disk synced before each "
                "run, median of %d):\n",
                size.c_str(), rounds);
    const Measure* ours = nullptr;
    const Measure* fastestVips = nullptr;
    const Measure* magick = nullptr;
    for (Contender& contender : contenders) {
        const Measure m = median(contender.runs);
        contender.runs = {m};
        std::printf("  %-52s %8.3f s %8.1f MB peak %10.2f MB file%s\n", contender.name.c_str(),
                    m.seconds, m.peakMegabytes, double(contender.bytes) / (1024.0 * 1024.0),
                    m.ok ? "" : "  (FAILED)");
    }
    if (peers.convert && std::max(width, height) > 16384) {
        std::printf("  (Debian's ImageMagick policy.xml refuses images over 16K pixels a side)\n");
    }
    const Measure& floor = contenders.front().runs.front();
    for (Contender& contender : contenders) {
        const Measure& m = contender.runs.front();
        if (contender.name.rfind("pattern-render .", 0) == 0) {
            ours = &m;
            fastestVips = nullptr;
            magick = nullptr;
        } else if (contender.name.rfind("vips", 0) == 0 && m.ok &&
                   (fastestVips == nullptr || m.seconds < fastestVips->seconds)) {
            fastestVips = &m;
        } else if (contender.name.rfind("convert", 0) == 0 && m.ok) {
            magick = &m;
        } else if (contender.own) {
            const char* format = contender.file.extension() == ".png" ? "PNG" : "TIFF";
            // The goals are set for print-sized pages; smaller ones are shown for their trend.
            const bool goals = double(width) * height >= 100e6;
            std::printf("  %s: pattern-render / limit %.2f%s (above the floor %.2f)", format,
                        ratio(*ours, m), goals ? " (target <= 1.5)" : "",
                        (ours->seconds - floor.seconds) / m.seconds);
            if (fastestVips != nullptr) {
                std::printf(", / fastest vips %.2f%s", ratio(*ours, *fastestVips),
                            goals ? " (target <= 0.25)" : "");
            }
            if (magick != nullptr) {
                std::printf(", / convert %.2f", ratio(*ours, *magick));
            }
            std::printf("\n");
        }
    }
    fs::remove(folder / "page.png");
    fs::remove(folder / "page.tif");
}

// Qt's floor is what pattern-render --version holds; a page's cost is what it adds to that.
void compareMemory(const std::string& renderer, const fs::path& folder, bool quick) {
    const Measure floor = measure({{renderer, "--version"}}, 3);
    std::printf("Peak memory above pattern-render --version (%.1f MB), median of 3:\n",
                floor.peakMegabytes);
    const auto show = [&](const std::string& what, const Command& command) {
        const Measure m = measure({command}, 3);
        std::printf("  %-44s %8.3f s %7.1f MB peak %+7.1f MB%s\n", what.c_str(), m.seconds,
                    m.peakMegabytes, m.peakMegabytes - floor.peakMegabytes,
                    m.ok ? "" : "  (FAILED)");
    };
    struct Size {
        int width;
        int height;
    };
    for (const Size size :
         {Size{1000, 1000}, Size{2480, 3508}, Size{8858, 17717}, Size{17717, 118110}}) {
        if (quick && size.width > 2480) {
            break;
        }
        for (const char* extension : {"png", "tif"}) {
            const fs::path out = folder / (std::string("memory.") + extension);
            show(sizeText(size.width, size.height) + " " + extension,
                 renderCommand(renderer, size.width, size.height, out));
            fs::remove(out);
        }
    }
    const fs::path out = folder / "memory.png";
    show("A4 at 300 dpi, --tile-size 20cm",
         {renderer, "--pattern", "Command55", "--fill", "70,30", "--seed", "3", "--tile-size",
          "20cm", "--out-size", "21x29.7cm", "--quiet", "-o", out.string()});
    show("--colourways 60", {renderer, "--pattern", "Command13", "--fill", "10,10", "--seed", "5",
                             "--colourways", "60", "--quiet", "-o", out.string()});
    fs::remove(out);
}

// A picture of line art, 4000 x 4000: the catalogue figure drawn sharp at that size (black
// lines on the canvas colour, whose luminance is 0.37, so lines are what is darker than 0.2).
void compareLineArt(const std::string& renderer, const fs::path& folder) {
    const fs::path art = folder / "art.png";
    runOnce({renderer, "--pattern", "Command55", "--tile-size", "4000", "--out-size", "4000",
             "--quiet", "-o", art.string()});
    const Command page = {"--fill",     "70,30",     "--seed", "3",   "--tile-size", "5cm",
                          "--out-size", "21x29.7cm", "--dpi",  "300", "--quiet",     "-o"};
    Command imported = {renderer, "--line-art", art.string(), "--threshold", "0.2"};
    Command catalogue = {renderer, "--pattern", "Command55"};
    imported.insert(imported.end(), page.begin(), page.end());
    imported.push_back((folder / "art-page.png").string());
    catalogue.insert(catalogue.end(), page.begin(), page.end());
    catalogue.push_back((folder / "catalogue-page.png").string());
    std::printf("A4 of 5 cm tiles at 300 dpi, a 4000 x 4000 line art imported against the "
                "catalogue figure, taking turns (median of 7):\n");
    const auto [ours, theirs] = measureInTurns(imported, catalogue, 7);
    report("pattern-render --line-art art.png", ours);
    report("pattern-render --pattern Command55", theirs);
    std::printf("  line art / catalogue: %.2f (target <= 2)\n", ratio(ours, theirs));

    const fs::path document = folder / "art.ccpat";
    runOnce({renderer, "--line-art", art.string(), "--threshold", "0.2", "--save-design",
             document.string()});
    std::printf("Its design document: %.2f MB (target <= 2)\n",
                double(fs::file_size(document)) / (1024.0 * 1024.0));
    const Measure opened =
        measure({{renderer, "--design", document.string(), "-o", (folder / "d.png").string()}}, 7);
    report("pattern-render --design art.ccpat (whole process)", opened);
    std::printf("  opened and its design written in %.0f ms (target <= 300)\n",
                opened.seconds * 1000);
}

// The fabric page of an eight-colour design (Command13 with eight fills): its separations, with
// and without trapping and marks, against its composite PNG page, in runs taking turns.
void compareSeparations(const std::string& renderer, const fs::path& folder, int runs) {
    const Command page = {renderer,
                          "--pattern",
                          "Command13",
                          "--fill",
                          "15,15,#C04020",
                          "--fill",
                          "70,15,#E0B040",
                          "--fill",
                          "125,15,#3070B0",
                          "--fill",
                          "15,70,#60A040",
                          "--fill",
                          "125,70,#803060",
                          "--fill",
                          "15,125,#F0E0C0",
                          "--fill",
                          "70,125,#202020",
                          "--fill",
                          "125,125,#A0D0E0",
                          "--out-size",
                          "150x300cm",
                          "--dpi",
                          "150",
                          "--tile-size",
                          "10cm",
                          "--quiet"};
    const fs::path screens = folder / "screens";
    fs::create_directories(screens);
    const auto with = [&page](std::vector<std::string> more) {
        Command command = page;
        command.insert(command.end(), more.begin(), more.end());
        return command;
    };
    const std::vector<std::pair<const char*, Command>> cases = {
        {"composite PNG page (-o page.png)", with({"-o", (folder / "page.png").string()})},
        {"8 screens, proof and sheet (--separations)", with({"--separations", screens.string()})},
        {"the same with --trap 2 --registration-marks",
         with({"--trap", "2", "--registration-marks", "--separations", screens.string()})},
    };
    std::vector<std::vector<Measure>> results(cases.size());
    runOnce(cases[1].second); // warm-up
    for (int run = 0; run < runs; ++run) {
        for (std::size_t c = 0; c < cases.size(); ++c) {
            results[c].push_back(runOnce(cases[c].second));
        }
    }
    std::printf("Separations of 8 colours, 150 x 300 cm at 150 dpi, 8858 x 17717 (runs taking "
                "turns, median of %d):\n",
                runs);
    std::vector<Measure> medians;
    for (std::size_t c = 0; c < cases.size(); ++c) {
        medians.push_back(median(results[c]));
        report(cases[c].first, medians.back());
    }
    for (std::size_t c = 1; c < cases.size(); ++c) {
        std::printf("  %s / PNG page: %.2f (target <= 3), peak %.1f MB (target <= 64)\n",
                    c == 1 ? "separations" : "trapped separations", ratio(medians[c], medians[0]),
                    medians[c].peakMegabytes);
    }
    fs::remove_all(screens);
}

// A4 as a bitmap, which is all writing: against dd of as many bytes.
void compareBitmap(const std::string& renderer, const fs::path& folder) {
    std::printf("A4 BMP against dd of the same bytes with fdatasync (median of 7):\n");
    const Measure bmp = measure({renderCommand(renderer, 2480, 3508, folder / "a4.bmp")}, 7);
    report("pattern-render .bmp", bmp);
    const auto bmpBytes = fs::file_size(folder / "a4.bmp");
    const Measure dd = measure({{"dd", "if=/dev/zero", "of=" + (folder / "dd.bin").string(),
                                 "bs=" + std::to_string(bmpBytes), "count=1", "conv=fdatasync"}},
                               7);
    report("dd conv=fdatasync", dd);
    std::printf("  pattern-render / dd: %.2f (target <= 1.5)\n", ratio(bmp, dd));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: print-compare PATH/TO/pattern-render [--quick | --line-art | --separations | "
            "--memory | --pages]\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each line as it comes, even into a file
    const std::string renderer = fs::absolute(argv[1]).string();
    const bool quick = argc > 2 && std::string(argv[2]) == "--quick";
    const fs::path folder =
        fs::temp_directory_path() / ("print-compare-" + std::to_string(getpid()));
    fs::create_directories(folder);
    if (argc > 2 && std::string(argv[2]) == "--line-art") {
        compareLineArt(renderer, folder);
        fs::remove_all(folder);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "--separations") {
        compareSeparations(renderer, folder, 5);
        fs::remove_all(folder);
        return 0;
    }
    if (argc > 2 && std::string(argv[2]) == "--memory") {
        compareMemory(renderer, folder, false);
        fs::remove_all(folder);
        return 0;
    }
    const Peers peers;
    if (!peers.vips) {
        std::printf("vips not found: apt-get install libvips-tools (its cases are skipped)\n");
    }
    if (!peers.convert) {
        std::printf("ImageMagick's convert not found: apt-get install imagemagick (its cases are "
                    "skipped)\n");
    }
    const fs::path design = folder / "design.png";
    runOnce({renderer, "--pattern", "Command55", "--fill", "70,30", "--seed", "3", "-o",
             design.string()});

    const bool pagesOnly = argc > 2 && std::string(argv[2]) == "--pages";
    if (!pagesOnly) {
        comparePage(renderer, peers, design, folder, 2480, 3508, 5);
    }
    if (quick) {
        compareMemory(renderer, folder, true);
        fs::remove_all(folder);
        return 0;
    }
    if (!pagesOnly) {
        compareLineArt(renderer, folder);
        compareBitmap(renderer, folder);
        compareSeparations(renderer, folder, 3);
    }
    comparePage(renderer, peers, design, folder, 8858, 17717, 5);
    // The largest page needs room for the uncompressed TIFF of vips: 6.3 GB.
    if (fs::space(folder).available < (std::uintmax_t(8) << 30)) {
        std::printf("17717 x 118110 skipped: less than 8 GB free in %s\n", folder.c_str());
    } else {
        // Three rounds: one takes the peers several minutes.
        comparePage(renderer, peers, design, folder, 17717, 118110, 3);
    }
    if (!pagesOnly) {
        compareMemory(renderer, folder, false);
    }
    fs::remove_all(folder);
    return 0;
}
