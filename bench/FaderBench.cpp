// Fading speed against a memcpy of the same number of output bytes, in the same run; with
// QUILLON_FADER_BASELINE also against the fader of an earlier commit (bench/CMakeLists.txt). The
// OKLab blend is timed beside the sRGB one.
#include "WendrikFaderV2.h"

#ifdef QUILLON_FADER_BASELINE
#include "FaderBaseline.h"
#endif

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using WendrikFaderV2::Blend;
using WendrikFaderV2::Colour;

const std::vector<Colour> kFourColours{0x0000FF, 0x00FF00, 0xFF0000, 0x000000};

// The words over and over, cut to length.
std::u16string Repeated(std::u16string_view words, std::size_t length) {
    std::u16string line;
    while (line.size() < length)
        line += words;
    line.resize(length);
    return line;
}

constexpr std::u16string_view kAscii = u"the quick brown fox jumps over a lazy dog ";
// Emoji as people send them: with skin tones, joined into families, as flags, and an accent
// typed after its letter. Every character of it needs the cluster search.
constexpr std::u16string_view kEmoji =
    u"\U0001F44D\U0001F3FD \U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F1EF\U0001F1F5 "
    u"e\u0301 ";
// A script beyond U+0300 without multi-unit clusters: each character is looked up once.
constexpr std::u16string_view kCyrillic =
    u"\u0441\u044A\u0435\u0448\u044C \u0436\u0435 \u0435\u0449\u0451 \u044D\u0442\u0438\u0445 ";

std::u16string Line(std::size_t length) {
    return Repeated(kAscii, length);
}

// Words of three letters: 640 of them mark up to just under 32767 characters.
std::u16string Words(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += u"abc ";
    return text;
}

// The yardstick beside each fade: copying as many bytes as the fade writes.
void CopyBytes(benchmark::State& state, std::size_t bytes) {
    std::vector<char> from(bytes, 'x'), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}

// One line faded over and over by the given fader, compact and without the wave as Send fades.
template <class Fade>
void FadeLine(benchmark::State& state, Fade fade, const std::u16string& line) {
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        std::u16string faded = fade(line, kFourColours, false, true);
        outputBytes = faded.size() * sizeof(char16_t);
        benchmark::DoNotOptimize(faded.data());
    }
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
}

// Today's fader in the given blend, shaped like the baseline's FadeText.
template <Blend blend>
std::u16string FadeIn(const std::u16string& text, const std::vector<Colour>& colours, bool Wave,
                      bool Compact) {
    return WendrikFaderV2::FadeText(text, colours, Wave, Compact, blend);
}

void BM_FadeText(benchmark::State& state) {
    FadeLine(state, FadeIn<Blend::srgb>, Line(static_cast<std::size_t>(state.range(0))));
    state.SetComplexityN(state.range(0));
}

void BM_FadeTextOkLab(benchmark::State& state) {
    FadeLine(state, FadeIn<Blend::oklab>, Line(static_cast<std::size_t>(state.range(0))));
}

void BM_FadeEmoji(benchmark::State& state) {
    FadeLine(state, FadeIn<Blend::srgb>,
             Repeated(kEmoji, static_cast<std::size_t>(state.range(0))));
}

void BM_FadeCyrillic(benchmark::State& state) {
    FadeLine(state, FadeIn<Blend::srgb>,
             Repeated(kCyrillic, static_cast<std::size_t>(state.range(0))));
}

#ifdef QUILLON_FADER_BASELINE
void BM_FadeTextBaseline(benchmark::State& state) {
    FadeLine(state, FaderBaseline::FadeText, Line(static_cast<std::size_t>(state.range(0))));
}
void BM_FadeEmojiBaseline(benchmark::State& state) {
    FadeLine(state, FaderBaseline::FadeText,
             Repeated(kEmoji, static_cast<std::size_t>(state.range(0))));
}
void BM_FadeCyrillicBaseline(benchmark::State& state) {
    FadeLine(state, FaderBaseline::FadeText,
             Repeated(kCyrillic, static_cast<std::size_t>(state.range(0))));
}
#endif

