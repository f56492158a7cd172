#pragma once
// The size, colour depth and kind of a picture file read from its first bytes,
// without decoding the picture.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <cstdint>

class clsGetSize {
  public:
    enum Kind : int { kUnknown = 0, kGif = 1, kJpeg = 2, kPng = 3, kBmp = 4 };
    static constexpr int kBufferSize = 65536;

    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint8_t Depth() const { return depth_; }
    int ImageType() const { return type_; }

    // False when the file cannot be read; the members are then 0.
    bool ReadImageInfo(const QString& file);
    // The same for the first bytes of a file already in memory.
    void ReadBytes(const QByteArray& head);

  private:
    static int MakeWord(int lo, int hi) { return hi * 256 + lo; }
    void ReadJpeg();
    int B(int n) const { return static_cast<unsigned char>(buf_[static_cast<std::size_t>(n)]); }

    std::int32_t width_ = 0, height_ = 0;
    std::uint8_t depth_ = 0;
    int type_ = kUnknown;
    QByteArray buf_;
};

// A picture file decoded only when it is no wider or higher than `limit` pixels, by
// its header or, for a header the reader does not know, by the decoder's own
// measure. A file that cannot be measured or decoded gives a null picture.
QImage Picture_Load(const QString& file, int limit);
