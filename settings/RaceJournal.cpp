// SPDX-License-Identifier: GPL-3.0-or-later
#include "RaceJournal.h"

#include "settings/ProfileFile.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace drivo {

namespace {

constexpr std::size_t kFieldCount = 17;
constexpr std::size_t kProfileField = 3; // the first of the profile's fourteen
// Far above any line this program writes: a longer last line is no race of ours.
constexpr std::size_t kLastLineWindow = 4096;

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos;) {
        fields.push_back(line.substr(0, comma));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(line);
    return fields;
}

template <typename T> bool Number(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, out);
    return !text.empty() && error == std::errc() && at == end;
}

// 2025-03-14T09:26:53: digits everywhere but the separators.
bool IsLocalTime(std::string_view text) {
    constexpr std::string_view shape = "0000-00-00T00:00:00";
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i)
        if (shape[i] == '0' ? !(text[i] >= '0' && text[i] <= '9') : text[i] != shape[i])
            return false;
    return true;
}

// The profile's fields in the order of the line.
std::array<std::int32_t*, 14> ProfileFields(RaceSettings& s) {
    return {&s.Time[0],   &s.Time[1],   &s.Time[2],    &s.Time[3],   &s.Time[4],
            &s.Value[0],  &s.Value[1],  &s.Value[2],   &s.Value[3],  &s.Value[4],
            &s.TimeMax(), &s.WheelDiam, &s.RaceLength, &s.ReturnMode};
}

std::string_view WithoutTime(std::string_view line) {
    const std::size_t comma = line.find(',');
    return comma == std::string_view::npos ? std::string_view() : line.substr(comma);
}

// The file's last line without its ending (empty for an empty file); nullopt when the file
// does not end in a line feed (ended is false then), when the line is longer than any of ours
// or cannot be read.
std::optional<std::string> LastLine(int fd, off_t size, bool& ended) {
    ended = size == 0;
    if (size == 0)
        return std::string();
    const std::size_t window =
        std::min<std::size_t>(kLastLineWindow, static_cast<std::size_t>(size));
    std::string tail(window, '\0');
    if (::pread(fd, tail.data(), window, size - static_cast<off_t>(window)) !=
        static_cast<ssize_t>(window))
        return std::nullopt;
    ended = tail.back() == '\n';
    if (!ended)
        return std::nullopt;
    tail.pop_back();
    if (!tail.empty() && tail.back() == '\r')
        tail.pop_back();
    const std::size_t start = tail.rfind('\n');
    if (start == std::string::npos && window < static_cast<std::size_t>(size))
        return std::nullopt; // longer than any line of ours
    return start == std::string::npos ? tail : tail.substr(start + 1);
}

// The length of the line head a killed append left at the file's end, 0 for none. The kernel
// copies a write a page at a time and a kill stops it between pages, so such a head ends at a
// page boundary: characters of our lines only, no line end, and not a whole race.
std::size_t TornHead(int fd, off_t size) {
    const long page = ::sysconf(_SC_PAGESIZE);
    if (size == 0 || page <= 0 || size % page != 0)
        return 0;
    const std::size_t window =
        std::min<std::size_t>(kLastLineWindow, static_cast<std::size_t>(size));
    std::string tail(window, '\0');
    if (::pread(fd, tail.data(), window, size - static_cast<off_t>(window)) !=
        static_cast<ssize_t>(window))
        return 0;
    const std::size_t feed = tail.rfind('\n');
    if (feed == std::string::npos)
        return 0;
    const std::string_view head = std::string_view(tail).substr(feed + 1);
    const bool torn = !head.empty() &&
                      head.find_first_not_of("0123456789,.:T-") == std::string_view::npos &&
                      !ParseJournalLine(head);
    return torn ? head.size() : 0;
}

JournalAppend Failed(int error) {
    return {JournalOutcome::Failed, std::strerror(error)};
}

} // namespace

