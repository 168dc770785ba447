// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An INI ("private profile") file edited the way the platform's profile writer does it:
// writing a key creates the file, the section or the key when missing and replaces the value
// of the key's first line in the first section of that name; every other line is kept, byte for
// byte with its own line ending (CR LF, LF, CR, or none on the last line), and so is a UTF-8
// byte order mark at the start. Section and key names match without regard to letter case. New
// lines end in CR LF. Several keys are changed in memory and the file is replaced once,
// atomically (temporary file in the same directory, synced to disk, then rename), so an
// interrupted or failed write never leaves a truncated or empty file behind; a temporary file
// left by a save that was killed is removed by the next one.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drivo {

// The value of key in the first section of that name of an INI text, blanks around it
// removed; names match as WriteString matches them, a UTF-8 byte order mark is skipped. nullopt
// when the section or the key is missing.
std::optional<std::string> ReadIniString(std::string_view text, std::string_view section,
                                         std::string_view key);

// Reads the file open at fd to its end, but no further than limit bytes in all, appending to
// text. The system's error number, or 0.
int ReadUpTo(int fd, std::string& text, std::size_t limit = std::string::npos);

// Whether the user may write the existing regular file at path.
using WriteCheck = bool (*)(const std::string& path);

// Asks the system by opening the file for update, unchanged: its owner, mode, access lists
// and read-only mounts all count, for the user the program runs as.
bool OpensForUpdate(const std::string& path);

class ProfileFile {
public:
    explicit ProfileFile(std::string path, WriteCheck mayWrite = OpensForUpdate);

    // Reads the file. A missing file is an empty profile. Returns false when the file exists
    // but cannot be read or must not be written: Commit then refuses, so what is there is never
    // lost or replaced. That is a file that is not a regular one (a symbolic link above all,
    // which would make the save a way to edit whatever it points to), one with more than one
    // name (a hard link: replacing it would split the names, editing it in place would give up
    // the atomic replacement and edit a file known elsewhere), one marked read-only, or one
    // the user may not write.
    bool Load();

    // Sets key=value in the first section of that name: the key's first line there is
    // replaced, keeping its line ending, and every other line, a later duplicate of the key or
    // of the section included, is kept. A missing key goes after the last non-blank line of
    // that section; a missing section is appended to the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // The file's text as Commit writes it.
    std::string Text() const;

    // Replaces the file with Text(), keeping the old file's mode, and its owner and group as
    // far as the user may give them. False (and the old file untouched) on any failure.
    bool Commit() const;

    // The system's error number of the last failed Load or Commit: a link or a directory in
    // place of the file gives ELOOP or EISDIR, a hard link EMLINK, a file the user must not
    // write EACCES.
    int Error() const { return m_error; }

    struct Line {
        std::string text;
        std::string end; // as found; empty only on a last line that has none
    };
    struct Attributes {
        unsigned uid, gid, mode;
    };

private:
    void Insert(std::vector<Line>::iterator at, std::string text);

    std::string m_path;
    WriteCheck m_mayWrite;
    std::string m_byteOrderMark;
    std::vector<Line> m_lines;
    std::optional<Attributes> m_attributes; // of the file Load found
    bool m_writable = false;                // set by a successful Load
    mutable int m_error = 0;
};

} // namespace drivo
