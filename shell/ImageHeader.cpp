#include "shell/ImageHeader.h"

#include <QFile>
#include <QImageReader>

namespace {
// The JPEG search stops before a marker's fields could run past the buffer.
constexpr int kJpegLimit = 65525;

bool IsFrameMarker(int m) {
    return (m >= 0xC0 && m <= 0xC3) || (m >= 0xC5 && m <= 0xC7) || (m >= 0xC9 && m <= 0xCB) ||
           (m >= 0xCD && m <= 0xCF);
}
} // namespace

bool clsGetSize::ReadImageInfo(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        ReadBytes(QByteArray());
        return false;
    }
    ReadBytes(f.read(kBufferSize));
    return true;
}

void clsGetSize::ReadBytes(const QByteArray& head) {
    width_ = height_ = 0;
    depth_ = 0;
    type_ = kUnknown;
    buf_ = head.left(kBufferSize);
    buf_.append(QByteArray(kBufferSize - buf_.size(), '\0'));

    if (B(0) == 0x89 && B(1) == 0x50 && B(2) == 0x4E) {
        type_ = kPng;
        const int bits = B(24);
        switch (B(25)) {
        case 0:
            depth_ = static_cast<std::uint8_t>(bits);
            break;
        case 2:
            depth_ = static_cast<std::uint8_t>(3 * bits);
            break;
        case 3:
            depth_ = 8;
            break;
        case 4:
            depth_ = static_cast<std::uint8_t>(2 * bits);
            break;
        case 6:
            depth_ = static_cast<std::uint8_t>(4 * bits);
            break;
        default:
            type_ = kUnknown;
            break;
        }
        if (type_ == kPng) {
            width_ = B(18) * 256 + B(19);
            height_ = B(22) * 256 + B(23);
        }
    } else if (B(0) == 'G' && B(1) == 'I' && B(2) == 'F') {
        type_ = kGif;
        width_ = MakeWord(B(6), B(7));
        height_ = MakeWord(B(8), B(9));
        depth_ = static_cast<std::uint8_t>((B(10) & 7) + 1);
    } else if (B(0) == 'B' && B(1) == 'M') {
        type_ = kBmp;
        width_ = MakeWord(B(18), B(19));
        height_ = MakeWord(B(22), B(23));
        depth_ = static_cast<std::uint8_t>(B(28));
    }
    if (type_ == kUnknown) ReadJpeg();
}

void clsGetSize::ReadJpeg() {
    int p = 0;
    while (!(B(p) == 0xFF && B(p + 1) == 0xD8 && B(p + 2) == 0xFF)) {
        if (++p >= kJpegLimit) return;
    }
    int q = p + 2;
    for (;;) {
        while (B(q) != 0xFF || B(q + 1) == 0xFF) {
            if (++q >= kJpegLimit) return;
        }
        const int m = B(q + 1);
        if (IsFrameMarker(m)) {
            const int r = q + 1;
            type_ = kJpeg;
            height_ = B(r + 4) * 256 + B(r + 5);
            width_ = B(r + 6) * 256 + B(r + 7);
            depth_ = static_cast<std::uint8_t>(8 * B(r + 8));
            return;
        }
        q = q + 1 + B(q + 2) * 256 + B(q + 3);
        if (q >= kJpegLimit) return;
    }
}

QImage Picture_Load(const QString& file, int limit) {
    clsGetSize header;
    if (!header.ReadImageInfo(file)) return QImage();
    if (header.Width() > limit || header.Height() > limit) return QImage();
    QImageReader reader(file);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > limit || size.height() > limit) return QImage();
    return reader.read();
}
