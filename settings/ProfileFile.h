#pragma once
// An INI ("private profile") file edited the way the platform's profile writer does it:
// writing a key creates the file, the section or the key when missing and replaces the value
// of an existing key; every other line is kept. Section and key names match without regard
// to letter case. Lines are written with CR LF. Several keys are changed in memory and the
// file is replaced once, atomically (temporary file in the same directory, then rename), so an
// interrupted or failed write never leaves a truncated file behind.
#include <string>
#include <string_view>
#include <vector>

namespace drivo {

class ProfileFile {
public:
    explicit ProfileFile(std::string path);

    // Reads the file. A missing file is an empty profile. Returns false when the file exists
    // but cannot be read or must not be written (not a regular file, read-only): Commit then
    // refuses, so what is there is never lost.
    bool Load();

    // Sets key=value in section. The first occurrence of the key in a section of that name is
    // replaced; later occurrences (a duplicated key or a duplicated section) are removed so
    // every reader sees the one value. A missing key goes after the last non-blank line of
    // the first section of that name; a missing section is appended to the end.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);

    // The file's text as Commit writes it: each line ended by CR LF.
    std::string Text() const;

    // Replaces the file with Text(). False (and the old file untouched) on any failure.
    bool Commit() const;

    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::string m_path;
    std::vector<std::string> m_lines;
    bool m_writable = false; // set by a successful Load
};

} // namespace drivo
