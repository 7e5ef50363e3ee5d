// Every stored fuzz input run through its check: the seed corpora and, under regressions/, the
// input of every fault the fuzzers have found. A file added to either is picked up by the next
// build's test discovery.
#include "fuzz/fuzz_checks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Check = std::string (*)(const uint8_t*, size_t);

Check CheckFor(const std::string& target)
{
    if (target == "palette_calls")
        return &CheckPaletteCalls;
    if (target == "raster_ops")
        return &CheckRasterOps;
    if (target == "class_descriptions")
        return &CheckClassDescription;
    return nullptr;
}

// A folder of stored inputs for one check: corpus/<target> or regressions/<target>.
struct Folder {
    std::string kind, target;
    fs::path Path() const { return fs::path(FUZZ_DIR) / kind / target; }
};

void PrintTo(const Folder& f, std::ostream* os) { *os << f.kind << "/" << f.target; }

std::vector<Folder> Folders()
{
    std::vector<Folder> found;
    for (const char* kind : {"corpus", "regressions"})
        for (const char* target : {"palette_calls", "raster_ops", "class_descriptions"})
            if (const Folder f{kind, target}; fs::is_directory(f.Path()) && !fs::is_empty(f.Path()))
                found.push_back(f);
    return found;
}

class FuzzReplay : public testing::TestWithParam<Folder> {};

// One test per folder (a process per input would cost more than the checks), naming each input
// that fails.
TEST_P(FuzzReplay, Every_stored_input_passes_its_check)
{
    const Folder& folder = GetParam();
    const Check check = CheckFor(folder.target);
    ASSERT_NE(check, nullptr);
    std::vector<fs::path> files;
    for (const fs::directory_entry& f : fs::directory_iterator(folder.Path()))
        if (f.is_regular_file() && f.path().filename().string()[0] != '.')
            files.push_back(f.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in) << file;
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        const std::string failure =
            check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        EXPECT_TRUE(failure.empty()) << file.string() << ": " << failure;
    }
}

INSTANTIATE_TEST_SUITE_P(Stored, FuzzReplay, testing::ValuesIn(Folders()),
                         [](const testing::TestParamInfo<Folder>& info) {
                             return info.param.kind + "_" + info.param.target;
                         });

TEST(FuzzReplayData, Every_check_has_seed_inputs)
{
    // An emptied corpus would leave a fuzzer starting blind and the replay covering nothing.
    for (const char* target : {"palette_calls", "raster_ops", "class_descriptions"}) {
        const fs::path dir = fs::path(FUZZ_DIR) / "corpus" / target;
        EXPECT_TRUE(fs::is_directory(dir) && !fs::is_empty(dir)) << dir;
    }
}

} // namespace
