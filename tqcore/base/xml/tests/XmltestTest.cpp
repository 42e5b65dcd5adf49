// James Clark's xmltest as a crash corpus and a measure of how far the lenient reader agrees
// with the verdicts of a conforming one: valid and invalid documents are well-formed and
// should parse with code 0, not-wf documents should give any other code.
#include "xml/Node.h"

#include "xml/tests/XmltestPath.h"

#include "xml/tests/TreeDump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> documents(const fs::path& dir) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec))
        if (entry.path().extension() == ".xml") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(Xmltest, VerdictsPerClass) {
    XMLTEST_SUITE_ROOT(root);
    // Expected agreements, as measured; a change in either direction is worth a look.
    const struct {
        const char* dir;
        bool wellFormed;
        int files, agreeing;
    } classes[] = {
        {"valid/sa", true, 121, 99},     {"valid/not-sa", true, 30, 29},
        {"valid/ext-sa", true, 14, 0},   {"invalid", true, 3, 3},
        {"invalid/not-sa", true, 1, 1},  {"not-wf/sa", false, 186, 65},
        {"not-wf/not-sa", false, 11, 0}, {"not-wf/ext-sa", false, 3, 3},
    };
    for (const auto& c : classes) {
        std::vector<std::string> files = documents(root / c.dir);
        int agreeing = 0;
        std::string disagreeing;
        for (const std::string& path : files) {
            xml::ParseResult r;
            xml::Node tree = xml::Node::parseFile(path.c_str(), nullptr, &r);
            if ((r.error == xml::kNoError) == c.wellFormed) ++agreeing;
            if (r.error == xml::kNoError) {
                char* text = tree.toText(true);
                EXPECT_EQ(xmltest::dump(xml::Node::parseString(text)), xmltest::dump(tree))
                    << path;
                std::free(text);
            }
            else disagreeing += " " + fs::path(path).filename().string() + ":" + std::to_string(r.error);
        }
        std::cout << c.dir << ": " << agreeing << " of " << files.size() << " as expected;"
                  << " others (file:code):" << disagreeing << "\n";
        EXPECT_EQ(int(files.size()), c.files) << c.dir;
        EXPECT_EQ(agreeing, c.agreeing) << c.dir;
    }
}

}  // namespace
