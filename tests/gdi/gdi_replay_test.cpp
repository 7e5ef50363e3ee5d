// Replays every probe case on the portable layer and compares with what real GDI printed.
#include "tests/gdi_probe/probe_cases.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

namespace {

std::map<std::string, std::string> LoadRecorded()
{
    std::map<std::string, std::string> cases;
    std::ifstream in(GDI_PROBE_DATA);
    std::string line, name, body;
    while (std::getline(in, line)) {
        if (line.rfind("case ", 0) == 0) {
            name = line.substr(5);
            body.clear();
        } else if (line == "end") {
            cases[name] = body;
            name.clear();
        } else if (!name.empty()) {
            body += line + '\n';
        }
    }
    return cases;
}

const std::map<std::string, std::string>& Recorded()
{
    static const std::map<std::string, std::string> cases = LoadRecorded();
    return cases;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

// Names the first line that differs.
std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    const std::vector<std::string> e = Lines(expected), a = Lines(actual);
    for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
        const std::string el = i < e.size() ? e[i] : "<missing>";
        const std::string al = i < a.size() ? a[i] : "<missing>";
        if (el != al) {
            std::ostringstream out;
            out << "line " << i + 1 << "\n  real GDI: " << el << "\n  portable: " << al;
            return out.str();
        }
    }
    return "";
}

class GdiReplay : public testing::TestWithParam<std::string> {};

TEST_P(GdiReplay, MatchesRealGdi)
{
    const auto it = Recorded().find(GetParam());
    ASSERT_NE(it, Recorded().end())
        << "case missing from " << GDI_PROBE_DATA << "; run scripts/record-gdi-probe.sh";
    for (const gdiprobe::ProbeCase& c : gdiprobe::all_cases()) {
        if (c.name != GetParam())
            continue;
        gdiprobe::Out out;
        c.run(out);
        EXPECT_EQ(it->second, out.text) << FirstDifference(it->second, out.text);
        return;
    }
}

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const gdiprobe::ProbeCase& c : gdiprobe::all_cases())
        names.push_back(c.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Probe, GdiReplay, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(GdiReplayData, EveryRecordedCaseIsStillProbed)
{
    // A stale data file would silently shrink what the replay covers.
    const std::vector<std::string> names = CaseNames();
    EXPECT_EQ(Recorded().size(), names.size());
    for (const std::string& n : names)
        EXPECT_TRUE(Recorded().count(n)) << n;
}

} // namespace
