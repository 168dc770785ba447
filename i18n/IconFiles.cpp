// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <map>
#include <png.h>
#include <set>

namespace drivo {

namespace {

// Hands every request to a plain icon holding the files decoded so far, after adding the one
// file that serves the request. The choice is the plain icon's own: the smallest size at
// least as large as asked, else the largest.
class SizedFilesEngine final : public QIconEngine {
public:
    SizedFilesEngine(std::map<int, QString> files, QIcon eager)
        : m_files(std::move(files)), m_loaded(std::move(eager)) {}

    QIconEngine* clone() const override { return new SizedFilesEngine(*this); }
    QString key() const override { return QStringLiteral("drivo.sizedfiles"); }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Serving(size).actualSize(size, mode, state);
    }
    // Sizes reach an engine in device pixels, already scaled by the screen's ratio.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Serving(size).pixmap(size, 1.0, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Serving(rect.size()).paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        QList<QSize> sizes = m_loaded.availableSizes(mode, state);
        for (const auto& [side, file] : m_files)
            if (!m_decoded.count(side))
                sizes.append(QSize(side, side));
        return sizes;
    }
    bool isNull() override { return m_files.empty() && m_loaded.isNull(); }

private:
    QIcon& Serving(const QSize& size) {
        const long long wanted = static_cast<long long>(size.width()) * size.height();
        auto best = m_files.end();
        for (auto it = m_files.begin(); it != m_files.end(); ++it)
            if (static_cast<long long>(it->first) * it->first >= wanted) {
                best = it;
                break;
            }
        if (best == m_files.end() && !m_files.empty())
            best = std::prev(m_files.end());
        if (best != m_files.end() && m_decoded.insert(best->first).second)
            m_loaded.addPixmap(QPixmap::fromImage(ReadPngFile(best->second)));
        return m_loaded;
    }

    std::map<int, QString> m_files; // side in pixels -> file
    std::set<int> m_decoded;
    QIcon m_loaded;
};

} // namespace

QImage ReadImageFile(const QString& path, const char* format) {
    // Opened here: a reader told the format probes even a file it could not open, and warns.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QByteArrayView InPlaceBytes(const QResource& file) {
    if (file.data() == nullptr || file.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return {file.data(), qsizetype(file.size())};
}

QImage ReadPngFile(const QString& path) {
    const QResource file(path);
    const QByteArrayView bytes = InPlaceBytes(file);
    if (bytes.isEmpty())
        return ReadImageFile(path, "png");
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&png, bytes.data(), std::size_t(bytes.size())) == 0)
        return {};
    // Qt's ARGB32 in memory; within the same allocation limit as Qt's reader.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    QImage image;
    if (limit == 0 || qint64(png.width) * png.height * 4 <= limit)
        image = QImage(int(png.width), int(png.height), QImage::Format_ARGB32);
    if (image.isNull() || png_image_finish_read(&png, nullptr, image.bits(),
                                                png_int_32(image.bytesPerLine()), nullptr) == 0)
        image = QImage();
    png_image_free(&png);
    return image;
}

QIcon IconFromSizedFiles(const QString& dir, int largestSide) {
    std::map<int, QString> files;
    std::map<int, QString> larger;
    QIcon eager;
    const QDir d(dir);
    for (const QString& name : d.entryList(QDir::Files)) {
        // Compared by hand: a name filter would compile a pattern for every icon.
        if (!name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
            continue;
        bool isSize = false;
        const int side = QFileInfo(name).completeBaseName().toInt(&isSize);
        if (isSize && side > 0)
            (side <= largestSide ? files : larger).emplace(side, d.filePath(name));
        else
            eager.addPixmap(QPixmap::fromImage(ReadPngFile(d.filePath(name))));
    }
    if (files.empty() && !larger.empty())
        files.insert(*larger.begin());
    if (files.empty())
        return eager;
    return QIcon(new SizedFilesEngine(std::move(files), std::move(eager)));
}

} // namespace drivo
