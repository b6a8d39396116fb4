// Random pattern-render argument lists: known options with wild values, unknown words, missing
// values. Every run must end with status 0, 1 or 2 and never crash.
#include "fuzz_input.h"
#include "print/print_size.h"
#include "render_run.h"

#include <QTemporaryDir>
#include <cstdlib>

namespace {

QString wildValue(FuzzInput& in, const QString& folder) {
    static const QStringList kValues =
        QStringLiteral("0 1 2 -1 32767 32768 1e30 nan inf own 10 300 1000 1001 20,20 141,141 142,0 "
                       "-1,5 5,5,#FF0000 5,5,#GG0000 2480x3508 0x0 20001x2 1x1 straight half-drop "
                       "brick mirror rotate 21x29.7cm 20cm 0.001cm 8.5x11in 2.5x2.5 10000 10001 "
                       "Command12 Command55 Command0 x.bmp x.png x.gif x.tif x.tiff /proc/x.png "
                       "NaN,NaN 99999999999999999999")
            .split(' ') +
        QStringList{QString()};
    const QString value = kValues[in.byte() % kValues.size()];
    return value.startsWith("x.") ? folder + "/" + value : value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ensureGuiApplication();
    static QTemporaryDir folder;
    static const char* const kOptions[] = {
        "--list",   "--pattern", "--advanced", "--category",      "--width",
        "--fill",   "--seed",    "--effect",   "--no-credit",     "--out-size",
        "--repeat", "-o",        "--help",     "--unknown",       "--tile-size",
        "--dpi",    "--credit",  "--quiet",    "--merge-colours", "--colours"};
    FuzzInput in{data, data + size};
    QStringList arguments;
    for (int count = in.byte() % 12; count > 0; --count) {
        arguments << QString::fromUtf8(kOptions[in.byte() % std::size(kOptions)]);
        if (in.byte() % 4 != 0) {
            arguments << wildValue(in, folder.path());
        }
    }
    // Big pages and tiles are legal but slow; keep the fuzzer's time for the argument handling.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const std::optional<print::PrintSize> size = print::parsePrintSize(arguments[i]);
        if (size && arguments[i - 1].endsWith("-size")) { // --out-size or --tile-size
            const auto [width, height] = print::sizeInPixels(*size, 10000);
            arguments[i] = width * height > 1e6 ? "248x350" : arguments[i];
        }
    }
    const int status = test_support::runRender(arguments).status;
    if (status < 0 || status > 2) {
        std::abort();
    }
    return 0;
}
