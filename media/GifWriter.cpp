#include "media/GifWriter.h"

#include <QImage>

namespace {

constexpr int kCubeSteps = 6;
constexpr int kCubeColours = kCubeSteps * kCubeSteps * kCubeSteps; // 216
constexpr int kTransparent = kCubeColours;
constexpr int kPaletteSize = 256;
constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 256, kEndCode = 257;
constexpr int kCodeBits = 9;
// Literals between two clear codes, so the decoder's table never needs a tenth bit.
constexpr int kRunBeforeClear = 250;
constexpr int kSubBlock = 255;

void Put16(QByteArray& out, int v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>((v >> 8) & 0xFF));
}

int Level(int channel) {
    return (channel * (kCubeSteps - 1) + 127) / 255;
}

int IndexOf(QRgb c) {
    if (qAlpha(c) < 128) return kTransparent;
    return (Level(qRed(c)) * kCubeSteps + Level(qGreen(c))) * kCubeSteps + Level(qBlue(c));
}

void Palette(QByteArray& out) {
    for (int i = 0; i < kPaletteSize; ++i) {
        const int r = i < kCubeColours ? i / (kCubeSteps * kCubeSteps) : 0;
        const int g = i < kCubeColours ? (i / kCubeSteps) % kCubeSteps : 0;
        const int b = i < kCubeColours ? i % kCubeSteps : 0;
        for (int v : {r, g, b})
            out.append(static_cast<char>(v * 255 / (kCubeSteps - 1)));
    }
}

class BitWriter {
  public:
    void Code(int code) {
        acc_ |= static_cast<quint32>(code) << bits_;
        bits_ += kCodeBits;
        while (bits_ >= 8) {
            bytes_.append(static_cast<char>(acc_ & 0xFF));
            acc_ >>= 8;
            bits_ -= 8;
        }
    }
    QByteArray Finish() {
        if (bits_ > 0) bytes_.append(static_cast<char>(acc_ & 0xFF));
        return bytes_;
    }

  private:
    QByteArray bytes_;
    quint32 acc_ = 0;
    int bits_ = 0;
};

QByteArray PixelCodes(const QImage& img) {
    BitWriter w;
    w.Code(kClearCode);
    int run = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            if (run == kRunBeforeClear) {
                w.Code(kClearCode);
                run = 0;
            }
            w.Code(IndexOf(line[x]));
            ++run;
        }
    }
    w.Code(kEndCode);
    return w.Finish();
}

} // namespace

QByteArray Gif_Encode(const QImage& picture) {
    const QImage img = picture.convertToFormat(QImage::Format_ARGB32);
    QByteArray out("GIF89a");
    Put16(out, img.width());
    Put16(out, img.height());
    out.append(static_cast<char>(0xF7)); // a global table of 256 colours
    out.append('\0');
    out.append('\0');
    Palette(out);
    // The graphic control block names the transparent colour.
    out.append("\x21\xF9\x04\x01\x00\x00", 6);
    out.append(static_cast<char>(kTransparent));
    out.append('\0');
    out.append('\x2C');
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, img.width());
    Put16(out, img.height());
    out.append('\0');
    out.append(static_cast<char>(kMinCodeSize));
    const QByteArray codes = PixelCodes(img);
    for (qsizetype at = 0; at < codes.size(); at += kSubBlock) {
        const qsizetype n = std::min<qsizetype>(kSubBlock, codes.size() - at);
        out.append(static_cast<char>(n));
        out.append(codes.mid(at, n));
    }
    out.append('\0');
    out.append('\x3B');
    return out;
}