// The table alone, to see what share of FadeText it takes.
template <Blend blend> void BuildTable(benchmark::State& state) {
    for (auto _ : state) {
        WendrikFaderV2::BuildFadeTable(kFourColours, static_cast<int>(state.range(0)), true, blend);
        benchmark::DoNotOptimize(WendrikFaderV2::FadeTag[1].data());
    }
}

void BM_BuildFadeTable(benchmark::State& state) {
    BuildTable<Blend::srgb>(state);
}

void BM_BuildFadeTableOkLab(benchmark::State& state) {
    BuildTable<Blend::oklab>(state);
}

#ifdef QUILLON_FADER_BASELINE
void BM_BuildFadeTableBaseline(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FaderBaseline::BuildFadeTable(kFourColours, static_cast<int>(state.range(0)), true));
}
#endif

// The output size of FadeText for the same line, copied once per iteration.
void BM_MemcpyFadeTextOutput(benchmark::State& state) {
    WendrikFaderV2::SetRefusalPresenter([](std::u16string_view) {});
    const std::size_t bytes =
        WendrikFaderV2::FadeText(Line(static_cast<std::size_t>(state.range(0))), kFourColours,
                                 false, true)
            .size() *
        sizeof(char16_t);
    CopyBytes(state, bytes);
}

void BM_FadeFirstLetters(benchmark::State& state) {
    const std::u16string words = Words(static_cast<int>(state.range(0)));
    std::size_t outputBytes = 0;
    for (auto _ : state) {
        std::u16string text = words;
        std::u16string marked = WendrikFaderV2::FadeFirstLetters(text, kFourColours, true);
        outputBytes = marked.size() * sizeof(char16_t);
        benchmark::DoNotOptimize(marked.data());
    }
    if (outputBytes <= words.size() * sizeof(char16_t))
        state.SkipWithError("refused: the text was not marked");
    state.counters["output_bytes"] = static_cast<double>(outputBytes);
    state.SetComplexityN(state.range(0));
}

void BM_MemcpyFirstLettersOutput(benchmark::State& state) {
    std::u16string text = Words(static_cast<int>(state.range(0)));
    const std::size_t bytes =
        WendrikFaderV2::FadeFirstLetters(text, kFourColours, true).size() * sizeof(char16_t);
    CopyBytes(state, bytes);
}

} // namespace

BENCHMARK(BM_FadeText)->Arg(1000)->Arg(8000)->Arg(32767)->Complexity(benchmark::oN);
BENCHMARK(BM_FadeTextOkLab)->Arg(1000)->Arg(32767);
BENCHMARK(BM_FadeEmoji)->Arg(1000)->Arg(32767);
BENCHMARK(BM_FadeCyrillic)->Arg(1000)->Arg(32767);
#ifdef QUILLON_FADER_BASELINE
BENCHMARK(BM_FadeTextBaseline)->Arg(1000)->Arg(8000)->Arg(32767);
BENCHMARK(BM_FadeEmojiBaseline)->Arg(1000)->Arg(32767);
BENCHMARK(BM_FadeCyrillicBaseline)->Arg(1000)->Arg(32767);
#endif
BENCHMARK(BM_BuildFadeTable)->Arg(32767);
BENCHMARK(BM_BuildFadeTableOkLab)->Arg(32767);
#ifdef QUILLON_FADER_BASELINE
BENCHMARK(BM_BuildFadeTableBaseline)->Arg(32767);
#endif
BENCHMARK(BM_MemcpyFadeTextOutput)->Arg(1000)->Arg(8000)->Arg(32767);
BENCHMARK(BM_FadeFirstLetters)->Arg(80)->Arg(160)->Arg(320)->Arg(640)->Complexity(benchmark::oN);
BENCHMARK(BM_MemcpyFirstLettersOutput)->Arg(640);
