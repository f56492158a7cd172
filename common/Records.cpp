#include "common/Records.h"

#include <stdexcept>
#include <string>

namespace {
void CheckSize(const platform::RecordBuf& buf, int size, const char* what) {
    if (buf.Size() != size)
        throw std::invalid_argument(std::string(what) + " needs " + std::to_string(size) + " bytes, got " +
                                    std::to_string(buf.Size()));
}

void Codec(platform::RecordBuf& buf, ScoreRecord& r, bool toBuf) {
    TextAndNumbers(buf, &ScoreRecord::kFields[ScoreRecord::kText], r.Text, {&r.A, &r.B, &r.C, &r.D}, toBuf);
}
} // namespace

void TextAndNumbers(platform::RecordBuf& buf, const RecordField* textField, QString& text,
                    std::initializer_list<int*> numbers, bool toBuf) {
    if (toBuf)
        buf.SetText(textField->offset, textField->size, text);
    else
        text = buf.Text(textField->offset, textField->size);
    const RecordField* field = textField;
    for (int* number : numbers) {
        ++field;
        if (toBuf)
            buf.SetI16(field->offset, *number);
        else
            *number = buf.I16(field->offset);
    }
}

ScoreRecord ScoreRecord::Decode(const platform::RecordBuf& buf) {
    CheckSize(buf, kSize, "ScoreRecord");
    ScoreRecord r;
    platform::RecordBuf from = buf;
    Codec(from, r, false);
    return r;
}

platform::RecordBuf ScoreRecord::Encode() const {
    platform::RecordBuf buf(kSize);
    ScoreRecord from = *this;
    Codec(buf, from, true);
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
