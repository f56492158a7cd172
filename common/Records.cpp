#include "common/Records.h"

#include <stdexcept>
#include <string>

namespace {
void CheckSize(const platform::RecordBuf& buf, int size, const char* what) {
    if (buf.Size() != size)
        throw std::invalid_argument(std::string(what) + " needs " + std::to_string(size) + " bytes, got " +
                                    std::to_string(buf.Size()));
}
} // namespace

ScoreRecord ScoreRecord::Decode(const platform::RecordBuf& buf) {
    CheckSize(buf, kSize, "ScoreRecord");
    ScoreRecord r;
    r.Text = buf.Text(kFields[kText].offset, kFields[kText].size);
    r.A = buf.I16(kFields[kA].offset);
    r.B = buf.I16(kFields[kB].offset);
    r.C = buf.I16(kFields[kC].offset);
    r.D = buf.I16(kFields[kD].offset);
    return r;
}

platform::RecordBuf ScoreRecord::Encode() const {
    platform::RecordBuf buf(kSize);
    buf.SetText(kFields[kText].offset, kFields[kText].size, Text);
    buf.SetI16(kFields[kA].offset, A);
    buf.SetI16(kFields[kB].offset, B);
    buf.SetI16(kFields[kC].offset, C);
    buf.SetI16(kFields[kD].offset, D);
    return buf;
}

TextRecord TextRecord::Decode(const platform::RecordBuf& buf) {
    CheckSize(buf, kSize, "TextRecord");
    return TextRecord{buf.Text(kFields[kText].offset, kFields[kText].size)};
}

platform::RecordBuf TextRecord::Encode() const {
    platform::RecordBuf buf(kSize);
    buf.SetText(kFields[kText].offset, kFields[kText].size, Text);
    return buf;
}
