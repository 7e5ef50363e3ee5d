// What real GDI printed for each probe case, read once from the committed recording.
#ifndef TESTS_GDI_PROBE_RECORDING_H
#define TESTS_GDI_PROBE_RECORDING_H

#include <fstream>
#include <map>
#include <string>

inline const std::map<std::string, std::string>& RecordedProbe()
{
    static const std::map<std::string, std::string> cases = [] {
        std::map<std::string, std::string> read;
        std::ifstream in(GDI_PROBE_DATA);
        std::string line, name, body;
        while (std::getline(in, line)) {
            if (line.rfind("case ", 0) == 0) {
                name = line.substr(5);
                body.clear();
            } else if (line == "end") {
                read[name] = body;
                name.clear();
            } else if (!name.empty()) {
                body += line + '\n';
            }
        }
        return read;
    }();
    return cases;
}

#endif // TESTS_GDI_PROBE_RECORDING_H
