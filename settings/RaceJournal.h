// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The race journal: a CSV file beside the settings file with one line for each race whose
// results were read, with the profile the car had been sent. Lines are only ever appended,
// each whole in one write, so the file is never rewritten, truncated or left with half a line.
#include "settings/RaceSettings.h"

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drivo {

inline constexpr const char* kJournalFileName = "Drivo-courses.csv"; // in the working directory
inline constexpr std::string_view kJournalHeader =
    "LocalTime,RaceTimeMs,TopSpeed,Time1,Time2,Time3,Time4,Time5,Value1,Value2,Value3,Value4,"
    "Value5,TimeMax,WheelDiam,RaceLength,ReturnMode";

struct JournalEntry {
    std::string LocalTime; // ISO 8601 to the second, without offset: 2025-03-14T09:26:53
    std::int32_t RaceTimeMs = 0;
    double TopSpeed = 0;                 // m/s; the file keeps two decimals, as the window shows
    std::optional<RaceSettings> Profile; // the last one sent; none before the first send
};

// One line of the file, without its ending; Entry is missing when the line cannot be parsed.
struct JournalLine {
    std::string Raw;
    std::optional<JournalEntry> Entry;
};

// The local time of t as JournalEntry::LocalTime has it.
std::string LocalTimeText(std::time_t t);

// Comma-separated: time, race time, top speed with two decimals, then Time1..Time5,
// Value1..Value5, TimeMax, WheelDiam, RaceLength, ReturnMode, those fourteen left empty when
// there is no profile. No line ending.
std::string FormatJournalLine(const JournalEntry& entry);
std::optional<JournalEntry> ParseJournalLine(std::string_view line);

// The lines of a journal's text in file order; header lines are skipped, nothing else is.
std::vector<JournalLine> ParseJournal(std::string_view text);

struct JournalRead {
    std::vector<JournalLine> Lines;
    std::string Reason; // the system's text when the file could not be read
};
// A missing file is an empty journal.
JournalRead ReadJournal(const std::string& path);

enum class JournalOutcome { Added, Repeated, Failed };
struct JournalAppend {
    JournalOutcome Outcome;
    std::string Reason; // the system's text when Failed
};

// Appends entry as one line ending in CR LF, after the header when the file is new or empty,
// and syncs it to disk. When the file's last line holds the same results and profile (the
// time aside) the results were read twice for one race: nothing is added. A last line without
// ending (written by someone else) is ended first, so the new line stays whole.
JournalAppend AppendToJournal(const std::string& path, const JournalEntry& entry);

// Copies the journal at from to the file at to, replacing it. False with the system's text in
// reason on failure.
bool ExportJournal(const std::string& from, const std::string& to, std::string& reason);

} // namespace drivo
