// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The current resource module: the program's built-in resources, or one loaded language
// bundle that replaces them for every lookup while it is loaded (no fallback per item).
#include <QByteArray>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QString>
#include <limits>

namespace drivo {

class ResourceModule {
public:
    // Far above any language bundle; a larger file is refused unread.
    static constexpr qint64 kMaxBundleSize = 64 * 1024 * 1024;
    // Far above any string table or dialog template; a larger one is refused unread, as
    // parsing a file of tens of megabytes takes gigabytes.
    static constexpr qint64 kMaxTextFileSize = 1024 * 1024;
    // Far above any text of a window; a longer string counts as missing.
    static constexpr qsizetype kMaxStringLength = 4096;

    // The process-wide module every window looks its resources up in.
    static ResourceModule& Current();

    ResourceModule();
    ~ResourceModule();
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;

    // Loads a bundle file (rcc binary) and makes it current. A missing, truncated, foreign or
    // compressed bundle, or anything but a regular file of sane size, is refused: the
    // previous module stays current and false is returned. The file is read into memory and
    // its structure checked before Qt sees it. Never throws.
    bool LoadBundle(const QString& path);
    // Goes back to the built-in resources (does nothing when no bundle is loaded).
    void ReleaseBundle();
    bool HasBundle() const { return !m_bundlePath.isEmpty(); }

    // Where a bitmap is looked up: this module, or the program's own resources whatever
    // bundle is loaded.
    enum class From { CurrentModule, Program };

    // A missing id gives the empty text / a null image / an empty icon / empty data; so does
    // a string table or a template above kMaxTextFileSize.
    QString LoadResourceString(int id) const;
    // A bitmap at the screen's pixel ratio when the module has it drawn at 2x.
    QImage LoadBitmap(int id, From from = From::CurrentModule) const;
    // Whether the module holds the bitmap, readable or not.
    bool HasBitmap(int id) const;
    // The icon's sizes up to largestSide pixels (see IconFromSizedFiles).
    QIcon LoadIcon(int id, int largestSide = std::numeric_limits<int>::max()) const;
    QByteArray LoadDialogTemplate(int id) const;
    QByteArray LoadBinary(int id) const;

    // Resource path of the current module (":/drivo" or the bundle's mount point).
    QString Root() const { return m_root; }

private:
    void LoadStrings();

    QString m_root;
    QString m_bundlePath;
    QString m_bundleMount;   // unique per module, so two modules never share a mount point
    QByteArray m_bundleData; // registered from memory: what was checked is what Qt reads
    QHash<int, QString> m_strings;
};

// A string of the current module; the empty text when it lacks the id.
inline QString LoadResourceString(int id) {
    return ResourceModule::Current().LoadResourceString(id);
}

} // namespace drivo
