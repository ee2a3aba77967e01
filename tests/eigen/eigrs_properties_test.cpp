// Properties any correct symmetric eigensolver has, over a few hundred random matrices of
// orders 3 to 60 (fixed seeds): residual, unit length, orthogonality, ordering, no NaN.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "eigen/eigrs.hpp"
#include "eigen_support.hpp"

namespace molframe {
namespace {

using test::EigrsCall;

/// Fixed-seed source of test matrices; mt19937 gives the same numbers everywhere.
class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    /// Uniform in [-1, 1), a multiple of 2^-23.
    float uniform() { return static_cast<float>(engine_() >> 8) * 0x1p-23f - 1.0f; }
    /// Uniform integer in [low, high].
    int32_t between(int32_t low, int32_t high) {
        return low + static_cast<int32_t>(engine_() % static_cast<uint32_t>(high - low + 1));
    }

  private:
    std::mt19937 engine_;
};

/// Row-by-row symmetric matrix of order n.
using Matrix = std::vector<float>;

Matrix dense(Random& random, int32_t n) {
    const float scale = std::ldexp(1.0f, random.between(-10, 10));
    return test::symmetricRows(n, [&](int32_t, int32_t) { return scale * random.uniform(); });
}

/// Q·D·QT with each eigenvalue in D three times (repeated but for rounding) and Q a product of
/// three random reflections, formed in double and rounded.
Matrix clusteredSpectrum(Random& random, int32_t n) {
    const std::size_t size = static_cast<std::size_t>(n);
    std::vector<double> q(size * size, 0.0);
    for (std::size_t i = 0; i < size; ++i) q[i * size + i] = 1.0;
    for (int32_t r = 0; r < 3; ++r) {
        std::vector<double> u(size);
        double uu = 0.0;
        for (double& x : u) {
            x = random.uniform();
            uu += x * x;
        }
        for (std::size_t row = 0; row < size; ++row) {  // Q = Q·(I - 2·u·uT/uu)
            double qu = 0.0;
            for (std::size_t k = 0; k < size; ++k) qu += q[row * size + k] * u[k];
            for (std::size_t k = 0; k < size; ++k) q[row * size + k] -= 2.0 * qu * u[k] / uu;
        }
    }
    std::vector<double> d(size);
    for (std::size_t i = 0; i < size; ++i) d[i] = 0.37 * static_cast<double>(i / 3) - 1.0;
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        double s = 0.0;
        for (std::size_t k = 0; k < size; ++k) {
            s += q[static_cast<std::size_t>(i - 1) * size + k] * d[k] *
                 q[static_cast<std::size_t>(j - 1) * size + k];
        }
        return static_cast<float>(s);
    });
}

/// Two copies of one random block down the diagonal, then at least one zero row: every
/// eigenvalue of the block twice, in parts the reduction keeps apart and treats alike.
Matrix blockCopies(Random& random, int32_t n) {
    const int32_t copies = 2;
    const int32_t size = std::max(1, (n - 1) / copies);
    const Matrix block = dense(random, size);
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        const int32_t r = i - 1;
        const int32_t c = j - 1;
        if (r / size != c / size || r / size >= copies) return 0.0f;
        return block[static_cast<std::size_t>((r % size) * size + c % size)];
    });
}

/// A diagonal matrix of distinct values, some of them twice, in random places.
Matrix diagonalWithRepeats(Random& random, int32_t n) {
    std::vector<float> d(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < d.size(); ++i) {
        const bool repeat = i > 0 && d[i - 1] == static_cast<float>(i - 1) && random.between(0, 1);
        d[i] = repeat ? d[i - 1] : static_cast<float>(i);
    }
    for (std::size_t i = d.size() - 1; i > 0; --i) {
        std::swap(d[i], d[static_cast<std::size_t>(random.between(0, static_cast<int32_t>(i)))]);
    }
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        return i == j ? d[static_cast<std::size_t>(i - 1)] : 0.0f;
    });
}

