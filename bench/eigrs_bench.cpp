// EIGRS timing: every eigenvalue and unit eigenvector of a random symmetric matrix.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "eigen/eigrs.hpp"

namespace {

/// A symmetric matrix of order n by columns, elements uniform in [-1, 1), fixed seed.
std::vector<float> randomSymmetric(int32_t n) {
    std::mt19937 engine(12345u);
    std::vector<float> a(static_cast<std::size_t>(n) * static_cast<std::size_t>(n));
    for (int32_t j = 0; j < n; ++j) {
        for (int32_t i = j; i < n; ++i) {
            const float value = static_cast<float>(engine() >> 8) * 0x1p-23f - 1.0f;
            a[static_cast<std::size_t>(i + n * j)] = value;
            a[static_cast<std::size_t>(j + n * i)] = value;
        }
    }
    return a;
}

void BM_EigrsAllValuesAndVectors(benchmark::State& state) {
    const int32_t n = static_cast<int32_t>(state.range(0));
    const std::vector<float> matrix = randomSymmetric(n);
    std::vector<float> a(matrix.size());
    std::vector<float> wk(static_cast<std::size_t>(6 * n));
    std::vector<int32_t> iw(static_cast<std::size_t>(n));
    std::vector<float> e(static_cast<std::size_t>(n));
    std::vector<float> v(matrix.size());
    for (auto _ : state) {
        a = matrix;  // the reduction spoils the matrix
        float eps = 1.0E-6f;
        molframe::EIGRS(a.data(), n, n, n, n, eps, wk.data(), iw.data(), e.data(), v.data());
        benchmark::DoNotOptimize(v.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_EigrsAllValuesAndVectors)
    ->Arg(3)
    ->Arg(50)
    ->Arg(200)
    ->Arg(500)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
