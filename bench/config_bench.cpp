// Layered parameter files against GLib's GKeyFile, in the same binary on the same records:
// 1,000 to 100,000 keys spread over the system's "common" and program files, the user's file
// and a system policy, read in that order. Ours loads them through tqutil::ConfigStoreFile into
// a configuration of 100 parameters (every other key is unknown and passed over); the peer
// loads each file (the same records under a "[Settings]" group line) with GKeyFile and sets
// every value whose key names one of the 100 parameters in a hash table. ReadRecords_Ours reads
// the same files into one string map, without a configuration: the record reader alone. The
// cost per key should stay flat as the number of keys grows. Before timing, each side's result
// is checked against the value every parameter must end with, so both load the same content.
//
// XmlConfigRead_Ours reads XML descriptions of 10,000 to 160,000 parameters of mixed kinds into
// a configuration (no peer): the time per parameter should stay flat too.
#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"
#include "plat/FileConfig.h"
#include "plat/XmlConfig.h"
#include "tqutil/ConfigStoreFile.h"

#include <benchmark/benchmark.h>
#include <glib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kParams = 100;
const char* const kFiles[] = {"etc/qdx/config.d/common", "etc/qdx/config.d/bench",
                              "home/config.d/bench", "etc/qdx/policy.d/common"};

// Writes `keys` records over the four files (halves, quarters, and a tenth again as policy)
// for us, and the same with a group line for the peer. Returns the scratch root.
std::string writeLayers(int keys) {
    char pattern[] = "/tmp/config_bench.XXXXXX";
    std::string root = mkdtemp(pattern);
    for (const char* sub : {"etc/qdx/config.d", "etc/qdx/policy.d", "home/config.d", "peer"})
        std::filesystem::create_directories(root + "/" + sub);
    const int firstKey[] = {0, keys / 2, keys * 3 / 4, 0};
    const int lastKey[] = {keys / 2, keys * 3 / 4, keys, keys / 10};
    for (int f = 0; f < 4; f++) {
        std::ofstream ours(root + "/" + kFiles[f]);
        std::ofstream peer(root + "/peer/" + std::to_string(f));
        peer << "[Settings]\n";
        for (int k = firstKey[f]; k < lastKey[f]; k++) {
            std::string record = "Key" + std::to_string(k) + "=value of key " + std::to_string(k) +
                                 " in layer " + std::to_string(f) + "\n";
            ours << record;
            peer << record;
        }
    }
    return root;
}

// Parameters named like every (keys / kParams)-th key, so that the known ones are spread over
// all layers.
std::vector<std::string> paramNames(int keys) {
    std::vector<std::string> names;
    for (int i = 0; i < kParams; i++)
        names.push_back("Key" + std::to_string(i * (keys / kParams)));
    return names;
}

// The text the parameter named after `key` ends with: the policy file's when it holds the key
// (priority 30 wins), else the last file at priority 10 that holds it.
std::string expectedValue(int keys, int key) {
    int layer = key < keys / 10 ? 3 : key < keys / 2 ? 0 : key < keys * 3 / 4 ? 1 : 2;
    return "value of key " + std::to_string(key) + " in layer " + std::to_string(layer);
}

// Compares the loaded texts (`valueOf` by parameter name) with expectedValue; false with the
// first difference in `state` when one is off.
template <typename ValueOf>
bool loadedAsExpected(benchmark::State& state, int keys, ValueOf valueOf) {
    for (int i = 0; i < kParams; i++) {
        int key = i * (keys / kParams);
        std::string name = "Key" + std::to_string(key);
        std::string got = valueOf(name);
        if (got != expectedValue(keys, key)) {
            state.SkipWithError((name + " loaded as '" + got + "'").c_str());
            return false;
        }
    }
    return true;
}

void BM_LoadLayered_Ours(benchmark::State& state) {
    int keys = int(state.range(0));
    std::string root = writeLayers(keys);
    os::setAppName("bench");
    os::setConfigDirs((root + "/etc/qdx").c_str(), (root + "/home/config.d").c_str(),
                      (root + "/home/config.d/bench").c_str());
    tqutil::ConfigStoreFile store;
    plat::Configuration config("Bench");
    config.setLogChanges(false);
    std::vector<std::string> names = paramNames(keys);
    for (const std::string& name : names)
        config.addStringParam(name.c_str(), "bench", "");
    store.loadAll(true, &config);
    if (!loadedAsExpected(state, keys, [&](const std::string& name) {
            return std::string(config.findParam(name.c_str())->getValueStr().c_str());
        }))
        return;
    for (auto _ : state) {
        store.loadAll(true, &config);
        benchmark::DoNotOptimize(config.findParam(names.back().c_str()));
    }
    state.SetItemsProcessed(state.iterations() * (keys + keys / 10));
    std::filesystem::remove_all(root);
}

void BM_ReadRecords_Ours(benchmark::State& state) {
    int keys = int(state.range(0));
    std::string root = writeLayers(keys);
    for (auto _ : state) {
        plat::StringMap map;
        for (const char* file : kFiles)
            plat::FileConfig::readRecords((root + "/" + file).c_str(), map);
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * (keys + keys / 10));
    std::filesystem::remove_all(root);
}

