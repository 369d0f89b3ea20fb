#include "base/data_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Creating the directory, and failing to, is tested with Plexa's start-up.
TEST(DataDirectory, IsDovraInTheHomeDirectory) {
    const char* old = std::getenv("HOME");
    const std::string saved = old ? old : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(base::dataDirectory(), std::filesystem::path("/home/someone/dovra"));
    setenv("HOME", saved.c_str(), 1);
}

TEST(PlainFileName, RefusesNamesThatLeaveTheDirectory) {
    for (const char* name : {"user1.qdf", ".qdf", "...qdf", "a..b.qdf", "show 2.qdf"}) {
        EXPECT_TRUE(base::isPlainFileName(name)) << name;
    }
    for (const char* name :
         {"", ".", "..", "../x.qdf", "a/b.qdf", "a\\b.qdf", "c:x.qdf", "/etc.qdf"}) {
        EXPECT_FALSE(base::isPlainFileName(name)) << name;
    }
}

}  // namespace
