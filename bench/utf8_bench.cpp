// UTF-8 validation: plat::utf8IsValid against GLib's g_utf8_validate on the same valid texts of
// 64 B, 4 KiB, 1 MiB and 64 MiB, and memchr over the ASCII text as the bound of a plain scan.
// Ours also rejects non-characters, which GLib accepts; no sample holds one, and each side's
// verdict is checked.
//
// Each class of text is made of fixed sentences picked at random (a fixed seed), so that the
// branch predictor cannot learn one short period; the label gives the share of non-ASCII bytes.
#include "plat/Utf8.h"

#include <benchmark/benchmark.h>
#include <glib.h>

#include <cstring>
#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace {

enum Kind { kAscii, kFrench, kDenseLatin, kCjk, kEmoji, kRandomMix, kKinds };

const char* const kKindNames[kKinds] = {"ASCII", "French", "dense Latin",
                                        "CJK",   "emoji",  "random mix"};

const std::vector<std::vector<const char*>> kSentences = {
    {"The quick brown fox jumps over the lazy dog. ",
     "Connection from 192.168.10.4 accepted on port 5900, session 1234567890. ",
     "Setup copied 48 files to the application folder and registered the helper. ",
     "Checking for updates every 24 hours; the next check is at 09:30. ",
     "Press Continue to install the software on the selected disk.\n"},
    {"Le programme d'installation a copi\xC3\xA9 les fichiers n\xC3\xA9"
     "cessaires sur le disque. ",
     "Vous pouvez maintenant fermer cette fen\xC3\xAAtre et lancer l'application. ",
     "La connexion au serveur distant a \xC3\xA9t\xC3\xA9 refus\xC3\xA9"
     "e par l'h\xC3\xB4te. ",
     "Veuillez saisir le mot de passe de l'administrateur pour continuer. ",
     "Les param\xC3\xA8tres seront appliqu\xC3\xA9s au prochain d\xC3\xA9marrage du "
     "service. ",
     "Cliquez sur Continuer pour installer le logiciel sur ce disque.\n"},
    {"P\xC5\x99\xC3\xADli\xC5\xA1 \xC5\xBEluou\xC4\x8Dk\xC3\xBD k\xC5\xAF\xC5\x88 "
     "\xC3\xBAp\xC4\x9Bl \xC4\x8F\xC3\xA1"
     "belsk\xC3\xA9 \xC3\xB3"
     "dy. ",
     "\xC3\x81rv\xC3\xADzt\xC5\xB1r\xC5\x91 t\xC3\xBCk\xC3\xB6rf\xC3\xBAr\xC3\xB3g\xC3\xA9p. ",
     "Vi\xE1\xBB\x87t Nam c\xC3\xB3 nhi\xE1\xBB\x81u \xC4\x91\xE1\xBB\x8B"
     "a \xC4\x91i\xE1\xBB\x83m \xC4\x91\xE1\xBA\xB9p. ",
     "Za\xC5\xBC\xC3\xB3\xC5\x82\xC4\x87 g\xC4\x99\xC5\x9Bl\xC4\x85 ja\xC5\xBA\xC5\x84. ",
     "\xC3\x9E\xC3\xA6r \xC3\xB0\xC3\xA9r \xC3\xBE\xC3\xB6k\xC3\xB0u. "},
    {"\xE8\xBF\x9C\xE7\xA8\x8B\xE8\xAE\xBF\xE9\x97\xAE\xE7\xA8\x8B\xE5\xBA\x8F\xE5\xB7\xB2"
     "\xE5\xAE\x89\xE8\xA3\x85\xE5\x88\xB0 /Applications\xE3\x80\x82",
     "\xE3\x83\x9D\xE3\x83\xBC\xE3\x83\x88 5900 \xE3\x81\xA7\xE6\x8E\xA5\xE7\xB6\x9A\xE3\x82"
     "\x92\xE5\xBE\x85\xE3\x81\xA3\xE3\x81\xA6\xE3\x81\x84\xE3\x81\xBE\xE3\x81\x99\xE3\x80\x82",
     "\xE3\x80\x8C\xE7\xB6\x9A\xE3\x81\x91\xE3\x82\x8B\xE3\x80\x8D\xE3\x82\x92\xE3\x82\xAF"
     "\xE3\x83\xAA\xE3\x83\x83\xE3\x82\xAF\xE3\x81\x97\xE3\x81\xA6\xE3\x81\x8F\xE3\x81\xA0"
     "\xE3\x81\x95\xE3\x81\x84\xEF\xBC\x81",
     "\xEC\x84\xA4\xEC\xB9\x98\xEA\xB0\x80 \xEC\x99\x84\xEB\xA3\x8C\xEB\x90\x98\xEC\x97\x88"
     "\xEC\x8A\xB5\xEB\x8B\x88\xEB\x8B\xA4. ",
     "\xE5\xAF\x86\xE7\xA0\x81\xEF\xBC\x88\xE8\x87\xB3\xE5\xB0\x91 8 \xE4\xB8\xAA\xE5\xAD\x97"
     "\xE7\xAC\xA6\xEF\xBC\x89\xEF\xBC\x8C\xE7\x84\xB6\xE5\x90\x8E\xE9\x87\x8D\xE8\xAF\x95"
     "\xE3\x80\x82\n"},
    {"Done \xF0\x9F\x8E\x89\xF0\x9F\x8E\x89 see you tomorrow \xF0\x9F\x91\x8B ",
     "\xF0\x9F\x98\x80\xF0\x9F\x98\x82\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD ok ",
     "Meeting moved to 3 pm \xE2\x8F\xB0\xF0\x9F\x93\x85 ",
     "\xF0\x9F\x9A\x80 launch! \xF0\x9F\x94\xA5\xF0\x9F\x94\xA5\xF0\x9F\x94\xA5 ",
     "thanks \xE2\x9D\xA4\xEF\xB8\x8F\xF0\x9F\x99\x8F\n"},
};

