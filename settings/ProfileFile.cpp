#include "ProfileFile.h"

#include "settings/AsciiCase.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>

namespace drivo {

namespace fs = std::filesystem;

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

std::optional<std::string_view> KeyName(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const auto eq = trimmed.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return Trim(trimmed.substr(0, eq));
}

// CR LF, a lone LF and a lone CR all end a line; a last line without ending is kept.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(c);
        }
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

// No write bit at all: marked read-only, which the platform's writer respects for every user.
bool IsReadOnly(fs::perms p) {
    return (p & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
           fs::perms::none;
}

// A save writes the target's name, a dot, 16 lower-case hex digits and ".tmp", then renames it.
constexpr std::size_t kTemporaryDigits = 16;
constexpr std::string_view kTemporaryEnd = ".tmp";

std::string TemporaryName(const fs::path& target) {
    static std::mt19937_64 engine{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(engine()));
    return target.string() + suffix;
}

bool IsTemporaryOf(std::string_view entry, std::string_view target) {
    if (entry.size() != target.size() + 1 + kTemporaryDigits + kTemporaryEnd.size() ||
        !entry.starts_with(target) || entry[target.size()] != '.' ||
        !entry.ends_with(kTemporaryEnd))
        return false;
    const std::string_view digits = entry.substr(target.size() + 1, kTemporaryDigits);
    return std::all_of(digits.begin(), digits.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// A save killed between writing its temporary file and the rename leaves that file behind;
// the next save removes it before writing its own, so at most one ever lies there.
void RemoveLeftTemporaries(const fs::path& target) {
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const std::string name = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (IsTemporaryOf(it->path().filename().string(), name) &&
            it->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(it->path(), ignored);
    }
}

bool WriteNewFile(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wbx"); // exclusive: never reuse someone's file
    if (!f)
        return false;
    const bool written =
        std::fwrite(text.data(), 1, text.size(), f) == text.size() && std::fflush(f) == 0;
    return std::fclose(f) == 0 && written;
}

} // namespace

bool OpensForUpdate(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r+b"); // neither creates nor truncates
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

ProfileFile::ProfileFile(std::string path, WriteCheck mayWrite)
    : m_path(std::move(path)), m_mayWrite(mayWrite) {}

bool ProfileFile::Load() {
    m_lines.clear();
    m_writable = false;
    std::error_code ec;
    const fs::file_status status = fs::status(m_path, ec);
    if (status.type() == fs::file_type::not_found) {
        m_writable = true;
        return true;
    }
    if (ec || status.type() != fs::file_type::regular || IsReadOnly(status.permissions()) ||
        !m_mayWrite(m_path))
        return false;
    std::ifstream in(m_path, std::ios::binary);
    if (!in)
        return false;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return false;
    m_lines = SplitLines(text);
    m_writable = true;
    return true;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    std::string entry;
    entry.append(key).append("=").append(value);

    const auto header = std::find_if(m_lines.begin(), m_lines.end(), [&](const std::string& line) {
        const auto name = SectionName(line);
        return name && EqualsNoCase(*name, section);
    });
    if (header == m_lines.end()) {
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(entry));
        return;
    }
    const auto end = std::find_if(std::next(header), m_lines.end(), [](const std::string& line) {
        return SectionName(line).has_value();
    });
    // A new key goes after the section's last non-blank line, before the blank lines that
    // separate it from the next section.
    auto at = std::next(header);
    for (auto line = std::next(header); line != end; ++line) {
        const auto name = KeyName(*line);
        if (name && EqualsNoCase(*name, key)) {
            *line = std::move(entry);
            return;
        }
        if (!Trim(*line).empty())
            at = std::next(line);
    }
    m_lines.insert(at, std::move(entry));
}

std::string ProfileFile::Text() const {
    std::string text;
    for (const std::string& line : m_lines)
        text.append(line).append("\r\n");
    return text;
}

bool ProfileFile::Commit() const {
    if (!m_writable)
        return false;
    std::error_code ec;
    fs::path target = m_path;
    // Replace what a link points to, not the link itself.
    if (fs::is_symlink(target, ec)) {
        target = fs::canonical(target, ec);
        if (ec)
            return false;
    }
    const fs::file_status old = fs::status(target, ec);
    RemoveLeftTemporaries(target);
    const std::string temporary = TemporaryName(target);
    if (!WriteNewFile(temporary, Text())) {
        fs::remove(temporary, ec);
        return false;
    }
    if (old.type() == fs::file_type::regular)
        fs::permissions(temporary, old.permissions(), ec);
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace drivo
