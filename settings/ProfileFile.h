#pragma once
// An INI ("private profile") file edited the way the platform's profile writer does it:
// writing a key creates the file, the section or the key when missing and replaces the value
// of the key's first line in the first section of that name; every other line is kept. Section
// and key names match without regard to letter case. Lines are written with CR LF. Several
// keys are changed in memory and the file is replaced once, atomically (temporary file in the
// same directory, then rename), so an interrupted or failed write never leaves a truncated
// file behind; a temporary file left by a save that was killed is removed by the next one.
#include <string>
#include <string_view>
#include <vector>

namespace drivo {

// Whether the user may write the existing regular file at path.
using WriteCheck = bool (*)(const std::string& path);

// Asks the system by opening the file for update, unchanged: its owner, mode, access lists
// and read-only mounts all count, for the user the program runs as.
bool OpensForUpdate(const std::string& path);

class ProfileFile {
public:
    explicit ProfileFile(std::string path, WriteCheck mayWrite = OpensForUpdate);

    // Reads the file. A missing file is an empty profile. Returns false when the file exists
    // but cannot be read or must not be written (not a regular file, marked read-only, or not
    // writable by the user): Commit then refuses, so what is there is never lost or replaced.
    bool Load();

    // Sets key=value in the first section of that name: the key's first line there is
    // replaced, and every other line, a later duplicate of the key or of the section
    // included, is kept. A missing key goes after the last non-blank line of that section; a
    // missing section is appended to the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // The file's text as Commit writes it: each line ended by CR LF.
    std::string Text() const;

    // Replaces the file with Text(). False (and the old file untouched) on any failure.
    bool Commit() const;

    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::string m_path;
    WriteCheck m_mayWrite;
    std::vector<std::string> m_lines;
    bool m_writable = false; // set by a successful Load
};

} // namespace drivo
