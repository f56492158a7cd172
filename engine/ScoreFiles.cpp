#include "engine/ScoreFiles.h"
#include "common/Shared.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {
const QDate kOleEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;

void Codec(platform::RecordBuf& buf, HighScore& h, bool toBuf) {
    TextAndNumbers(buf, &HighScore::kFields[HighScore::kName], h.Name, {&h.Side, &h.Hand, &h.Hold, &h.Total},
                   toBuf);
}
} // namespace

HighScore HighScore::Decode(const platform::RecordBuf& buf) {
    if (buf.Size() != kSize) throw std::invalid_argument("HighScore needs 36 bytes");
    HighScore h;
    const quint64 bits = qFromLittleEndian<quint64>(buf.Bytes().constData());
    std::memcpy(&h.When, &bits, sizeof bits);
    // A damaged date is no date at all.
    if (!std::isfinite(h.When)) h.When = 0;
    platform::RecordBuf from = buf;
    Codec(from, h, false);
    return h;
}

platform::RecordBuf HighScore::Encode() const {
    QByteArray bytes(kSize, '\0');
    quint64 bits = 0;
    std::memcpy(&bits, &When, sizeof bits);
    qToLittleEndian<quint64>(bits, bytes.data());
    platform::RecordBuf buf(bytes);
    HighScore from = *this;
    Codec(buf, from, true);
    return buf;
}

double OleDate(const QDateTime& t) {
    return static_cast<double>(kOleEpoch.daysTo(t.date())) + t.time().msecsSinceStartOfDay() / kMsPerDay;
}

QDateTime FromOleDate(double days) {
    // Outside the years 100 to 9999 the date is not one the file can hold.
    if (!(days > -657435.0 && days < 2958466.0)) return QDateTime();
    const double whole = std::floor(days);
    const qint64 ms = std::llround((days - whole) * kMsPerDay);
    return QDateTime(kOleEpoch.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

QString ScoresPath() {
    return Com.DataPath + QLatin1String(kScoresFile);
}
QString HighScorePath() {
    return Com.DataPath + QLatin1String(kHighScoreFile);
}

int Saturate16(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -32768, 32767));
}