std::string LocalTimeText(std::time_t t) {
    std::tm local{};
    char text[32] = {};
    if (!::localtime_r(&t, &local) ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local) == 0)
        return "0000-00-00T00:00:00";
    return text;
}

std::string FormatJournalLine(const JournalEntry& entry) {
    char speed[64];
    const auto end =
        std::to_chars(speed, speed + sizeof speed, entry.TopSpeed, std::chars_format::fixed, 2);
    std::string line = entry.LocalTime + "," + std::to_string(entry.RaceTimeMs) + "," +
                       std::string(speed, end.ec == std::errc() ? end.ptr : speed);
    RaceSettings profile = entry.Profile.value_or(RaceSettings{});
    for (const std::int32_t* field : ProfileFields(profile))
        line += "," + (entry.Profile ? std::to_string(*field) : std::string());
    return line;
}

std::optional<JournalEntry> ParseJournalLine(std::string_view line) {
    const std::vector<std::string_view> fields = Fields(line);
    JournalEntry entry;
    if (fields.size() != kFieldCount || !IsLocalTime(fields[0]) ||
        !Number(fields[1], entry.RaceTimeMs) || !Number(fields[2], entry.TopSpeed))
        return std::nullopt;
    entry.LocalTime = fields[0];
    const bool none = std::all_of(fields.begin() + kProfileField, fields.end(),
                                  [](std::string_view f) { return f.empty(); });
    if (none)
        return entry;
    RaceSettings profile;
    std::size_t i = kProfileField;
    for (std::int32_t* field : ProfileFields(profile))
        if (!Number(fields[i++], *field))
            return std::nullopt;
    entry.Profile = profile;
    return entry;
}

std::vector<JournalLine> ParseJournal(std::string_view text) {
    std::vector<JournalLine> lines;
    while (!text.empty()) {
        const std::size_t feed = text.find('\n');
        std::string_view line = text.substr(0, feed);
        text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line != kJournalHeader)
            lines.push_back({std::string(line), ParseJournalLine(line)});
    }
    return lines;
}

JournalRead ReadJournal(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {{}, errno == ENOENT ? std::string() : std::strerror(errno)};
    std::string text;
    const int error = ReadUpTo(fd, text);
    ::close(fd);
    if (error != 0)
        return {{}, std::strerror(error)};
    return {ParseJournal(text), {}};
}

JournalAppend AppendToJournal(const std::string& path, const JournalEntry& entry) {
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return Failed(errno);
    struct stat file {};
    if (::fstat(fd, &file) != 0) {
        const int error = errno;
        ::close(fd);
        return Failed(error);
    }
    // The race whose line was cut was never saved: its head goes, and the new line takes its
    // place. Any other unended line is kept, and ended.
    if (const std::size_t torn = TornHead(fd, file.st_size);
        torn > 0 && ::ftruncate(fd, file.st_size - static_cast<off_t>(torn)) == 0)
        file.st_size -= static_cast<off_t>(torn);
    const std::string line = FormatJournalLine(entry);
    bool ended = false;
    const std::optional<std::string> last = LastLine(fd, file.st_size, ended);
    if (last && !last->empty() && WithoutTime(*last) == WithoutTime(line)) {
        ::close(fd);
        return {JournalOutcome::Repeated, {}};
    }
    std::string text = file.st_size == 0 ? std::string(kJournalHeader) + "\r\n"
                       : ended           ? ""
                                         : "\r\n";
    text += line + "\r\n";
    // One write of the whole text: a kill lands before it, after it, or between two of its
    // pages, which the next append mends.
    const ssize_t written = ::write(fd, text.data(), text.size());
    int error = written < 0 ? errno : written != static_cast<ssize_t>(text.size()) ? ENOSPC : 0;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? JournalAppend{JournalOutcome::Added, {}} : Failed(error);
}

bool ExportJournal(const std::string& from, const std::string& to, std::string& reason) {
    std::error_code ec;
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        reason = ec.message();
    return !ec;
}

} // namespace drivo
