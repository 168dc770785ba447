// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Background pictures of windows: one process-wide list, newest first, of pictures each
// registered for a window and a rectangle in its client area. A picture is decoded once,
// straight to the size of its rectangle and away from the window thread; until then its
// window paints without it. Each paint only copies the decoded image. Window thread only.
#include <QByteArray>
#include <QImage>
#include <QRect>
#include <cstdint>
#include <functional>
#include <optional>

class QPainter;
class QWidget;

namespace drivo {

struct PictureEntry {
    QImage picture; // at the rectangle's size in device pixels; null while being decoded
    int width = 0;  // destination rectangle, client coordinates of the owner
    int height = 0;
    int left = 0;
    int top = 0;
    QWidget* owner = nullptr;
    int sourceWidth = 0; // HIMETRIC (0.01 mm) from the pixel size at 96 dpi
    int sourceHeight = 0;
    PictureEntry* next = nullptr;
    PictureEntry* previous = nullptr;
    std::uint64_t serial = 0; // matches a decoding to its entry
};

struct LoadedPicture {
    QImage image;
    int himetricWidth = 0;
    int himetricHeight = 0;
};

// Decodes picture bytes to exactly `size` device pixels; the JPEG decoder scales while it
// reads, so a huge picture never exists at its full size. No picture for unreadable bytes.
std::optional<LoadedPicture> LoadPictureFromMemory(const QByteArray& bytes, QSize size);

// Registers picture `resourceId` (type "BINARY") of the current resource module for `window`
// in `rect` (client coordinates) and starts its decoding. A missing or unreadable resource
// registers nothing. `shown` runs on the window thread once the picture can be drawn (at
// once when the same picture was decoded at that size just before), for windows that keep
// copies of what they painted.
void AddResourcePicture(QWidget* window, int resourceId, const QRect& rect,
                        std::function<void()> shown = {});
// Draws the decoded pictures of `window`, newest first, so that the oldest ends on top.
void DrawWindowPictures(const QWidget* window, QPainter& painter);
// Unlinks and releases every picture of `window`; the others stay.
void FreeWindowPictures(const QWidget* window);

// The list as it stands (for checks and tools).
const PictureEntry* PictureListHead();
int PictureCount();
// While held, decodings started wait before they take any CPU (a program holds them until its
// window's first frame is complete); releasing lets them run.
void HoldPictureDecoding(bool held);
// Waits for the decodings still running (releasing a hold) and hands their images to their
// entries now.
void FinishPictureDecoding();

} // namespace drivo
