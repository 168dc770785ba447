// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResourceModule.h"

#include "i18n/IconFiles.h"
#include "i18n/ResourceBundle.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QResource>

#include <atomic>
#include <cerrno>
#include <new>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace drivo {

namespace {
const QString kBuiltInRoot = QStringLiteral(":/drivo");

QString NewMountPoint() {
    static std::atomic<int> counter{0};
    return QStringLiteral("/drivo-bundle-%1").arg(++counter);
}

const uchar* Bytes(const QByteArray& data) {
    return reinterpret_cast<const uchar*>(data.constData());
}

// Nothing for a file above maxSize, judged before reading it.
QByteArray ReadAll(const QString& path, qint64 maxSize) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.size() <= maxSize ? f.readAll() : QByteArray();
}

// The whole content of a regular file of at most maxSize bytes; nothing for anything else.
// Opened without blocking and judged by the open descriptor, so a FIFO or a device named
// like a bundle neither stalls the start nor is read.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxSize) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> content;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= maxSize) {
        QByteArray data(qsizetype(info.st_size), Qt::Uninitialized);
        qsizetype got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, std::size_t(data.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            got += n;
        }
        if (got == data.size()) // a file that shrank meanwhile is refused
            content = std::move(data);
    }
    ::close(fd);
    return content;
}
QString BitmapPath(const QString& root, int id, const char* scale = "") {
    return QStringLiteral("%1/bitmap/%2%3.bmp").arg(root).arg(id).arg(QLatin1String(scale));
}

quint32 LittleEndian(const uchar* bytes, int count) {
    quint32 value = 0;
    while (count-- > 0)
        value = value << 8 | bytes[count];
    return value;
}

// The pixels of a BMP file of the kind the art tool writes (24 bits, uncompressed, rows
// bottom-up); null for any other kind.
QImage DecodeBitmap(const uchar* bytes, qint64 size) {
    constexpr qint64 kHeaders = 54; // file header, then an info header of 40 bytes or more
    if (size < kHeaders || bytes[0] != 'B' || bytes[1] != 'M' || LittleEndian(bytes + 14, 4) < 40 ||
        LittleEndian(bytes + 26, 2) != 1 || LittleEndian(bytes + 28, 2) != 24 ||
        LittleEndian(bytes + 30, 4) != 0)
        return {};
    const qint64 offset = LittleEndian(bytes + 10, 4);
    const auto width = qint32(LittleEndian(bytes + 18, 4));
    const auto height = qint32(LittleEndian(bytes + 22, 4));
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || offset < kHeaders || offset > size ||
        (size - offset) / stride < height)
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) { // none when it could not be allocated
        const uchar* in = bytes + offset + (height - 1 - y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += 3)
            out[x] = qRgb(in[2], in[1], in[0]);
    }
    return image;
}

// A BMP file: the art tool's kind straight from the resource's bytes, which the modules keep
// uncompressed (Qt's reader goes through colour masks for every pixel), any other by Qt's
// reader.
QImage ReadBitmapFile(const QString& path) {
    const QByteArrayView bytes = InPlaceBytes(QResource(path));
    if (QImage image = DecodeBitmap(reinterpret_cast<const uchar*>(bytes.data()), bytes.size());
        !image.isNull())
        return image;
    return ReadImageFile(path, "bmp");
}
} // namespace

ResourceModule& ResourceModule::Current() {
    static ResourceModule module;
    return module;
}

ResourceModule::ResourceModule() : m_root(kBuiltInRoot), m_bundleMount(NewMountPoint()) {
    LoadStrings();
}

ResourceModule::~ResourceModule() {
    ReleaseBundle();
}

// A bundle is data: one the memory cannot hold is refused like a damaged one, before the
// switch with the previous module kept, after it with the built-in resources.
bool ResourceModule::LoadBundle(const QString& path) {
    std::optional<QByteArray> data;
    try {
        data = ReadRegularFile(path, kMaxBundleSize);
        if (!data || !IsResourceBundle(*data))
            return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    ReleaseBundle();
    // QByteArray keeps its buffer when moved, so Qt's pointer stays valid in the member.
    m_bundleData = std::move(*data);
    if (!QResource::registerResource(Bytes(m_bundleData), m_bundleMount)) {
        m_bundleData.clear();
        return false;
    }
    m_bundlePath = path;
    m_root = QStringLiteral(":") + m_bundleMount;
    try {
        LoadStrings();
    } catch (const std::bad_alloc&) {
        ReleaseBundle();
        return false;
    }
    return true;
}

void ResourceModule::ReleaseBundle() {
    if (m_bundlePath.isEmpty())
        return;
    QResource::unregisterResource(Bytes(m_bundleData), m_bundleMount);
    m_bundleData.clear();
    m_bundlePath.clear();
    m_root = kBuiltInRoot;
    LoadStrings();
}

void ResourceModule::LoadStrings() {
    m_strings.clear();
    const QJsonObject table =
        QJsonDocument::fromJson(ReadAll(m_root + QStringLiteral("/strings.json"), kMaxTextFileSize))
            .object();
    for (auto it = table.begin(); it != table.end(); ++it) {
        bool ok = false;
        const int id = it.key().toInt(&ok);
        const QString text = it.value().toString();
        if (ok && it.value().isString() && text.size() <= kMaxStringLength)
            m_strings.insert(id, text);
    }
}

QString ResourceModule::LoadResourceString(int id) const {
    return m_strings.value(id);
}

QImage ResourceModule::LoadBitmap(int id, From from) const {
    const QString& root = from == From::Program ? kBuiltInRoot : m_root;
    // On a screen of more than one device pixel per pixel, the bitmap's double-size drawing
    // (<id>@2x.bmp) when the module has one, so that it stays sharp.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QImage sharp = ReadBitmapFile(BitmapPath(root, id, "@2x"));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return ReadBitmapFile(BitmapPath(root, id));
}

bool ResourceModule::HasBitmap(int id) const {
    return QResource(BitmapPath(m_root, id)).isValid();
}

QIcon ResourceModule::LoadIcon(int id, int largestSide) const {
    return IconFromSizedFiles(QStringLiteral("%1/icon/%2").arg(m_root).arg(id), largestSide);
}

QByteArray ResourceModule::LoadDialogTemplate(int id) const {
    return ReadAll(QStringLiteral("%1/dialog/%2.json").arg(m_root).arg(id), kMaxTextFileSize);
}

QByteArray ResourceModule::LoadBinary(int id) const {
    // "<id>.<any extension>", the first by name; compared by hand, as a name filter would
    // compile a pattern at every start.
    const QDir dir(QStringLiteral("%1/binary").arg(m_root));
    const QString prefix = QStringLiteral("%1.").arg(id);
    for (const QString& name : dir.entryList(QDir::Files)) {
        if (!name.startsWith(prefix))
            continue;
        // The built-in module lies in the program's image for as long as it runs: its bytes
        // are lent, not copied. A bundle's may be released while the reader still holds them.
        const QByteArrayView bytes = InPlaceBytes(QResource(dir.filePath(name)));
        if (m_root == kBuiltInRoot && !bytes.isEmpty() && bytes.size() <= kMaxBundleSize)
            return QByteArray::fromRawData(bytes.data(), bytes.size());
        return ReadAll(dir.filePath(name), kMaxBundleSize);
    }
    return {};
}

} // namespace drivo
