// SPDX-License-Identifier: GPL-3.0-or-later
#include "BackgroundPicture.h"

#include "ScaledJpeg.h"
#include "i18n/ResourceModule.h"

#include <QBuffer>
#include <QFutureWatcher>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QPromise>
#include <QThreadPool>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace drivo {

namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kScreenDpi = 96;
// Far above a window-sized image; a picture that only a full-size decode could read (a huge
// picture in a format without scaled decoding) is refused instead of filling the memory.
constexpr int kDecodeLimitMiB = 64;
constexpr const char* kFreedOnDestroy = "drivoPicturesFreedOnDestroy";

using Decoded = std::optional<LoadedPicture>;

// While held, decodings are not even handed to a thread: starting one costs the window thread
// time as well. One handed over before a hold waits before its first step.
struct DecodingHold {
    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    std::vector<std::function<void()>> waiting;
};
DecodingHold g_hold;

void WaitWhileHeld() {
    std::unique_lock lock(g_hold.mutex);
    g_hold.released.wait(lock, [] { return !g_hold.held; });
}

QFuture<Decoded> StartOnPool(std::function<Decoded()> decode) {
    auto promise = std::make_shared<QPromise<Decoded>>();
    QFuture<Decoded> future = promise->future();
    std::function<void()> run = [promise, decode = std::move(decode)] {
        promise->start();
        WaitWhileHeld();
        try {
            promise->addResult(decode());
        } catch (const std::bad_alloc&) {
            promise->addResult(Decoded{}); // a picture the memory cannot hold is left out
        }
        promise->finish();
    };
    std::lock_guard guard(g_hold.mutex);
    if (g_hold.held)
        g_hold.waiting.push_back(std::move(run));
    else
        QThreadPool::globalInstance()->start(std::move(run));
    return future;
}

PictureEntry* g_head = nullptr;
int g_count = 0;
std::uint64_t g_lastSerial = 0;

struct Decoding {
    std::uint64_t serial;
    QByteArray bytes;
    QSize size;
    std::function<void()> shown;
    QFuture<Decoded> future;
    QPointer<QFutureWatcher<Decoded>> watcher;
};
std::vector<Decoding> g_decodings;

// The last picture decoded, with the bytes and size it came from. A language switch frees
// the window's picture and registers the same bytes again: the copy is reused at once, so the
// window never shows its bare surface in between. It shares its pixels with the entry.
struct DecodedCopy {
    QByteArray bytes;
    QSize size;
    QImage image;
};
DecodedCopy g_lastDecoded;

// The last decoding started, until it is delivered. The window registers its picture when it
// is made and again when it applies its language, before the first decoding has finished: the
// second registration waits for the same result instead of decoding the picture once more.
struct StartedDecoding {
    QByteArray bytes;
    QSize size;
    qreal ratio = 0;
    QFuture<Decoded> future;
};
StartedDecoding g_lastStarted;

int Himetric(int pixels) {
    return static_cast<int>(qint64(pixels) * kHimetricPerInch / kScreenDpi);
}

PictureEntry* FindEntry(std::uint64_t serial) {
    for (PictureEntry* e = g_head; e; e = e->next)
        if (e->serial == serial)
            return e;
    return nullptr;
}

void Unlink(PictureEntry* entry) {
    if (entry == g_head)
        g_head = entry->next;
    else
        entry->previous->next = entry->next;
    if (entry->next)
        entry->next->previous = entry->previous;
    --g_count;
}

// Forgets the decoding of an entry; a result still on its way is dropped with its watcher.
Decoding TakeDecoding(std::uint64_t serial) {
    const auto it = std::find_if(g_decodings.begin(), g_decodings.end(),
                                 [serial](const Decoding& d) { return d.serial == serial; });
    if (it == g_decodings.end())
        return {};
    Decoding taken = std::move(*it);
    g_decodings.erase(it);
    if (taken.watcher) { // may be the sender of the signal being handled
        taken.watcher->disconnect();
        taken.watcher->deleteLater();
    }
    return taken;
}

void Deliver(std::uint64_t serial, const Decoded& result) {
    const Decoding decoding = TakeDecoding(serial);
    if (g_lastStarted.future.isFinished())
        g_lastStarted = {}; // its result is delivered now, or its entry is gone
    PictureEntry* entry = FindEntry(serial);
    if (!entry)
        return; // freed while it was being decoded
    if (!result || result->image.isNull()) {
        // The header was readable, the picture is not: it stays unregistered.
        Unlink(entry);
        delete entry;
        return;
    }
    entry->picture = result->image;
    g_lastDecoded = {decoding.bytes, decoding.size, result->image};
    if (!decoding.watcher) // a child of the owner: gone with it
        return;
    entry->owner->update(entry->left, entry->top, entry->width, entry->height);
    if (decoding.shown)
        decoding.shown();
}

