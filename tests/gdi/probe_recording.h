// What real GDI printed for each probe case, read once from the committed recordings: 64-bit
// gdi32's (GDI_PROBE_DATA_X86_64) and 32-bit gdi32's (GDI_PROBE_DATA_I686). A build replays the
// one of its own pointer width, whose structure sizes GetObjectA copies.
#ifndef TESTS_GDI_PROBE_RECORDING_H
#define TESTS_GDI_PROBE_RECORDING_H

#include <fstream>
#include <map>
#include <string>

inline std::map<std::string, std::string> ReadProbeRecording(const char* path)
{
    std::map<std::string, std::string> read;
    std::ifstream in(path);
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
}

inline const char* const kGdiProbeData =
    sizeof(void*) == 8 ? GDI_PROBE_DATA_X86_64 : GDI_PROBE_DATA_I686;

// 32-bit gdi32 mixes HALFTONE's pixels on the x87 unit at the thread's precision (53 bits unless
// the program sets it); the palette stretches at float precision, as 64-bit gdi32 computes, and
// the portable layer follows float arithmetic in every build.
inline bool MixesHalftone(const std::string& name)
{
    return name.find("HALFTONE") != std::string::npos || name.rfind("HalftoneClip.", 0) == 0;
}

// The recording of this build's width; HALFTONE's cases always from the 64-bit one.
inline const std::map<std::string, std::string>& RecordedProbe()
{
    static const std::map<std::string, std::string> cases = [] {
        std::map<std::string, std::string> own = ReadProbeRecording(kGdiProbeData);
        const std::map<std::string, std::string> wide = ReadProbeRecording(GDI_PROBE_DATA_X86_64);
        for (auto& [name, text] : own)
            if (MixesHalftone(name) && wide.count(name))
                text = wide.at(name);
        return own;
    }();
    return cases;
}

#endif // TESTS_GDI_PROBE_RECORDING_H