/// c·I + v·vT with small integers: the eigenvalue c exactly N - 1 times.
Matrix identityPlusRankOne(Random& random, int32_t n) {
    const float c = static_cast<float>(random.between(-3, 3));
    std::vector<float> v(static_cast<std::size_t>(n));
    for (float& x : v) x = static_cast<float>(random.between(-3, 3));
    v[0] = 1.0f;
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        return v[static_cast<std::size_t>(i - 1)] * v[static_cast<std::size_t>(j - 1)] +
               (i == j ? c : 0.0f);
    });
}

/// v·vT, the tensor of a linear selection: the eigenvalue 0 N - 1 times.
Matrix rankOne(Random& random, int32_t n) {
    std::vector<float> v(static_cast<std::size_t>(n));
    for (float& x : v) x = 4.0f * random.uniform();
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        return v[static_cast<std::size_t>(i - 1)] * v[static_cast<std::size_t>(j - 1)];
    });
}

/// Pairs of equal diagonal elements, some coupled by 2^-10 to 2^-24.
Matrix repeatedDiagonalTinyCoupling(Random& random, int32_t n) {
    std::vector<float> d(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < d.size(); ++i) {
        d[i] = i % 2 == 1 ? d[i - 1] : static_cast<float>(random.between(-4, 4));
    }
    std::vector<float> coupling(static_cast<std::size_t>(n), 0.0f);
    for (float& c : coupling) {
        if (random.between(0, 2) == 0) c = std::ldexp(1.0f, -random.between(10, 24));
    }
    return test::symmetricRows(n, [&](int32_t i, int32_t j) {
        if (i == j) return d[static_cast<std::size_t>(i - 1)];
        return i == j + 1 ? coupling[static_cast<std::size_t>(j - 1)] : 0.0f;
    });
}

struct Family {
    const char* name;
    int32_t count;
    std::function<Matrix(Random&, int32_t)> make;
};

double frobenius(const Matrix& rows) {
    double s = 0.0;
    for (float x : rows) s += double(x) * x;
    return std::sqrt(s);
}

/// ||A·v - lambda·v|| / ||v||, in double.
double relativeResidual(const Matrix& rows, int32_t n, float lambda, const std::vector<float>& v) {
    double s = 0.0;
    for (int32_t i = 0; i < n; ++i) {
        double r = -double(lambda) * v[static_cast<std::size_t>(i)];
        for (int32_t j = 0; j < n; ++j) {
            r += double(rows[static_cast<std::size_t>(i * n + j)]) * v[static_cast<std::size_t>(j)];
        }
        s += r * r;
    }
    return std::sqrt(s) / test::length(v);
}

/// What a call promises for every matrix: finite, ordered eigenvalues; finite vectors, of unit
/// length (NV > 0) or with a largest component of 1 (NV < 0).
void checkFiniteAndOrdered(EigrsCall& call, double norm, const std::string& what) {
    const int32_t values = std::abs(call.NE);
    for (int32_t k = 1; k <= values; ++k) ASSERT_TRUE(std::isfinite(call.e(k))) << what;
    // neighbours keep their order to within the bisection tolerance
    for (int32_t k = 1; k < values; ++k) {
        const double step = call.NE > 0 ? call.e(k) - call.e(k + 1) : call.e(k + 1) - call.e(k);
        EXPECT_GE(step, -1e-5 * norm) << what << ", E(" << k << ")";
    }
    for (int32_t j = 1; j <= std::abs(call.NV); ++j) {
        const std::vector<float> v = call.vector(j);
        float largest = 0.0f;
        for (float x : v) {
            ASSERT_TRUE(std::isfinite(x)) << what << ", column " << j;
            largest = std::max(largest, std::fabs(x));
        }
        if (call.NV < 0) {
            EXPECT_NEAR(largest, 1.0, 2.5e-7) << what << ", column " << j;
        }
    }
}

