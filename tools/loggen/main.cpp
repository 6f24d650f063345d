// loggen: writes a realistic log folder for tests, benchmarks and trying the log book out.
//   loggen <folder> [--years N] [--computers 1-3] [--seed S] [--plain-text-days N]
//          [--unnamed-days N] [--min-slices N] [--max-slices N]
#include "tools/loggen/LogGenerator.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    // A flag where the folder belongs would otherwise become a folder of ten years of logs.
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
            "usage: loggen <folder> [--years N] [--computers 1-3] [--seed S] [--plain-text-days N] [--unnamed-days N] "
            "[--min-slices N] [--max-slices N]\n");
        return 2;
    }
    // The entry template lives in the build's resources unless told otherwise.
    setenv("OSTREL_RESOURCES", OSTREL_BUILD_RESOURCES, 0);
    ostrel::loggen::Options options;
    options.plainTextDays = 30;
    options.unnamedDays = 30;
    for (int i = 2; i + 1 < argc; i += 2) {
        std::string flag = argv[i];
        int value = std::atoi(argv[i + 1]);
        if (flag == "--years")
            options.years = value;
        else if (flag == "--computers")
            options.computers = value;
        else if (flag == "--seed")
            options.seed = std::uint32_t(value);
        else if (flag == "--plain-text-days")
            options.plainTextDays = value;
        else if (flag == "--unnamed-days")
            options.unnamedDays = value;
        else if (flag == "--min-slices")
            options.minSlicesPerDay = value;
        else if (flag == "--max-slices")
            options.maxSlicesPerDay = value;
        else {
            std::fprintf(stderr, "loggen: unknown option %s\n", flag.c_str());
            return 2;
        }
    }
    if (options.years < 1 || options.minSlicesPerDay < 0 || options.maxSlicesPerDay < options.minSlicesPerDay) {
        std::fprintf(stderr, "loggen: the numbers do not make a log\n");
        return 2;
    }
    auto summary = ostrel::loggen::generate(argv[1], options);
    std::printf("%zu files, %zu slices, %zu bytes in %s\n", summary.files, summary.slices, summary.bytes, argv[1]);
    return 0;
}
