// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileFile.h"

#include "settings/AsciiCase.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <iterator>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace drivo {

namespace fs = std::filesystem;

namespace {

using Line = ProfileFile::Line;
using Attributes = ProfileFile::Attributes;

constexpr std::string_view kNewLineEnd = "\r\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// CR LF, a lone LF and a lone CR all end a line, which keeps the ending it had; a last line
// without ending is kept without one.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text), {}});
            break;
        }
        const std::size_t size = text.substr(end).starts_with(kNewLineEnd) ? 2 : 1;
        lines.push_back({std::string(text.substr(0, end)), std::string(text.substr(end, size))});
        text.remove_prefix(end + size);
    }
    return lines;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno != EINTR)
            return false;
        if (n > 0)
            text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

fs::path DirectoryOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
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
    const fs::path dir = DirectoryOf(target);
    const std::string name = target.filename().string();
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ignored;
        if (IsTemporaryOf(it->path().filename().string(), name) &&
            it->symlink_status(ignored).type() == fs::file_type::regular)
            fs::remove(it->path(), ignored);
    }
}

// The old file's owner and group, or the group alone, as far as the user may give them; then
// its mode, which also brings back the set-id bits a change of owner clears.
void KeepAttributes(int fd, const Attributes& old) {
    if (::fchown(fd, old.uid, old.gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.gid) != 0) {
        // The saving user's owner and group stay.
    }
    ::fchmod(fd, old.mode);
}

// A new file (never someone's existing one) with the text synced to disk, so the rename that
// follows cannot put an empty file in place even if the power fails. Private until it has the
// old file's owner and mode; without an old file it gets the usual mode from the umask.
bool WriteNewFile(const std::string& path, std::string_view text,
                  const std::optional<Attributes>& old) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666);
    if (fd < 0)
        return false;
    if (old)
        KeepAttributes(fd, *old);
    const bool written = WriteAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) == 0 && written)
        return true;
    const int error = errno;
    ::unlink(path.c_str());
    errno = error;
    return false;
}

// The rename is only lasting once the directory that records it is on disk too.
void SyncDirectoryOf(const fs::path& target) {
    const int fd = ::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Where a key is in the first section of that name: its first line there, or where a new
// one goes, after the section's last non-blank line, before the blank lines that separate it
// from the next section. header is lines.end() when the section is missing, key when the
// key is.
struct KeyPlace {
    std::vector<Line>::iterator header, key, insertAt;
};

KeyPlace FindKey(std::vector<Line>& lines, std::string_view section, std::string_view key) {
    const auto header = std::find_if(lines.begin(), lines.end(), [&](const Line& line) {
        const auto name = SectionName(line.text);
        return name && EqualsNoCase(*name, section);
    });
    if (header == lines.end())
        return {header, lines.end(), lines.end()};
    const auto end = std::find_if(std::next(header), lines.end(), [](const Line& line) {
        return SectionName(line.text).has_value();
    });
    auto at = std::next(header);
    for (auto line = std::next(header); line != end; ++line) {
        const auto name = KeyName(line->text);
        if (name && EqualsNoCase(*name, key))
            return {header, line, at};
        if (!Trim(line->text).empty())
            at = std::next(line);
    }
    return {header, lines.end(), at};
}

} // namespace

std::optional<std::string> ReadIniString(std::string_view text, std::string_view section,
                                         std::string_view key) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    std::vector<Line> lines = SplitLines(text);
    const KeyPlace place = FindKey(lines, section, key);
    if (place.key == lines.end())
        return std::nullopt;
    const std::string_view line = place.key->text;
    return std::string(Trim(line.substr(line.find('=') + 1)));
}

int ReadUpTo(int fd, std::string& text, std::size_t limit) {
    char buffer[65536];
    while (text.size() < limit) {
        const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - text.size()));
        if (n == 0)
            return 0;
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            text.append(buffer, static_cast<std::size_t>(n));
    }
    return 0;
}

bool OpensForUpdate(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "r+b"); // neither creates nor truncates
    if (!f)
        return false;
    std::fclose(f);
    return true;
}

ProfileFile::ProfileFile(std::string path, WriteCheck mayWrite)
    : m_path(std::move(path)), m_mayWrite(mayWrite) {}

// The system's error number for an entry that is not a regular file.
int NotRegularError(mode_t mode) {
    return S_ISLNK(mode) ? ELOOP : S_ISDIR(mode) ? EISDIR : EINVAL;
}

bool ProfileFile::Load() {
    m_byteOrderMark.clear();
    m_lines.clear();
    m_attributes.reset();
    m_writable = false;
    m_error = 0;
    struct stat entry {};
    if (::lstat(m_path.c_str(), &entry) != 0) {
        m_writable = errno == ENOENT;
        m_error = m_writable ? 0 : errno;
        return m_writable;
    }
    if (!S_ISREG(entry.st_mode)) { // a device or a pipe is not even opened
        m_error = NotRegularError(entry.st_mode);
        return false;
    }
    const int fd = ::open(m_path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    struct stat file {};
    std::string text;
    if (::fstat(fd, &file) != 0)
        m_error = errno;
    else if (const int error = ReadUpTo(fd, text); error != 0)
        m_error = error;
    else if (!S_ISREG(file.st_mode))
        m_error = NotRegularError(file.st_mode);
    else if (file.st_nlink != 1)
        m_error = EMLINK;
    else if ((file.st_mode & 0222) == 0 || !m_mayWrite(m_path))
        m_error = EACCES;
    ::close(fd);
    if (m_error != 0)
        return false;
    std::string_view rest = text;
    if (rest.starts_with(kByteOrderMark)) {
        m_byteOrderMark = kByteOrderMark;
        rest.remove_prefix(kByteOrderMark.size());
    }
    m_lines = SplitLines(rest);
    m_attributes = Attributes{file.st_uid, file.st_gid, file.st_mode & 07777u};
    m_writable = true;
    return true;
}

// A new line ends in CR LF; a last line without ending gets one when a line goes after it.
void ProfileFile::Insert(std::vector<Line>::iterator at, std::string text) {
    if (at == m_lines.end() && !m_lines.empty() && m_lines.back().end.empty())
        m_lines.back().end = kNewLineEnd;
    m_lines.insert(at, Line{std::move(text), std::string(kNewLineEnd)});
}

void ProfileFile::WriteString(std::string_view section, std::string_view key,
                              std::string_view value) {
    std::string entry;
    entry.append(key).append("=").append(value);
    const KeyPlace place = FindKey(m_lines, section, key);
    if (place.header == m_lines.end()) {
        Insert(m_lines.end(), "[" + std::string(section) + "]");
        Insert(m_lines.end(), std::move(entry));
    } else if (place.key != m_lines.end()) {
        place.key->text = std::move(entry);
    } else {
        Insert(place.insertAt, std::move(entry));
    }
}

std::string ProfileFile::Text() const {
    std::string text = m_byteOrderMark;
    for (const Line& line : m_lines)
        text.append(line.text).append(line.end);
    return text;
}

bool ProfileFile::Commit() const {
    if (!m_writable)
        return false;
    RemoveLeftTemporaries(m_path);
    const std::string temporary = TemporaryName(m_path);
    if (!WriteNewFile(temporary, Text(), m_attributes)) {
        m_error = errno;
        return false;
    }
    if (::rename(temporary.c_str(), m_path.c_str()) != 0) {
        m_error = errno;
        ::unlink(temporary.c_str());
        return false;
    }
    SyncDirectoryOf(m_path);
    return true;
}

} // namespace drivo
