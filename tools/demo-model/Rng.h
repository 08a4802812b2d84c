#pragma once
// Deterministic random numbers for the demo content: the same seed and stream give
// the same sequence on every platform (the engine is fixed; distributions are ours).
#include <cstdint>
#include <random>

namespace demo {

class Rng {
public:
    Rng(uint64_t seed, uint64_t stream) : engine_(seed * 0x9E3779B97F4A7C15ull + stream) {}
    int below(int n) { return n <= 0 ? 0 : int(engine_() % uint64_t(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    template <class T, size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    std::mt19937_64 engine_;
};

} // namespace demo
