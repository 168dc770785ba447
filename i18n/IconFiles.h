// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An icon made of one picture file per size, named by its size ("16.png", "256.png"). A file
// is decoded only when a size it serves is asked for, not all of them when the icon is made.
#include <QByteArrayView>
#include <QIcon>
#include <QImage>
#include <QResource>
#include <QString>
#include <limits>

namespace drivo {

// The PNG files of dir, those of sizes up to largestSide (the smallest larger one when none
// is); files whose name is not a size are decoded at once. A null icon when there are none.
QIcon IconFromSizedFiles(const QString& dir, int largestSide = std::numeric_limits<int>::max());

// A resource's bytes where they lie (in the program's image or a loaded bundle), to be read in
// place; empty for a compressed resource or a file outside the resources.
QByteArrayView InPlaceBytes(const QResource& file);

// An image file read in the format named ("png", "bmp"): naming it, and not guessing it, spares
// asking every image plugin whether it knows the file. A null image when it cannot be read.
QImage ReadImageFile(const QString& path, const char* format);
// A PNG file; one held uncompressed in the resources is decoded in place by libpng, which
// spares listing Qt's image plugins for the first picture read.
QImage ReadPngFile(const QString& path);

} // namespace drivo
