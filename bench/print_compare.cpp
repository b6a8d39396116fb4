// Whole-process print pages: pattern-render against the image tools a user would otherwise run,
// all measured in the same run, with wall time and peak resident memory of every process (from
// wait4). Peers that are not installed are skipped with a note on how to install them.
// Usage: print-compare PATH/TO/pattern-render [--quick | --line-art | --separations]
//   --quick        only the A4 cases and the 1000 x 1000 row of the scaling table
//   --line-art     only imported line art against the catalogue, and its design document
//   --separations  only the separations of the fabric page against its PNG page
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

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

struct Peers {
    bool vips = installed("vips");
    bool convert = installed("convert");
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

// vips repeats the design into a page of whole tiles, then crops it to the page.
std::vector<Command> vipsReplicate(const fs::path& design, const fs::path& folder, int width,
                                   int height, const fs::path& out) {
    const int side = 142;
    const std::string whole = (folder / "replicated.v").string();
    return {{"vips", "replicate", design.string(), whole, std::to_string((width + side - 1) / side),
             std::to_string((height + side - 1) / side)},
            {"vips", "crop", whole, out.string(), "0", "0", std::to_string(width),
             std::to_string(height)}};
}

std::vector<Command> vipsArrayjoin(const fs::path& design, const fs::path& folder, int width,
                                   int height, const fs::path& out) {
    const int side = 142;
    const int across = (width + side - 1) / side;
    const int down = (height + side - 1) / side;
    std::string images;
    for (int i = 0; i < across * down; ++i) {
        images += design.string() + " ";
    }
    const std::string whole = (folder / "joined.v").string();
    return {{"vips", "arrayjoin", images, whole, "--across", std::to_string(across)},
            {"vips", "crop", whole, out.string(), "0", "0", std::to_string(width),
             std::to_string(height)}};
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

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(
            stderr,
            "usage: print-compare PATH/TO/pattern-render [--quick | --line-art | --separations]\n");
        return 2;
    }
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
    const Peers peers;
    if (!peers.vips) {
        std::printf("vips not found: apt-get install libvips-tools (its cases are skipped)\n");
    }
    if (!peers.convert) {
        std::printf("convert not found: apt-get install imagemagick (its case is skipped)\n");
    }
    const fs::path design = folder / "design.png";
    runOnce({renderer, "--pattern", "Command55", "--fill", "70,30", "--seed", "3", "-o",
             design.string()});

    std::printf("A4 at 300 dpi, 2480 x 3508, PNG (median of 7):\n");
    const Measure a4 = measure({renderCommand(renderer, 2480, 3508, folder / "a4.png")}, 7);
    report("pattern-render", a4);
    if (peers.vips) {
        const Measure replicate =
            measure({vipsReplicate(design, folder, 2480, 3508, folder / "a4-vips.png")}, 7);
        const Measure joined =
            measure({vipsArrayjoin(design, folder, 2480, 3508, folder / "a4-join.png")}, 7);
        report("vips replicate + crop", replicate);
        report("vips arrayjoin + crop", joined);
        const Measure& best = replicate.seconds < joined.seconds ? replicate : joined;
        std::printf("  pattern-render / fastest vips: %.2f (target <= 0.5)\n", ratio(a4, best));
    }
    if (peers.convert) {
        const Measure magick = measure({{"convert", "-size", "2480x3508", "tile:" + design.string(),
                                         (folder / "a4-magick.png").string()}},
                                       7);
        report("convert -size 2480x3508 tile:design.png", magick);
        std::printf("  pattern-render / convert: %.2f (target < 1)\n", ratio(a4, magick));
    }

    compareLineArt(renderer, folder);

    std::printf("A4 BMP against dd of the same bytes with fdatasync (median of 7):\n");
    const Measure bmp = measure({renderCommand(renderer, 2480, 3508, folder / "a4.bmp")}, 7);
    report("pattern-render .bmp", bmp);
    const auto bmpBytes = fs::file_size(folder / "a4.bmp");
    const Measure dd = measure({{"dd", "if=/dev/zero", "of=" + (folder / "dd.bin").string(),
                                 "bs=" + std::to_string(bmpBytes), "count=1", "conv=fdatasync"}},
                               7);
    report("dd conv=fdatasync", dd);
    std::printf("  pattern-render / dd: %.2f (target <= 1.5)\n", ratio(bmp, dd));

    if (!quick) {
        compareSeparations(renderer, folder, 3);
        std::printf("Fabric 1.5 m x 3 m at 150 dpi, 8858 x 17717 (median of 3):\n");
        const Measure png = measure({renderCommand(renderer, 8858, 17717, folder / "f.png")}, 3);
        const Measure tiff = measure({renderCommand(renderer, 8858, 17717, folder / "f.tif")}, 3);
        report("pattern-render .png", png);
        report("pattern-render .tif", tiff);
        if (peers.vips) {
            const Measure vipsPng =
                measure({vipsReplicate(design, folder, 8858, 17717, folder / "f-vips.png")}, 3);
            const Measure vipsTiff =
                measure({vipsReplicate(design, folder, 8858, 17717, folder / "f-vips.tif")}, 3);
            report("vips replicate + crop .png", vipsPng);
            report("vips replicate + crop .tif (tiffsave)", vipsTiff);
            std::printf("  PNG pattern-render / vips: %.2f (target <= 0.5), peak %.1f MB "
                        "(target <= 64)\n",
                        ratio(png, vipsPng), png.peakMegabytes);
            std::printf("  TIFF pattern-render / vips: %.2f (target <= 1)\n",
                        ratio(tiff, vipsTiff));
        }
        fs::remove(folder / "replicated.v");
    }

    std::printf("Cost per megapixel and peak memory:\n");
    struct Size {
        int width;
        int height;
        const char* name;
    };
    const Size sizes[] = {{1000, 1000, "1000 x 1000"},
                          {2480, 3508, "A4, 2480 x 3508"},
                          {8858, 17717, "8858 x 17717"},
                          {17717, 118110, "17717 x 118110"}};
    for (const Size& size : sizes) {
        if (quick && size.width > 1000) {
            break;
        }
        const double megapixels = double(size.width) * size.height / 1e6;
        for (const char* extension : {"png", "tif"}) {
            const fs::path out = folder / (std::string("scale.") + extension);
            // The largest page needs room for its file; deflated pages of this design stay far
            // below a gigabyte, so ask for that much.
            if (fs::space(folder).available < (std::uintmax_t(1) << 30)) {
                std::printf("  %-18s %s skipped: less than 1 GB free in %s\n", size.name, extension,
                            folder.c_str());
                continue;
            }
            const int runs = megapixels > 100 ? 1 : 3;
            const Measure m =
                measure({renderCommand(renderer, size.width, size.height, out)}, runs);
            std::printf("  %-18s %s %8.3f s %7.2f ms/MP %7.1f MB peak%s\n", size.name, extension,
                        m.seconds, m.seconds * 1000 / megapixels, m.peakMegabytes,
                        m.ok ? "" : "  (FAILED)");
            fs::remove(out);
        }
    }
    fs::remove_all(folder);
    return 0;
}
