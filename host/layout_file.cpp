#include "host/layout_file.h"

#include "host/option_values.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>
#include <vector>

namespace {

constexpr const char* kHeader = "tooltray-document-layout 1";
// Any screen fits; the class keeps the rectangle in 16.16 fixed point, whose pixels end at 32767.
constexpr int kCoordinateLimit = 30000;

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

bool ParsePos(const std::string& text, uint16_t& pos)
{
    if (text.size() != 6 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X'))
        return false;
    unsigned value = 0;
    for (size_t i = 2; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<unsigned>(digit);
    }
    pos = static_cast<uint16_t>(value);
    return DecodePos(pos).has_value();
}

} // namespace

bool ParseLayout(const std::string& text, SavedLayout& layout, std::string& error)
{
    layout.clear();
    std::istringstream in(text);
    std::string line;
    int number = 0;
    bool header = false;
    const auto bad = [&](const std::string& what) {
        error = "line " + std::to_string(number) + ": " + what;
        layout.clear();
        return false;
    };
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') // written on Windows, read anywhere
            line.pop_back();
        const std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        if (!header) {
            if (line != kHeader)
                return bad(std::string("expected '") + kHeader + "'");
            header = true;
            continue;
        }
        if (words.size() != 6)
            return bad("expected 'PART POS X Y W H'");
        SavedPalette saved;
        if (!ParsePos(words[1], saved.pos))
            return bad("'" + words[1] +
                       "' is not a position code (0x0001 to 0x0004, or with "
                       "0x0100 for floating)");
        PixelRect& r = saved.floatRect;
        if (!ParseInt(words[2], -kCoordinateLimit, kCoordinateLimit, r.x) ||
            !ParseInt(words[3], -kCoordinateLimit, kCoordinateLimit, r.y) ||
            !ParseInt(words[4], 1, kCoordinateLimit, r.width) ||
            !ParseInt(words[5], 1, kCoordinateLimit, r.height))
            return bad("the floating rectangle is not X Y W H in pixels (W and H from 1)");
        if (!layout.emplace(words[0], saved).second)
            return bad("part '" + words[0] + "' given twice");
    }
    if (!header) {
        error = "empty, expected '" + std::string(kHeader) + "'";
        return false;
    }
    return true;
}

std::string FormatLayout(const SavedLayout& layout)
{
    std::string text = std::string(kHeader) + "\n";
    for (const auto& [name, saved] : layout) {
        char pos[8];
        std::snprintf(pos, sizeof pos, "0x%04x", saved.pos);
        const PixelRect& r = saved.floatRect;
        text += name + " " + pos + " " + std::to_string(r.x) + " " + std::to_string(r.y) + " " +
                std::to_string(r.width) + " " + std::to_string(r.height) + "\n";
    }
    return text;
}

LayoutRead ReadLayoutFile(const std::string& path, SavedLayout& layout, std::string& error)
{
    layout.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec)
        return LayoutRead::Missing;
    if (std::filesystem::is_directory(path, ec)) {
        error = "is a directory";
        return LayoutRead::Bad;
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in.is_open() || in.bad()) {
        error = "cannot read it";
        return LayoutRead::Bad;
    }
    return ParseLayout(text, layout, error) ? LayoutRead::Loaded : LayoutRead::Bad;
}

bool WriteLayoutFile(const std::string& path, const SavedLayout& layout, std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path target(path);
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    if (ec) {
        error = "cannot create " + target.parent_path().string() + ": " + ec.message();
        return false;
    }
    // Beside the target, so the rename stays on one file system and replaces it in one step.
    const fs::path temporary = fs::path(path + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << FormatLayout(layout);
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, ec);
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    fs::rename(temporary, target, ec);
    if (ec) {
        error = "cannot rename " + temporary.string() + " to " + path + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}
