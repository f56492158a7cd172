#include "platform/RecordFile.h"
#include "platform/Text1252.h"

#include <cstring>
#include <stdexcept>

namespace platform {

void RecordBuf::Check(int off, int len) const {
    if (off < 0 || len < 0 || off + len > b_.size())
        throw std::out_of_range("record field at " + std::to_string(off) + " length " + std::to_string(len) +
                                " outside record of " + std::to_string(b_.size()) + " bytes");
}

int RecordBuf::I16(int off) const {
    Check(off, 2);
    const auto lo = static_cast<unsigned char>(b_.at(off));
    const auto hi = static_cast<unsigned char>(b_.at(off + 1));
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
}

void RecordBuf::SetI16(int off, int v) {
    Check(off, 2);
    const auto u = static_cast<std::uint16_t>(v);
    b_[off] = static_cast<char>(u & 0xFF);
    b_[off + 1] = static_cast<char>(u >> 8);
}

std::int32_t RecordBuf::I32(int off) const {
    Check(off, 4);
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | static_cast<unsigned char>(b_.at(off + i));
    return static_cast<std::int32_t>(u);
}

void RecordBuf::SetI32(int off, std::int32_t v) {
    Check(off, 4);
    auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        b_[off + i] = static_cast<char>(u & 0xFF);
        u >>= 8;
    }
}

float RecordBuf::F32(int off) const {
    const std::int32_t bits = I32(off);
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

void RecordBuf::SetF32(int off, float v) {
    std::int32_t bits;
    std::memcpy(&bits, &v, 4);
    SetI32(off, bits);
}

QString RecordBuf::Text(int off, int width) const {
    Check(off, width);
    return TrimFixed(b_.mid(off, width));
}

void RecordBuf::SetText(int off, int width, const QString& s) {
    Check(off, width);
    const QByteArray t = FixedText(s, width);
    std::memcpy(b_.data() + off, t.constData(), static_cast<std::size_t>(width));
}

bool RecordFile::Open(const QString& path, int recordLength) {
    Close();
    len_ = recordLength;
    file_.setFileName(path);
    return file_.open(QIODevice::ReadWrite);
}

bool RecordFile::OpenReadOnly(const QString& path, int recordLength) {
    Close();
    len_ = recordLength;
    file_.setFileName(path);
    return file_.open(QIODevice::ReadOnly);
}

void RecordFile::Close() {
    if (file_.isOpen()) file_.close();
}

int RecordFile::RecordCount() const {
    if (!file_.isOpen() || len_ <= 0) return 0;
    return static_cast<int>(file_.size() / len_);
}

RecordBuf RecordFile::Read(int recno) {
    RecordBuf rec(len_);
    if (!file_.isOpen() || recno < 1) return rec;
    const qint64 pos = static_cast<qint64>(recno - 1) * len_;
    if (pos >= file_.size() || !file_.seek(pos)) return rec;
    QByteArray got = file_.read(len_);
    got.append(QByteArray(len_ - got.size(), '\0'));
    return RecordBuf(got);
}

bool RecordFile::Write(int recno, const RecordBuf& rec) {
    if (!file_.isOpen() || recno < 1 || rec.Size() != len_) return false;
    const qint64 pos = static_cast<qint64>(recno - 1) * len_;
    if (pos > file_.size()) {
        if (!file_.seek(file_.size())) return false;
        const QByteArray gap(pos - file_.size(), '\0');
        if (file_.write(gap) != gap.size()) return false;
    }
    if (!file_.seek(pos)) return false;
    if (file_.write(rec.Bytes()) != len_) return false;
    return file_.flush();
}

} // namespace platform