// Code points from every length class, none of them a surrogate or non-character.
std::string randomMix(size_t size, std::mt19937& random) {
    static const std::pair<int, int> ranges[] = {
        {0x20, 0x7E}, {0xA0, 0x7FF}, {0x800, 0xD7FF}, {0xE000, 0xFDCF}, {0x10000, 0x10FFFD}};
    std::string out;
    while (out.size() + 4 < size) {
        const auto& range = ranges[random() % 5];
        int cp = range.first + int(random() % unsigned(range.second - range.first + 1));
        if ((cp & 0xFFFE) == 0xFFFE) continue;
        char bytes[4];
        char* end = bytes;
        if (cp < 0x80)
            *end++ = char(cp);
        else
            plat::utf8Encode(cp, &end);
        out.append(bytes, end);
    }
    return out;
}

// Whole sentences (or characters) up to `size`, then spaces to make it exact.
std::string makeText(Kind kind, size_t size) {
    std::mt19937 random(unsigned(kind) + 1);
    std::string out;
    if (kind == kRandomMix) {
        out = randomMix(size, random);
    } else {
        const auto& sentences = kSentences[kind];
        for (;;) {
            const char* sentence = sentences[random() % sentences.size()];
            size_t length = std::strlen(sentence);
            if (out.size() + length > size) break;
            out.append(sentence, length);
        }
        // A short text is a piece of one sentence, cut at a character boundary.
        for (size_t i = 0; out.size() < size / 2 && sentences[0][i]; ++i)
            out += sentences[0][i];
        while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80)
            out.pop_back();
        while (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0)
            out.pop_back();
    }
    out.resize(size, ' ');
    return out;
}

const std::string& sample(Kind kind, size_t size) {
    static std::map<std::pair<int, size_t>, std::string> texts;
    std::string& text = texts[{int(kind), size}];
    if (text.empty()) text = makeText(kind, size);
    return text;
}

void label(benchmark::State& state, const std::string& text, Kind kind) {
    size_t high = 0;
    for (unsigned char c : text)
        high += c >= 0x80;
    state.SetLabel(std::string(kKindNames[kind]) + ", " + std::to_string(100 * high / text.size()) +
                   "% non-ASCII");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Ours(benchmark::State& state) {
    Kind kind = Kind(state.range(0));
    const std::string& text = sample(kind, size_t(state.range(1)));
    if (!plat::utf8IsValid(text.data(), text.data() + text.size()))
        state.SkipWithError("sample rejected");
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(plat::utf8IsValid(text.data(), text.data() + text.size()));
    }
    label(state, text, kind);
}

void BM_GLib(benchmark::State& state) {
    Kind kind = Kind(state.range(0));
    const std::string& text = sample(kind, size_t(state.range(1)));
    if (!g_utf8_validate(text.data(), gssize(text.size()), nullptr))
        state.SkipWithError("sample rejected");
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(g_utf8_validate(text.data(), gssize(text.size()), nullptr));
    }
    label(state, text, kind);
}

// The whole ASCII text scanned for a byte it does not hold.
void BM_Memchr(benchmark::State& state) {
    const std::string& text = sample(kAscii, size_t(state.range(1)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(text.data());
        benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', text.size()));
    }
    label(state, text, kAscii);
}

void allSizes(benchmark::internal::Benchmark* bench) {
    for (int kind = 0; kind < kKinds; ++kind)
        for (int64_t size : {64, 4 << 10, 1 << 20, 64 << 20})
            bench->Args({kind, size});
}

BENCHMARK(BM_Ours)->Apply(allSizes);
BENCHMARK(BM_GLib)->Apply(allSizes);
BENCHMARK(BM_Memchr)->Args({kAscii, 1 << 20});

}  // namespace

BENCHMARK_MAIN();