void StartDecoding(PictureEntry& entry, const QByteArray& bytes, QSize size, qreal ratio,
                   std::function<void()> shown) {
    if (g_lastDecoded.size == size && g_lastDecoded.bytes == bytes) {
        entry.picture = g_lastDecoded.image;
        if (shown)
            shown();
        return;
    }
    Decoding decoding{entry.serial, bytes, size, std::move(shown), {}, {}};
    if (g_lastStarted.size == size && g_lastStarted.ratio == ratio &&
        g_lastStarted.bytes == bytes) {
        decoding.future = g_lastStarted.future;
    } else {
        decoding.future = StartOnPool([bytes, size, ratio]() -> Decoded {
            Decoded result = LoadPictureFromMemory(bytes, size);
            if (result)
                result->image.setDevicePixelRatio(ratio);
            return result;
        });
        g_lastStarted = {bytes, size, ratio, decoding.future};
    }
    // The watcher lives with the window: a window gone before its picture drops the result.
    auto* watcher = new QFutureWatcher<Decoded>(entry.owner);
    const std::uint64_t serial = entry.serial;
    QObject::connect(watcher, &QFutureWatcherBase::finished, watcher,
                     [serial, watcher] { Deliver(serial, watcher->result()); });
    decoding.watcher = watcher;
    watcher->setFuture(decoding.future);
    g_decodings.push_back(std::move(decoding));
}

} // namespace

std::optional<LoadedPicture> LoadPictureFromMemory(const QByteArray& bytes, QSize size) {
    // JPEG, the pictures' format, is decoded without the image plugins and without an
    // intermediate image; other formats, and JPEGs that path leaves, go through Qt's readers.
    if (const std::optional<QSize> jpeg = JpegPixelSize(bytes)) {
        LoadedPicture loaded{{}, Himetric(jpeg->width()), Himetric(jpeg->height())};
        if (size.isEmpty())
            return loaded;
        loaded.image = DecodeJpegToSize(bytes, size, long{kDecodeLimitMiB} << 20);
        if (!loaded.image.isNull())
            return loaded;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&buffer);
    const QSize source = reader.size();
    if (!source.isValid() || source.isEmpty())
        return std::nullopt;
    LoadedPicture loaded{{}, Himetric(source.width()), Himetric(source.height())};
    if (size.isEmpty())
        return loaded; // nothing to draw into: only the header was needed
    reader.setAllocationLimit(kDecodeLimitMiB);
    reader.setScaledSize(size);
    loaded.image = reader.read();
    if (loaded.image.isNull() || loaded.image.size() != size)
        return std::nullopt;
    // One format the window's surface copies without converting.
    if (loaded.image.format() != QImage::Format_RGB32)
        loaded.image.convertTo(QImage::Format_RGB32);
    return loaded;
}

void AddResourcePicture(QWidget* window, int resourceId, const QRect& rect,
                        std::function<void()> shown) {
    if (!window)
        return;
    const QByteArray bytes = ResourceModule::Current().LoadBinary(resourceId);
    if (bytes.isEmpty())
        return;
    // Only the header is read here; the window thread never waits for the pixels.
    const std::optional<LoadedPicture> header = LoadPictureFromMemory(bytes, QSize());
    if (!header)
        return;
    // A window destroyed without freeing its pictures must not leave them behind for a new
    // window at the same address.
    if (!window->property(kFreedOnDestroy).toBool()) {
        window->setProperty(kFreedOnDestroy, true);
        QObject::connect(window, &QObject::destroyed, [window] { FreeWindowPictures(window); });
    }
    auto* entry = new PictureEntry;
    entry->width = rect.width();
    entry->height = rect.height();
    entry->left = rect.left();
    entry->top = rect.top();
    entry->owner = window;
    entry->sourceWidth = header->himetricWidth;
    entry->sourceHeight = header->himetricHeight;
    entry->serial = ++g_lastSerial;
    entry->next = g_head;
    if (g_head)
        g_head->previous = entry;
    g_head = entry;
    ++g_count;
    if (rect.width() <= 0 || rect.height() <= 0)
        return; // registered, but there is nothing to draw into
    const qreal ratio = window->devicePixelRatioF();
    StartDecoding(*entry, bytes, (QSizeF(rect.size()) * ratio).toSize(), ratio, std::move(shown));
    window->update(rect);
}

void DrawWindowPictures(const QWidget* window, QPainter& painter) {
    for (const PictureEntry* e = g_head; e; e = e->next)
        if (e->owner == window && !e->picture.isNull())
            painter.drawImage(QRect(e->left, e->top, e->width, e->height), e->picture);
}

void FreeWindowPictures(const QWidget* window) {
    PictureEntry* entry = g_head;
    for (int remaining = g_count; entry && remaining > 0; --remaining) {
        PictureEntry* following = entry->next;
        if (entry->owner == window) {
            Unlink(entry);
            TakeDecoding(entry->serial);
            delete entry;
        }
        entry = following;
    }
}

const PictureEntry* PictureListHead() {
    return g_head;
}

int PictureCount() {
    return g_count;
}

void HoldPictureDecoding(bool held) {
    std::vector<std::function<void()>> start;
    {
        std::lock_guard guard(g_hold.mutex);
        g_hold.held = held;
        if (!held)
            start.swap(g_hold.waiting);
    }
    g_hold.released.notify_all();
    for (std::function<void()>& run : start)
        QThreadPool::globalInstance()->start(std::move(run));
}

void FinishPictureDecoding() {
    HoldPictureDecoding(false);
    while (!g_decodings.empty()) {
        QFuture<Decoded> future = g_decodings.front().future;
        future.waitForFinished();
        Deliver(g_decodings.front().serial, future.result());
    }
}

} // namespace drivo
