// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProfileReader.h"

#include "settings/ProfileFile.h"
#include "settings/RaceLimits.h"
#include "settings/SettingsFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace drivo {

namespace {

using Lookup = std::function<std::optional<std::string>(const char* key)>;

ProfileRead Checked(const Lookup& lookup) {
    ProfileRead read;
    RaceSettings s;
    // Takes key's value into out when it is a number from low to high; a missing ReturnMode
    // stands for 0.
    const auto take = [&](const char* key, std::int32_t low, std::int32_t high, std::int32_t& out,
                          std::optional<std::string> absent = {}) {
        const std::optional<std::string> found = lookup(key);
        const std::string text = found ? *found : absent.value_or("");
        const char* end = text.data() + text.size();
        const auto [at, error] = std::from_chars(text.data(), end, out);
        if ((found || absent) && error == std::errc() && at == end && low <= out && out <= high)
            return true;
        read.Refusal = {key, found.value_or(""), low, high, {}};
        return false;
    };
    for (int i = 0; i < kStageCount; ++i) {
        const std::int32_t after = i == 0 ? limits::kTimeLow : s.Time[i - 1];
        if (!take(kTimeKeys[i], after, limits::kTimeHigh, s.Time[i]) ||
            !take(kValueKeys[i], limits::kValueLow, limits::kValueHigh, s.Value[i]))
            return read;
    }
    if (take("TimeMax", s.Time[kStageCount - 1], limits::kTimeHigh, s.TimeMax()) &&
        take("WheelDiam", limits::kWheelDiamLow, limits::kWheelDiamHigh, s.WheelDiam) &&
        take("RaceLength", limits::kRaceLengthLow, limits::kRaceLengthHigh, s.RaceLength) &&
        take("ReturnMode", 0, 1, s.ReturnMode, "0"))
        read.Settings = s;
    return read;
}

ProfileRead Refused(int error) {
    ProfileRead read;
    read.Refusal.Reason = std::strerror(error);
    return read;
}

// UTF-8 as the standard has it: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsText(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
        const unsigned c = byte(i);
        if (c == 0)
            return false;
        std::size_t n = 0; // the bytes that follow the lead byte
        if (c >= 0xC2 && c < 0xE0)
            n = 1;
        else if (c >= 0xE0 && c < 0xF0)
            n = 2;
        else if (c >= 0xF0 && c < 0xF5)
            n = 3;
        else if (c >= 0x80)
            return false; // not a lead byte
        if (i + n >= text.size())
            return false;
        unsigned low = 0x80, high = 0xBF; // the second byte's range
        if (c == 0xE0)
            low = 0xA0;
        else if (c == 0xED)
            high = 0x9F;
        else if (c == 0xF0)
            low = 0x90;
        else if (c == 0xF4)
            high = 0x8F;
        for (std::size_t k = 1; k <= n; ++k) {
            const unsigned b = byte(i + k);
            if (b < (k == 1 ? low : 0x80) || b > (k == 1 ? high : 0xBF))
                return false;
        }
        i += n + 1;
    }
    return true;
}

} // namespace

ProfileRead ReadProfileText(std::string_view text) {
    return Checked([text](const char* key) { return ReadIniString(text, kSettingsSection, key); });
}

ProfileRead CheckProfile(const RaceSettings& settings) {
    // The record's own values under the file's keys: the checks a file gets, without writing
    // the record out as text and reading it back.
    return Checked([&settings](const char* key) -> std::optional<std::string> {
        const std::string_view k = key;
        for (int i = 0; i < kStageCount; ++i) {
            if (k == kTimeKeys[i])
                return std::to_string(settings.Time[i]);
            if (k == kValueKeys[i])
                return std::to_string(settings.Value[i]);
        }
        if (k == "TimeMax")
            return std::to_string(settings.TimeMax());
        if (k == "WheelDiam")
            return std::to_string(settings.WheelDiam);
        if (k == "RaceLength")
            return std::to_string(settings.RaceLength);
        return std::to_string(settings.ReturnMode);
    });
}

ProfileRead OpenProfile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Refused(errno);
    struct stat file {};
    std::string text;
    int error = ::fstat(fd, &file) != 0  ? errno
                : S_ISDIR(file.st_mode)  ? EISDIR
                : !S_ISREG(file.st_mode) ? EINVAL
                                         : ReadUpTo(fd, text, kMaxProfileSize + 1);
    ::close(fd);
    if (error == 0 && text.size() > kMaxProfileSize)
        error = EFBIG;
    if (error == 0 && !IsText(text))
        error = EILSEQ;
    return error == 0 ? ReadProfileText(text) : Refused(error);
}

} // namespace drivo