/// The full promise, for matrices whose repeated eigenvalues (if any) are exact and decoupled:
/// residual, unit length, orthogonality.
void checkEigenpairs(EigrsCall& call, const Matrix& rows, const std::string& what) {
    const double norm = frobenius(rows);
    checkFiniteAndOrdered(call, norm, what);
    const int32_t vectors = std::abs(call.NV);
    for (int32_t j = 1; j <= vectors; ++j) {
        const std::vector<float> v = call.vector(j);
        EXPECT_LE(relativeResidual(rows, call.N, call.e(j), v), 1e-4 * norm)
            << what << ", column " << j;
        if (call.NV > 0) {
            EXPECT_NEAR(test::length(v), 1.0, 1e-5) << what << ", column " << j;
        }
    }
    if (call.NV < 0) return;

    // eigenvalues closer than 1e-6·B (B >= the largest magnitude) share a run: re-orthogonalised
    const double magnitude = std::max(std::fabs(call.e(1)), std::fabs(call.e(std::abs(call.NE))));
    for (int32_t j = 1; j <= vectors; ++j) {
        bool sameRun = true;
        for (int32_t l = j + 1; l <= vectors; ++l) {
            sameRun = sameRun && std::fabs(call.e(l) - call.e(l - 1)) < 0.5e-6 * magnitude;
            const double overlap = std::fabs(test::dot(call.vector(j), call.vector(l)));
            if (sameRun) {
                EXPECT_LE(overlap, 1e-4) << what << ", columns " << j << " and " << l;
            } else if (std::fabs(call.e(j) - call.e(l)) > 1e-3 * norm) {
                EXPECT_LE(overlap, 1e-3) << what << ", columns " << j << " and " << l;
            }
        }
    }
}

/// For matrices with eigenvalues repeated only up to rounding, or repeated in coupled and
/// uncoupled parts at once: inverse iteration from one shift can give the later vectors of a
/// run nearly the direction of the first, and one Gram-Schmidt pass then leaves rounding noise
/// (or nothing) to be scaled. What still holds: no NaN, order, and residual and unit length of
/// every vector whose eigenvalue surely starts a run.
void checkDegenerate(EigrsCall& call, const Matrix& rows, const std::string& what) {
    const double norm = frobenius(rows);
    checkFiniteAndOrdered(call, norm, what);
    for (int32_t j = 1; j <= std::abs(call.NV); ++j) {
        const bool startsRun = j == 1 || std::fabs(call.e(j) - call.e(j - 1)) > 1e-5 * norm;
        if (!startsRun) continue;
        const std::vector<float> v = call.vector(j);
        EXPECT_LE(relativeResidual(rows, call.N, call.e(j), v), 1e-4 * norm)
            << what << ", column " << j;
        if (call.NV > 0) {
            EXPECT_NEAR(test::length(v), 1.0, 1e-5) << what << ", column " << j;
        }
    }
}

using Check = void (*)(EigrsCall&, const Matrix&, const std::string&);

/// Two calls per matrix: every eigenvalue with unit vectors, largest first; then some of the
/// smallest with vectors scaled to a largest component of 1, in a wider leading dimension.
void checkFamilies(const std::vector<Family>& families, uint32_t seed, Check check) {
    Random random(seed);
    for (const Family& family : families) {
        for (int32_t m = 0; m < family.count; ++m) {
            const int32_t n = random.between(3, 60);
            const Matrix rows = family.make(random, n);
            const std::string what = std::string(family.name) + " #" + std::to_string(m) +
                                     " of order " + std::to_string(n);

            EigrsCall all(n, n, rows, n, n, m % 2 == 0 ? 1.0E-6f : 1.0E-8f);
            all.run();
            check(all, rows, what + ", all");

            const int32_t values = random.between(1, n);
            EigrsCall some(n, n + 1, rows, -values, -random.between(0, values), -1.0f);
            some.run();
            check(some, rows, what + ", smallest " + std::to_string(values));
        }
    }
}

TEST(EigrsProperties, DistinctOrExactlyRepeatedEigenvalues) {
    checkFamilies(
        {
            {"dense", 160, dense},
            {"diagonal with repeats", 40, diagonalWithRepeats},
            {"block copies", 60, blockCopies},
        },
        20240611u, checkEigenpairs);
}

TEST(EigrsProperties, EigenvaluesRepeatedUpToRounding) {
    checkFamilies(
        {
            {"clustered spectrum", 40, clusteredSpectrum},
            {"identity plus rank one", 40, identityPlusRankOne},
            {"rank one", 40, rankOne},
            {"repeated diagonal, tiny coupling", 40, repeatedDiagonalTinyCoupling},
        },
        20240612u, checkDegenerate);
}

}  // namespace
}  // namespace molframe
