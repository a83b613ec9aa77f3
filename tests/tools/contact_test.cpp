// The contact tool: each field asked for gives one picture of its opening, and two fields'
// openings differ; a range it cannot draw is refused.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "scratch.h"

namespace {
int runContact(const std::string& arguments) {
    const std::string command = std::string("'") + ZT_CONTACT_TOOL + "' " + arguments + " '" +
                                ZT_TEST_ROOT + "' > /dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
} // namespace

TEST(Contact, FieldOpeningsArePicturesOfTheirOwn) {
    ZTScratch own;
    ASSERT_TRUE(own.ok);
    ASSERT_EQ(runContact("--fields 1-2 sheet"), 0);
    const std::string header = "P6\n640 480\n255\n";
    const std::string a = readFile(own.path / "sheet/field01.ppm");
    const std::string b = readFile(own.path / "sheet/field02.ppm");
    ASSERT_EQ(a.size(), header.size() + 640 * 480 * 3);
    ASSERT_EQ(b.size(), a.size());
    EXPECT_EQ(a.compare(0, header.size(), header), 0);
    EXPECT_NE(a, b);
    EXPECT_NE(a.find_first_not_of(a[header.size()], header.size()), std::string::npos)
        << "the opening is one flat colour";

    EXPECT_EQ(runContact("--fields 3-1 other"), 3);
    EXPECT_FALSE(std::filesystem::exists(own.path / "other"));
}
