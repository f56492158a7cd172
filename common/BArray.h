#pragma once
// A bounds-checked array with inclusive lower and upper bounds per dimension,
// indexed as a(i, j, k). An index outside the bounds is a fault of the caller:
// it throws, so a test fails loudly instead of corrupting a neighbouring table.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

template <typename T, int N> class BArray {
    static_assert(N >= 1 && N <= 4, "1 to 4 dimensions");

  public:
    struct Bound {
        int lo = 0;
        int hi = -1;
        int size() const { return hi >= lo ? hi - lo + 1 : 0; }
        bool operator==(const Bound&) const = default;
    };

    BArray() = default;
    // Upper bounds only, lower bounds 0: BArray<int,2> a(2, 10) is a(0..2, 0..10).
    template <typename... I> explicit BArray(I... upper) { Redim(upper...); }

    // Re-dimension with lower bounds 0, clearing every element.
    template <typename... I> void Redim(I... upper) {
        static_assert(sizeof...(I) == N, "one upper bound per dimension");
        std::array<Bound, N> b{};
        int k = 0;
        ((b[k++] = Bound{0, static_cast<int>(upper)}), ...);
        Reshape(b, false);
    }
    // Re-dimension with explicit bounds.
    void RedimBounds(const std::array<Bound, N>& b) { Reshape(b, false); }

    // Re-dimension keeping the elements whose indexes lie within both shapes.
    template <typename... I> void RedimPreserve(I... upper) {
        static_assert(sizeof...(I) == N, "one upper bound per dimension");
        std::array<Bound, N> b{};
        int k = 0;
        ((b[k++] = Bound{0, static_cast<int>(upper)}), ...);
        Reshape(b, true);
    }

    template <typename... I> T& operator()(I... idx) { return data_[Offset(idx...)]; }
    template <typename... I> const T& operator()(I... idx) const { return data_[Offset(idx...)]; }

    template <typename... I> bool InBounds(I... idx) const {
        static_assert(sizeof...(I) == N, "one index per dimension");
        const int ix[N] = {static_cast<int>(idx)...};
        for (int d = 0; d < N; ++d)
            if (ix[d] < bounds_[d].lo || ix[d] > bounds_[d].hi) return false;
        return true;
    }

    int LBound(int dim = 1) const { return bounds_.at(dim - 1).lo; }
    int UBound(int dim = 1) const { return bounds_.at(dim - 1).hi; }
    std::size_t Count() const { return data_.size(); }

    void Clear() {
        for (auto& v : data_)
            v = T{};
    }
    void Fill(const T& v) {
        for (auto& e : data_)
            e = v;
    }
    bool operator==(const BArray& o) const = default;

  private:
    template <typename... I> std::size_t Offset(I... idx) const {
        static_assert(sizeof...(I) == N, "one index per dimension");
        const int ix[N] = {static_cast<int>(idx)...};
        std::size_t off = 0;
        for (int d = 0; d < N; ++d) {
            if (ix[d] < bounds_[d].lo || ix[d] > bounds_[d].hi)
                throw std::out_of_range("array index " + std::to_string(ix[d]) + " outside " +
                                        std::to_string(bounds_[d].lo) + ".." + std::to_string(bounds_[d].hi) +
                                        " in dimension " + std::to_string(d + 1));
            off = off * static_cast<std::size_t>(bounds_[d].size()) +
                  static_cast<std::size_t>(ix[d] - bounds_[d].lo);
        }
        return off;
    }

    void Reshape(const std::array<Bound, N>& nb, bool keep) {
        std::size_t total = 1;
        for (const auto& b : nb)
            total *= static_cast<std::size_t>(b.size());
        std::vector<T> nd(total);
        if (keep && !data_.empty() && total > 0) {
            // Walk every index of the new shape and copy what the old shape also has.
            std::array<int, N> ix{};
            for (int d = 0; d < N; ++d)
                ix[d] = nb[d].lo;
            for (std::size_t n = 0; n < total; ++n) {
                bool inside = true;
                std::size_t oldOff = 0;
                for (int d = 0; d < N; ++d) {
                    if (ix[d] < bounds_[d].lo || ix[d] > bounds_[d].hi) {
                        inside = false;
                        break;
                    }
                    oldOff = oldOff * static_cast<std::size_t>(bounds_[d].size()) +
                             static_cast<std::size_t>(ix[d] - bounds_[d].lo);
                }
                if (inside) nd[n] = data_[oldOff];
                for (int d = N - 1; d >= 0; --d) {
                    if (++ix[d] <= nb[d].hi) break;
                    ix[d] = nb[d].lo;
                }
            }
        }
        bounds_ = nb;
        data_ = std::move(nd);
    }

    std::array<Bound, N> bounds_{};
    std::vector<T> data_;
};
