#include "png_file.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <array>
#include <cstdint>

namespace skin {

namespace {

uint32_t Crc32(const QByteArray& bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    uint32_t crc = 0xFFFFFFFFu;
    for (char byte : bytes) {
        crc = table[(crc ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

QByteArray BigEndian(uint32_t value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Length, type, data and the CRC of type and data.
QByteArray Chunk(const char* type, const QByteArray& data) {
    QByteArray typed = QByteArray(type) + data;
    return BigEndian(static_cast<uint32_t>(data.size())) + typed + BigEndian(Crc32(typed));
}

bool Opaque(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 255) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool WritePng(const QImage& image, const QString& path) {
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
    const bool opaque = Opaque(pixels);
    const int channels = opaque ? 3 : 4;
    // Each row: filter type 0 (none), then R, G, B (and A) of each pixel.
    QByteArray rows;
    rows.reserve(pixels.height() * (1 + pixels.width() * channels));
    for (int y = 0; y < pixels.height(); ++y) {
        rows.append('\0');
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            rows.append(static_cast<char>(qRed(row[x])));
            rows.append(static_cast<char>(qGreen(row[x])));
            rows.append(static_cast<char>(qBlue(row[x])));
            if (!opaque) {
                rows.append(static_cast<char>(qAlpha(row[x])));
            }
        }
    }
    QByteArray header = BigEndian(static_cast<uint32_t>(pixels.width())) +
                        BigEndian(static_cast<uint32_t>(pixels.height()));
    // Bit depth 8, colour type 2 (RGB) or 6 (RGBA), deflate, adaptive filtering, no interlace.
    header.append(
        QByteArray::fromRawData(opaque ? "\x08\x02\x00\x00\x00" : "\x08\x06\x00\x00\x00", 5));
    // qCompress puts the length before the zlib stream; level 0 stores the data.
    QByteArray data = qCompress(rows, 0).mid(4);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(QByteArray("\x89PNG\r\n\x1a\n", 8) + Chunk("IHDR", header) +
                      Chunk("IDAT", data) + Chunk("IEND", {})) > 0 &&
           file.flush();
}

}  // namespace skin
