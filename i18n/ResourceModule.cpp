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
        QJsonDocument::fromJson(ReadAll(m_root + "/strings.json", kMaxTextFileSize)).object();
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

QImage ResourceModule::LoadBitmap(int id) const {
    // On a screen of more than one device pixel per pixel, the bitmap's double-size drawing
    // (<id>@2x.png) when the module has one, so that it stays sharp.
    if (qGuiApp && qGuiApp->devicePixelRatio() > 1.0) {
        QImage sharp = ReadPngFile(QStringLiteral("%1/bitmap/%2@2x.png").arg(m_root).arg(id));
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return ReadPngFile(QStringLiteral("%1/bitmap/%2.png").arg(m_root).arg(id));
}

QIcon ResourceModule::LoadIcon(int id) const {
    return IconFromSizedFiles(QStringLiteral("%1/icon/%2").arg(m_root).arg(id));
}

QByteArray ResourceModule::LoadDialogTemplate(int id) const {
    return ReadAll(QStringLiteral("%1/dialog/%2.json").arg(m_root).arg(id), kMaxTextFileSize);
}

QByteArray ResourceModule::LoadBinary(int id) const {
    // "<id>.<any extension>", the first by name; compared by hand, as a name filter would
    // compile a pattern at every start.
    const QDir dir(QStringLiteral("%1/binary").arg(m_root));
    const QString prefix = QStringLiteral("%1.").arg(id);
    for (const QString& name : dir.entryList(QDir::Files))
        if (name.startsWith(prefix))
            return ReadAll(dir.filePath(name), kMaxBundleSize);
    return {};
}

} // namespace drivo
