#pragma once
// Codecs of the small fixed-layout records: the score record of the score files
// and the 100-character text record of the comment sets and the text-records file.
// Each codec reads and writes its fields through one field table, so the offsets
// are written down once and a test can hold them against the file layout.
#include "platform/RecordFile.h"

#include <QString>

#include <initializer_list>

struct RecordField {
    const char* name;
    int offset;
    int size;
};

// A text field and the 16-bit numbers in the fields that follow it, read from the
// buffer or, with toBuf, written to it: one routine serves a codec's both ways.
void TextAndNumbers(platform::RecordBuf& buf, const RecordField* textField, QString& text,
                    std::initializer_list<int*> numbers, bool toBuf);

// True when the fields follow one another from offset 0 and fill exactly `size` bytes.
template <int N> constexpr bool FieldsFill(const RecordField (&fields)[N], int size) {
    int at = 0;
    for (const RecordField& f : fields) {
        if (f.offset != at || f.size <= 0) return false;
        at += f.size;
    }
    return at == size;
}

struct ScoreRecord {
    QString Text;
    int A = 0;
    int B = 0;
    int C = 0;
    int D = 0;

    enum Field { kText, kA, kB, kC, kD };
    static constexpr RecordField kFields[] = {
        {"Text", 0, 30}, {"A", 30, 2}, {"B", 32, 2}, {"C", 34, 2}, {"D", 36, 2}};
    static constexpr int kSize = 38;

    // The buffer must be one whole record; anything else is a caller's fault and throws.
    static ScoreRecord Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    bool operator==(const ScoreRecord&) const = default;
};
static_assert(FieldsFill(ScoreRecord::kFields, ScoreRecord::kSize));

struct TextRecord {
    QString Text;

    enum Field { kText };
    static constexpr RecordField kFields[] = {{"Text", 0, 100}};
    static constexpr int kSize = 100;

    static TextRecord Decode(const platform::RecordBuf& buf);
    platform::RecordBuf Encode() const;
    bool operator==(const TextRecord&) const = default;
};
static_assert(FieldsFill(TextRecord::kFields, TextRecord::kSize));
