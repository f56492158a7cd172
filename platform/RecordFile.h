#pragma once
// Random-access files of fixed-length records, numbered from 1, and the buffer
// that record codecs read and write fields in: 16-bit little-endian integers,
// Booleans as -1 and 0, fixed-width Windows-1252 text padded with blanks.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdint>

namespace platform {

class RecordBuf {
  public:
    explicit RecordBuf(int size = 0) : b_(size, '\0') {}
    explicit RecordBuf(QByteArray bytes) : b_(std::move(bytes)) {}

    int Size() const { return static_cast<int>(b_.size()); }
    const QByteArray& Bytes() const { return b_; }

    int I16(int off) const;
    void SetI16(int off, int v); // the low 16 bits of v are stored
    std::int32_t I32(int off) const;
    void SetI32(int off, std::int32_t v);
    float F32(int off) const;
    void SetF32(int off, float v);
    bool Bool(int off) const { return I16(off) != 0; }
    void SetBool(int off, bool v) { SetI16(off, v ? -1 : 0); }
    QString Text(int off, int width) const;
    void SetText(int off, int width, const QString& s);

  private:
    void Check(int off, int len) const;
    QByteArray b_;
};

class RecordFile {
  public:
    RecordFile() = default;
    ~RecordFile() { Close(); }
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    // Opens for reading and writing, creating the file when it is missing.
    bool Open(const QString& path, int recordLength);
    // Opens an existing file for reading only; a missing file fails.
    bool OpenReadOnly(const QString& path, int recordLength);
    void Close();
    bool IsOpen() const { return file_.isOpen(); }
    QString Path() const { return file_.fileName(); }
    int RecordLength() const { return len_; }
    QString ErrorString() const { return file_.errorString(); }

    // Whole records in the file; a short tail does not count.
    int RecordCount() const;
    // Reading past the end, or a short last record, gives zero bytes where the file has none.
    RecordBuf Read(int recno);
    // Writes the record whole and flushes; writing past the end extends the file with zeros.
    bool Write(int recno, const RecordBuf& rec);

  private:
    QFile file_;
    int len_ = 0;
};

} // namespace platform
