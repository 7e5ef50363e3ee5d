// Runs every case in probe_cases.h and writes the results. Built with mingw and run under Wine by
// scripts/record-gdi-probe.sh, it records real GDI: the output is committed as
// tests/data/gdi_probe.txt. Built on Linux (gdi_probe_portable) it prints the portable layer's
// answers in the same form; with --full both print whole sweeps instead of their digests, so two
// runs can be compared line by line when a digest differs.
#include "tests/gdi_probe/probe_cases.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    const bool full = argc > 3 && std::strcmp(argv[3], "--full") == 0;
    if (argc < 3 || (argc > 3 && !full)) {
        std::fprintf(stderr, "usage: probe <output file> <header line> [--full]\n");
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
        out.full = full;
        c.run(out);
        std::fprintf(file, "case %s\n%send\n", c.name.c_str(), out.text.c_str());
        ++count;
    }
    std::fprintf(file, "# %d cases\n", count);
    return std::fclose(file) == 0 ? 0 : 1;
}
