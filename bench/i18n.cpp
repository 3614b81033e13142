// The cost of one message lookup with two arguments (a plural selector on a
// count and a string), in en-US and de-DE, against a baseline in the same
// run: snprintf of the same English text into a std::string. Also shows the
// one-off cost of building a thread's catalogues.
//
//   bench/i18n [iterations]

#include "i18n/catalogue.h"
#include "i18n/translate.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

volatile std::size_t sink = 0;

double ns_per_call(int iterations, std::function<std::string(int)> const& call)
{
    sink = sink + call(0).size(); // warm-up: catalogues parsed, caches filled
    auto const start = std::chrono::steady_clock::now();
    for (int i = 0; i < iterations; ++i)
        sink = sink + call(i).size();
    std::chrono::duration<double, std::nano> const elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / iterations;
}

}

int main(int argc, char** argv)
{
    using namespace files::i18n;
    int const iterations = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200000;
    LanguageId const english = en_us();
    LanguageId const german = *parse_language_id("de-DE");

    auto lookup = [](LanguageId const& locale) {
        return [&locale](int i) {
            return translate_in(locale, "files-selected-count", { { "base", "12 items" }, { "count", i % 7 } });
        };
    };
    double const en = ns_per_call(iterations, lookup(english));
    double const de = ns_per_call(iterations, lookup(german));
    double const baseline = ns_per_call(iterations, [](int i) {
        char buffer[64];
        int const length = std::snprintf(buffer, sizeof buffer, "%s  ·  %d selected", "12 items", i % 7);
        return std::string(buffer, static_cast<std::size_t>(length));
    });
    auto const build_start = std::chrono::steady_clock::now();
    Catalogue const fresh(german);
    std::chrono::duration<double, std::milli> const build = std::chrono::steady_clock::now() - build_start;

    std::printf("i18n: translate_with, 2 arguments (plural count + string), %d calls\n", iterations);
    std::printf("  en-US lookup:              %8.1f ns/call\n", en);
    std::printf("  de-DE lookup:              %8.1f ns/call\n", de);
    std::printf("  baseline, snprintf:        %8.1f ns/call\n", baseline);
    std::printf("  ratio en-US / baseline:    %8.2f\n", en / baseline);
    std::printf("  ratio de-DE / baseline:    %8.2f\n", de / baseline);
    std::printf("  catalogue build, de-DE:    %8.2f ms once per thread\n", build.count());
    std::printf("  goal under 2 us per call:  %s\n", en < 2000 && de < 2000 ? "met" : "NOT met");
    return 0;
}
