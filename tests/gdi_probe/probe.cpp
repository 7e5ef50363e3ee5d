// Runs every case in probe_cases.h on real GDI and writes the results. Built with mingw and run
// under Wine by scripts/record-gdi-probe.sh; the output is committed as tests/data/gdi_probe.txt.
#include "tests/gdi_probe/probe_cases.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: probe <output file> <header line>\n");
        return 2;
    }
    // Binary mode: the data file must not get CRLF line ends.
    FILE* file = std::fopen(argv[1], "wb");
    if (!file)
        return 1;
    std::fprintf(file, "# %s\n", argv[2]);
    int count = 0;
    for (const gdiprobe::ProbeCase& c : gdiprobe::all_cases()) {
        gdiprobe::Out out;
        c.run(out);
        std::fprintf(file, "case %s\n%send\n", c.name.c_str(), out.text.c_str());
        ++count;
    }
    std::fprintf(file, "# %d cases\n", count);
    std::fclose(file);
    return 0;
}
