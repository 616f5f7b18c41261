#pragma once
// Skin pictures as PNG files that decode fast: rows unfiltered, data stored uncompressed, and
// without an alpha channel when every pixel is opaque.

#include <QImage>
#include <QString>

namespace skin {

// False when the file cannot be written.
bool WritePng(const QImage& image, const QString& path);

}  // namespace skin
