#include "tests/scenes/scene_records.h"

#include <cstdio>
#include <memory>

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

bool PutWords(FILE* f, const void* words, size_t count)
{
    return std::fwrite(words, 4, count, f) == count;
}

bool GetWords(FILE* f, void* words, size_t count)
{
    return std::fread(words, 4, count, f) == count;
}

// Sizes past these are not something render_scenes writes: the file is damaged.
constexpr uint32_t kMaxName = 256, kMaxSide = 1 << 15, kMaxHits = 1 << 16;

} // namespace

bool WriteSceneRecords(const std::string& path, const std::vector<Scene>& scenes,
                       std::string& error)
{
    File f(std::fopen(path.c_str(), "wb"), &std::fclose);
    bool ok = f != nullptr;
    for (size_t i = 0; ok && i < scenes.size(); ++i) {
        const Scene& s = scenes[i];
        const uint32_t header[1] = {static_cast<uint32_t>(s.name.size())};
        std::string name = s.name;
        name.resize((name.size() + 3) / 4 * 4, '\0');
        const uint32_t size[2] = {static_cast<uint32_t>(s.image.width),
                                  static_cast<uint32_t>(s.image.height)};
        const uint32_t hits = static_cast<uint32_t>(s.hits.size());
        ok = PutWords(f.get(), header, 1) && PutWords(f.get(), name.data(), name.size() / 4) &&
             PutWords(f.get(), size, 2) &&
             PutWords(f.get(), s.image.pixels.data(), s.image.pixels.size()) &&
             PutWords(f.get(), &hits, 1) && PutWords(f.get(), s.hits.data(), s.hits.size());
    }
    if (ok)
        ok = std::fclose(f.release()) == 0;
    if (!ok)
        error = "cannot write " + path;
    return ok;
}

bool ReadSceneRecords(const std::string& path, std::vector<Scene>& scenes, std::string& error)
{
    File f(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!f) {
        error = "cannot read " + path;
        return false;
    }
    scenes.clear();
    uint32_t nameSize;
    while (GetWords(f.get(), &nameSize, 1)) {
        Scene s;
        uint32_t size[2], hits;
        std::string name((nameSize + 3) / 4 * 4, '\0');
        bool ok = nameSize <= kMaxName && GetWords(f.get(), name.data(), name.size() / 4) &&
                  GetWords(f.get(), size, 2) && size[0] <= kMaxSide && size[1] <= kMaxSide;
        if (ok) {
            s.name = name.substr(0, nameSize);
            s.image.width = static_cast<int>(size[0]);
            s.image.height = static_cast<int>(size[1]);
            s.image.pixels.resize(static_cast<size_t>(size[0]) * size[1]);
            ok = GetWords(f.get(), s.image.pixels.data(), s.image.pixels.size()) &&
                 GetWords(f.get(), &hits, 1) && hits <= kMaxHits;
        }
        if (ok) {
            s.hits.resize(hits);
            ok = GetWords(f.get(), s.hits.data(), hits);
        }
        if (!ok) {
            error = path + ": record " + std::to_string(scenes.size() + 1) +
                    " is cut short or malformed";
            return false;
        }
        scenes.push_back(std::move(s));
    }
    return true;
}