void BM_LoadLayered_GKeyFile(benchmark::State& state) {
    int keys = int(state.range(0));
    std::string root = writeLayers(keys);
    std::vector<std::string> names = paramNames(keys);
    GHashTable* params = g_hash_table_new_full(g_str_hash, g_str_equal, nullptr, g_free);
    for (const std::string& name : names)
        g_hash_table_insert(params, const_cast<char*>(name.c_str()), g_strdup(""));
    auto load = [&] {
        for (int f = 0; f < 4; f++) {
            GKeyFile* file = g_key_file_new();
            std::string path = root + "/peer/" + std::to_string(f);
            if (!g_key_file_load_from_file(file, path.c_str(), G_KEY_FILE_NONE, nullptr))
                std::abort();
            gsize count = 0;
            gchar** fileKeys = g_key_file_get_keys(file, "Settings", &count, nullptr);
            for (gsize k = 0; k < count; k++) {
                gchar* value = g_key_file_get_value(file, "Settings", fileKeys[k], nullptr);
                gpointer name = nullptr;
                if (g_hash_table_lookup_extended(params, fileKeys[k], &name, nullptr))
                    g_hash_table_insert(params, name, value);  // frees the old value
                else
                    g_free(value);
            }
            g_strfreev(fileKeys);
            g_key_file_free(file);
        }
    };
    load();
    if (!loadedAsExpected(state, keys, [&](const std::string& name) {
            auto* value = static_cast<const char*>(g_hash_table_lookup(params, name.c_str()));
            return std::string(value ? value : "(none)");
        }))
        return;
    for (auto _ : state)
        load();
    state.SetItemsProcessed(state.iterations() * (keys + keys / 10));
    g_hash_table_destroy(params);
    std::filesystem::remove_all(root);
}

// A description of `count` parameters as the writer lays it out, kinds in turn: a string with
// values at priorities 0 and 10, a bounded integer described by a translation key, an advanced
// boolean with tags and a preference, and an enumeration of four names with a policy value.
std::string xmlDescription(int count) {
    std::string text = "<?xml version=\"1.0\"?>\n<config>\n";
    for (int i = 0; i < count; i++) {
        std::string n = std::to_string(i);
        switch (i % 4) {
        case 0:
            text += "<string name=\"Text" + n + "\"\n        description=\"Text shown for item " +
                    n + " &amp; its neighbours.\"\n        advanced=\"false\">\n" +
                    "    <value data=\"\" priority=\"0\"/>\n    <value data=\"chosen text " + n +
                    "\" priority=\"10\"/>\n</string>\n";
            break;
        case 1:
            text += "<int    name=\"Count" + n + "\"\n        locDesc=\"plat_param_logkeepdays\"" +
                    "\n        advanced=\"false\"\n        min=\"0\"\n        max=\"100000\">\n" +
                    "    <value data=\"" + std::to_string(i % 1000) +
                    "\" priority=\"0\"/>\n</int>\n";
            break;
        case 2:
            text += "<bool   name=\"Flag" + n + "\"\n        description=\"Turns feature " + n +
                    " on.\"\n        advanced=\"true\"\n        flags=\"noPolicy,ui\">\n" +
                    "    <value data=\"0\" priority=\"0\"/>\n    <value data=\"1\" " +
                    "priority=\"10\"/>\n</bool>\n";
            break;
        default:
            text += "<enum   name=\"Mode" + n + "\"\n        description=\"Mode of unit " + n +
                    ".\"\n        advanced=\"false\"\n        min=\"0\"\n        max=\"3\">\n" +
                    "    <value data=\"Fast\" priority=\"0\"/>\n    <value data=\"Safe\" " +
                    "priority=\"30\"/>\n    <opt data=\"Fast\"/>\n    <opt data=\"Safe\"/>\n" +
                    "    <opt data=\"Slow\"/>\n    <opt data=\"Off\"/>\n</enum>\n";
            break;
        }
    }
    return text + "</config>\n";
}

void BM_XmlConfigRead_Ours(benchmark::State& state) {
    int count = int(state.range(0));
    std::string text = xmlDescription(count);
    plat::Configuration config("Bench");
    config.setLogChanges(false);
    plat::XmlConfig::read(config, text.c_str());
    int read = 0;
    for (plat::Configuration::ParamIterator it(config); it; ++it)
        read++;
    plat::ConfigParameter* last = config.findParam(("Text" + std::to_string(count - 4)).c_str());
    if (read != count || !last ||
        std::string(last->getValueStr().c_str()) != "chosen text " + std::to_string(count - 4)) {
        state.SkipWithError("the description did not read back");
        return;
    }
    for (auto _ : state)
        plat::XmlConfig::read(config, text.c_str());
    state.SetItemsProcessed(state.iterations() * count);
}

BENCHMARK(BM_LoadLayered_Ours)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecords_Ours)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLayered_GKeyFile)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlConfigRead_Ours)
    ->Arg(10000)
    ->Arg(40000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
