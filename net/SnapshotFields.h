#pragma once
// One walk over a snapshot's fields serves both directions: writing appends each
// value, reading takes the next field and checks it against its range. A read that
// runs out of fields or meets a value out of range fails and stops changing anything.
#include <QString>

#include <vector>

class SnapFields {
  public:
    // Writing: every value is appended to `out`.
    explicit SnapFields(std::vector<int>* out) : out_(out) {}
    // Reading from `in`.
    explicit SnapFields(const std::vector<int>& in) : in_(&in) {}

    bool Reading() const { return in_ != nullptr; }
    bool Ok() const { return ok_; }
    const QString& Why() const { return why_; }
    // Reading: true when every field was taken.
    bool AllTaken() const { return !in_ || pos_ == in_->size(); }

    void Num(int& v, int lo, int hi, const char* what) {
        if (!ok_) return;
        if (!in_) {
            out_->push_back(v);
            return;
        }
        if (pos_ >= in_->size()) return Fail(QStringLiteral("it ends before the ") + QLatin1String(what));
        const int got = (*in_)[pos_++];
        if (got < lo || got > hi) return Fail(QStringLiteral("the ") + QLatin1String(what) + QStringLiteral(" is out of range"));
        v = got;
    }
    // On and off are written as -1 and 0; any value but 0 reads as on.
    void Flag(bool& b) {
        int v = b ? -1 : 0;
        Num(v, -32768, 32767, "rule");
        if (ok_ && in_) b = v != 0;
    }
    // A count followed by that many values, each in lo..hi.
    void List(std::vector<int>& values, int maxCount, int lo, int hi, const char* what) {
        int n = static_cast<int>(values.size());
        Num(n, 0, maxCount, what);
        if (!ok_) return;
        if (in_) values.assign(static_cast<size_t>(n), 0);
        for (int& v : values)
            Num(v, lo, hi, what);
    }
    void Fail(const QString& why) {
        ok_ = false;
        if (why_.isEmpty()) why_ = why;
    }

  private:
    std::vector<int>* out_ = nullptr;
    const std::vector<int>* in_ = nullptr;
    size_t pos_ = 0;
    bool ok_ = true;
    QString why_;
};
