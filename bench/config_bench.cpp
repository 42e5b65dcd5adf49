// Layered parameter files against GLib's GKeyFile, in the same binary on the same records:
// 1,000 to 100,000 keys spread over the system's "common" and program files, the user's file
// and a system policy, read in that order. Ours loads them through tqutil::ConfigStoreFile into
// a configuration of 100 parameters (every other key is unknown and passed over); the peer
// loads each file (the same records under a "[Settings]" group line) with GKeyFile and sets
// every value whose key names one of the 100 parameters in a hash table. ReadRecords_Ours reads
// the same files into one string map, without a configuration: the record reader alone. The
// cost per key should stay flat as the number of keys grows.
#include "os/AppInfo.h"
#include "plat/ConfigParameter.h"
#include "plat/Configuration.h"
#include "plat/FileConfig.h"
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
    for (auto _ : state) {
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
    }
    state.SetItemsProcessed(state.iterations() * (keys + keys / 10));
    g_hash_table_destroy(params);
    std::filesystem::remove_all(root);
}

BENCHMARK(BM_LoadLayered_Ours)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRecords_Ours)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLayered_GKeyFile)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
