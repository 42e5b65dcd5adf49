#include "plat/FileConfig.h"

#include "plat/LogSrc.h"
#include "rdr/FileStream.h"

#include <cerrno>
#include <cstring>
#include <exception>

namespace plat {

namespace {

LogSrc fileConfigLog("FileConfig");

// Opens `path` for reading; false when the file or a directory on its way is missing.
bool openExisting(rdr::FileInStream& in, const char* path) {
    try {
        in.open(path);
        return true;
    } catch (const SystemException& e) {
        if (e.errorNumber() == ENOENT || e.errorNumber() == ENOTDIR) return false;
        throw;
    }
}

// The records of `path`, none when it is missing.
NoCaseStringMap readForRewrite(const char* path) {
    NoCaseStringMap records;
    rdr::FileInStream in;
    if (openExisting(in, path)) plat::readRecords(in, records);
    return records;
}

void eraseRecord(NoCaseStringMap& records, const char* key) {
    auto record = records.find(key);
    if (record != records.end()) records.erase(record);
}

// A key in another case than the stored one replaces the whole record, spelling included. Keys
// are written as they are, so one that would not read back as itself (it would end the key, the
// line or start an escape) could change other records: it is refused.
void replaceRecord(NoCaseStringMap& records, const char* key, const char* value) {
    if (key && std::strpbrk(key, "=\\\r\n")) throw Exception("Invalid parameter file key");
    eraseRecord(records, key);
    records.emplace(String(key), String(value));
}

}  // namespace

void FileConfig::read(Configuration& configuration, const char* path, int priority) {
    fileConfigLog.verbose("Looking for %s config in %s", configuration.getName(), path);
    rdr::FileInStream in(path);
    fileConfigLog.debug("Reading %s config from %s", configuration.getName(), path);
    std::exception_ptr badText;
    DString line;
    const char* key;
    const char* value;
    while (readRecord(in, line, &key, &value)) {
        try {
            configuration.setParam(key, value, priority);
        } catch (const BadUtf8&) {
            if (!badText) badText = std::current_exception();
        }
    }
    if (badText) std::rethrow_exception(badText);
}

void FileConfig::readRecords(const char* path, StringMap& map, const RecordHandlers* handlers) {
    rdr::FileInStream in(path);
    plat::readRecords(in, map, handlers);
}

void FileConfig::writeRecords(const char* path, const NoCaseStringMap& map, int permissions) {
    rdr::TransactedFileOutStream out(path, permissions);
    plat::writeRecords(out, map);
    out.commit();
}

void FileConfig::update(const Configuration& configuration, const char* path,
                        const Configuration& baseline, int permissions) {
    NoCaseStringMap records = readForRewrite(path);
    if (collectChangedParams(configuration, baseline, records))
        writeRecords(path, records, permissions);
}

void FileConfig::setValue(const char* path, const char* key, const char* value, int permissions) {
    NoCaseStringMap records = readForRewrite(path);
    replaceRecord(records, key, value);
    writeRecords(path, records, permissions);
}

void FileConfig::setValues(const char* path, const StringMap& values, int permissions) {
    NoCaseStringMap records = readForRewrite(path);
    for (const auto& [key, value] : values)
        replaceRecord(records, key.get(), value.get());
    writeRecords(path, records, permissions);
}

void FileConfig::removeValue(const char* path, const char* key, int permissions) {
    rdr::FileInStream in;
    if (!openExisting(in, path)) return;
    NoCaseStringMap records;
    plat::readRecords(in, records);
    eraseRecord(records, key);
    writeRecords(path, records, permissions);
}

}  // namespace plat
