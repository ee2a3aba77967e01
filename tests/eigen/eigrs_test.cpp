// EIGRS as its callers see it: argument tests and console diagnostics, order 1, the worked
// examples, the storage it may and may not touch, and input that is not finite.
#include "eigen/eigrs.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "eigen_support.hpp"

namespace molframe {
namespace {

using test::bits;
using test::EigrsCall;
using test::kFlagMarker;
using test::kMarker;

const std::string kZeroNE =
    "0(SUBR. EIGRS) NE=    0, NE SHOULD BE NON-ZERO. RETURN WITH NO CALCULATION.\n";
const std::string kInequalities =
    " NV, NE, N, N1 SHOULD SATISFY THE FOLLOWING INEQUALITIES, !NV! <= !NE! <= N <= N1.\n"
    " RETURN WITH NO CALCULATION.\n";

std::string captureRun(EigrsCall& call) {
    testing::internal::CaptureStdout();
    call.run();
    return testing::internal::GetCapturedStdout();
}

const std::vector<float> kWorked{4, 1, 2, 1, 3, 0.5f, 2, 0.5f, 1};

TEST(EigrsArguments, RejectedCallsWriteTheDiagnosticAndTouchNothing) {
    const struct {
        const char* what;
        int32_t N, N1, NE, NV;
        std::string output;
    } rows[] = {
        {"NE zero, sizes not tested", 5, 3, 0, 1, kZeroNE},
        {"more vectors than values", 3, 3, 3, 4,
         "0(SUBR. EIGRS) NV=    4, NE=    3, N=    3, N1=    3,\n" + kInequalities},
        {"NE too wide for I5", 3, 3, -10000, 1,
         "0(SUBR. EIGRS) NV=    1, NE=*****, N=    3, N1=    3,\n" + kInequalities},
        {"more values than the order", 3, 3, -4, -2,
         "0(SUBR. EIGRS) NV=   -2, NE=   -4, N=    3, N1=    3,\n" + kInequalities},
        {"order beyond the leading dimension", 4, 3, 3, 3,
         "0(SUBR. EIGRS) NV=    3, NE=    3, N=    4, N1=    3,\n" + kInequalities},
        {"order zero", 0, 3, 1, 0,
         "0(SUBR. EIGRS) NV=    0, NE=    1, N=    0, N1=    3,\n" + kInequalities},
        {"most negative NE", 3, 3, std::numeric_limits<int32_t>::min(), 0,
         "0(SUBR. EIGRS) NV=    0, NE=*****, N=    3, N1=    3,\n" + kInequalities},
        {"most negative NV", 3, 3, 3, std::numeric_limits<int32_t>::min(),
         "0(SUBR. EIGRS) NV=*****, NE=    3, N=    3, N1=    3,\n" + kInequalities},
    };
    for (const auto& row : rows) {
        EigrsCall call(row.N, row.N1, row.N == 3 ? kWorked : std::vector<float>{}, row.NE, row.NV,
                       -1.0f);
        const EigrsCall before = call;
        EXPECT_EQ(captureRun(call), row.output) << row.what;
        EXPECT_EQ(call.EPS, -1.0f) << row.what;
        EXPECT_EQ(call.A, before.A) << row.what;
        EXPECT_EQ(call.WK, before.WK) << row.what;
        EXPECT_EQ(call.IW, before.IW) << row.what;
        EXPECT_EQ(call.V, before.V) << row.what;
        EXPECT_EQ(call.e(1), row.NE == 0 ? kMarker : 0.0f) << row.what;
        for (std::size_t k = 1; k < call.E.size(); ++k) EXPECT_EQ(call.E[k], kMarker) << row.what;
    }
}

TEST(EigrsArguments, AcceptedCallsWriteNothingToTheConsole) {
    const struct {
        int32_t N, N1, NE, NV;
    } rows[] = {{3, 3, -3, 2}, {3, 10, 3, 3}, {3, 3, 1, -1}, {1, 1, -1, 1}, {2, 2, 2, 0}};
    for (const auto& row : rows) {
        EigrsCall call(
            row.N, row.N1,
            test::symmetricRows(row.N, [](int32_t i, int32_t j) { return float(i + 2 * j); }),
            row.NE, row.NV, 1.0E-8f);
        EXPECT_EQ(captureRun(call), "") << "N " << row.N << ", NE " << row.NE;
        EXPECT_NE(call.e(1), kMarker);
    }
}

TEST(EigrsArguments, NegativeEpsBecomesTheDefaultForEveryOrder) {
    const struct {
        float in;
        float out;
    } tolerances[] = {{-1.0f, 1.0E-6f}, {-0.0f, -0.0f}, {0.0f, 0.0f}, {1.0E-8f, 1.0E-8f}};
    for (int32_t n = 1; n <= 4; ++n) {
        for (const auto& eps : tolerances) {
            EigrsCall call(
                n, n, test::symmetricRows(n, [](int32_t i, int32_t j) { return float(i * j); }), n,
                0, eps.in);
            call.run();
            EXPECT_EQ(bits(call.EPS), bits(eps.out)) << "order " << n << ", EPS " << eps.in;
        }
    }
}

TEST(EigrsOrderOne, CopiesTheElement) {
    const struct {
        float a11;
        int32_t NE, NV;
        float v11;
    } rows[] = {{-2.5f, 1, -1, 1.0f}, {-2.5f, -1, 1, 1.0f}, {4.0f, 1, 0, kMarker}};
    for (const auto& row : rows) {
        EigrsCall call(1, 1, {row.a11}, row.NE, row.NV, -1.0f);
        call.run();
        EXPECT_EQ(call.e(1), row.a11);
        EXPECT_EQ(call.v(1, 1), row.v11);
        EXPECT_EQ(call.EPS, 1.0E-6f);
    }
}

struct ExactCase {
    const char* what;
    int32_t N;
    std::vector<float> rows;
    int32_t NE, NV;
    std::vector<float> values;
    std::vector<float> vectors;  // column by column, N rows each
};

TEST(EigrsExamples, ExactResults) {
    const std::vector<float> diagonal{3, 0, 0, 0, 1, 0, 0, 0, 2};
    const std::vector<float> ones{2, 1, 1, 1, 2, 1, 1, 1, 2};
    const std::vector<float> zero(9, 0.0f);
    const ExactCase rows[] = {
        {"diagonal 3, 1, 2, largest first",
         3,
         diagonal,
         3,
         3,
         {3, 2, 1},
         {1, 0, 0, 0, 0, 1, 0, 1, 0}},
        {"diagonal 3, 1, 2, smallest first",
         3,
         diagonal,
         -3,
         -3,
         {1, 2, 3},
         {0, 1, 0, 0, 0, 1, 1, 0, 0}},
        {"eigenvalue 1 twice", 3, ones, 3, 0, {4, 1, 1}, {}},
        {"zero matrix, largest first", 3, zero, 3, 0, {0, 0, 0}, {}},
        {"zero matrix, smallest first", 3, zero, -3, 0, {0, 0, 0}, {}},
        {"one value of three", 3, kWorked, 1, 1, {5.5f}, {}},
        {"order 4, d = 2, 2, 1, 1",
         4,
         {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
         4,
         0,
         {2, 2, 1, 1},
         {}},
    };
    for (const auto& row : rows) {
        EigrsCall call(row.N, row.N, row.rows, row.NE, row.NV, 1.0E-8f);
        call.run();
        for (std::size_t k = 0; k < row.values.size(); ++k) {
            EXPECT_EQ(call.E[k], row.values[k]) << row.what << ", E(" << k + 1 << ")";
        }
        EXPECT_EQ(call.E[row.values.size()], kMarker) << row.what;
        for (std::size_t k = 0; k < row.vectors.size(); ++k) {
            EXPECT_EQ(call.V[k], row.vectors[k]) << row.what << ", V element " << k;
        }
        if (row.NE == -3 && row.NV == 0) {
            for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(bits(call.E[k]), 0u) << row.what;
        }
    }
}

TEST(EigrsExamples, WorkedExampleValues) {
    for (const float eps : {1.0E-8f, 0.0f}) {
        EigrsCall call(3, 3, kWorked, 3, 3, eps);
        call.run();
        EXPECT_EQ(call.e(1), 5.5f);
        EXPECT_EQ(call.e(2), 2.5f);
        // the eigenvalue 0 comes out a small positive number, within delta = EPS·B
        EXPECT_GT(call.e(3), 0.0f) << "EPS " << eps;
        EXPECT_LT(call.e(3), 1.0E-7f) << "EPS " << eps;
    }
}

/// |actual - expected| within `ulps` units in the last place of expected (absolute 1e-7 at 0).
void expectWithinUlps(const std::vector<float>& actual, const std::vector<float>& expected,
                      int32_t ulps, const std::string& what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const float magnitude = std::fabs(expected[i]);
        const float ulp =
            magnitude == 0.0f ? 1.0E-7f : std::nextafter(magnitude, 1.0E30f) - magnitude;
        EXPECT_NEAR(actual[i], expected[i], ulps * ulp) << what << ", element " << i + 1;
    }
}

TEST(EigrsExamples, WorkedExampleVectors) {
    const struct {
        int32_t NV;
        std::vector<std::vector<float>> columns;
    } rows[] = {
        {3,
         {{0.8164966f, 0.4082483f, 0.4082483f},
          {-0.3651484f, 0.9128709f, -0.1825742f},
          {-0.4472136f, 0.0f, 0.8944272f}}},
        {-3, {{1.0f, 0.5f, 0.5f}, {-0.4f, 1.0f, -0.2f}, {-0.5f, 0.0f, 1.0f}}},
    };
    for (const auto& row : rows) {
        EigrsCall call(3, 3, kWorked, 3, row.NV, 1.0E-8f);
        call.run();
        for (int32_t j = 1; j <= 3; ++j) {
            expectWithinUlps(call.vector(j), row.columns[static_cast<std::size_t>(j - 1)], 4,
                             "NV " + std::to_string(row.NV) + ", column " + std::to_string(j));
        }
    }
}

TEST(EigrsExamples, DiagonalWithAZeroEigenvalue) {
    EigrsCall call(3, 3, {2, 0, 0, 0, 8, 0, 0, 0, 0}, 3, 3, 1.0E-8f);
    call.run();
    EXPECT_EQ(call.vector(1), (std::vector<float>{0, 1, 0}));
    EXPECT_EQ(call.vector(2), (std::vector<float>{1, 0, 0}));
    EXPECT_NEAR(call.v(1, 3), 0.0, 1e-15);
    EXPECT_NEAR(call.v(2, 3), 0.0, 1e-15);
    EXPECT_EQ(call.v(3, 3), 1.0f);
}

TEST(EigrsExamples, ZeroMatrixVectorsAllStartFromOnes) {
    for (const int32_t NE : {3, -3}) {
        EigrsCall call(3, 3, std::vector<float>(9, 0.0f), NE, 3, 1.0E-8f);
        call.run();
        for (int32_t j = 1; j <= 3; ++j) {
            expectWithinUlps(call.vector(j), {0.5773503f, 0.5773503f, 0.5773503f}, 2,
                             "column " + std::to_string(j));
        }
    }
}

TEST(EigrsExamples, OrderTwo) {
    const float root5 = std::sqrt(5.0f);
    const struct {
        std::vector<float> rows;
        int32_t NE;
        std::vector<float> values;
    } rows[] = {
        {{2, 1, 1, 3}, 2, {3.618034f, 1.381966f}},
        {{2, 1, 1, 3}, -2, {1.381966f, 3.618034f}},
        {{2, 1, 1, -2}, -2, {root5, -root5}},
    };
    for (const auto& row : rows) {
        EigrsCall call(2, 2, row.rows, row.NE, 2, 1.0E-8f);
        call.run();
        expectWithinUlps({call.e(1), call.e(2)}, row.values, 2, "NE " + std::to_string(row.NE));
        for (int32_t j = 1; j <= 2; ++j) {
            // the vector belongs to its value, and NV > 0 gives it unit length
            const float x = call.v(1, j);
            const float y = call.v(2, j);
            const float lambda = call.e(j);
            EXPECT_NEAR(row.rows[0] * x + row.rows[1] * y, lambda * x, 1e-6);
            EXPECT_NEAR(row.rows[2] * x + row.rows[3] * y, lambda * y, 1e-6);
            EXPECT_NEAR(x * x + y * y, 1.0, 1e-6);
        }
    }
}

TEST(EigrsExamples, OrderTwoWithEqualEigenvalues) {
    // the zero matrix, and two eigenvalues equal but for rounding: numbers, never NaN
    const std::vector<float> matrices[] = {{0, 0, 0, 0}, {1.0f + 0x1p-23f, 0, 0, 1}, {3, 0, 0, 3}};
    for (const auto& rows : matrices) {
        for (const int32_t NV : {2, -2}) {
            EigrsCall call(2, 2, rows, 2, NV, 1.0E-8f);
            call.run();
            EXPECT_NEAR(call.e(1), rows[0], 1e-6);
            EXPECT_NEAR(call.e(2), rows[3], 1e-6);
            for (int32_t j = 1; j <= 2; ++j) {
                EXPECT_TRUE(std::isfinite(call.v(1, j)) && std::isfinite(call.v(2, j)));
                const double size = test::length(call.vector(j));
                if (NV > 0) {
                    EXPECT_NEAR(size, 1.0, 1e-6);
                }
            }
        }
    }
}

TEST(EigrsExamples, RepeatedDiagonalOfOrderFour) {
    EigrsCall call(4, 4, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 4, 4, 1.0E-8f);
    call.run();
    const float h = 0.7071068f;
    expectWithinUlps(call.vector(1), {h, h, 0, 0}, 2, "column 1");
    expectWithinUlps(call.vector(3), {0, 0, h, h}, 2, "column 3");
    // columns 2 and 4 start from generator draws and are re-orthogonalised against 1 and 3
    const std::vector<float> second = call.vector(2);
    const std::vector<float> fourth = call.vector(4);
    const std::vector<float> expected[] = {{h, -h, 0, 0}, {0, 0, -h, h}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(second[i], expected[0][i], 2e-5);
        EXPECT_NEAR(fourth[i], expected[1][i], 2e-5);
    }
    EXPECT_NEAR(test::dot(second, call.vector(1)), 0.0, 1e-5);
    EXPECT_NEAR(test::dot(fourth, call.vector(3)), 0.0, 1e-5);
    EXPECT_NEAR(test::length(second), 1.0, 1e-6);
    EXPECT_NEAR(test::length(fourth), 1.0, 1e-6);

    // the generator starts afresh on every call: equal calls, equal results
    EigrsCall again(4, 4, {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, 4, 4, 1.0E-8f);
    again.run();
    EXPECT_EQ(again.V, call.V);
}

TEST(EigrsExamples, VectorsOfMultipleEigenvaluesComeBackAsUnitVectors) {
    // a solved vector near the single-precision limit used to overflow on its way back
    const float c = 0x1p-14f;
    for (const int32_t NV : {3, -3}) {
        EigrsCall call(3, 3, {1, c, 0, c, 1, 0, 0, 0, 2}, 3, NV, 1.0E-8f);
        call.run();
        EXPECT_EQ(call.e(1), 2.0f);
        EXPECT_NEAR(call.e(2), 1.0 + c, 1e-7);
        EXPECT_NEAR(call.e(3), 1.0 - c, 1e-7);
        const float s = NV > 0 ? 0.7071068f : 1.0f;
        const std::vector<float> expected[] = {{0, 0, 1}, {s, s, 0}, {s, -s, 0}};
        for (int32_t j = 1; j <= 3; ++j) {
            const std::vector<float> v = call.vector(j);
            for (std::size_t i = 0; i < 3; ++i) {
                EXPECT_NEAR(v[i], expected[j - 1][i], 1e-6) << "NV " << NV << ", column " << j;
            }
        }
    }
}

TEST(EigrsExamples, CouplingBelowTheReflectionRange) {
    // a coupling of 1e-20 has no reflection in single precision; it is dropped, not spread as NaN
    EigrsCall call(3, 3, {2, 1.0E-20f, 0, 1.0E-20f, 2, 0, 0, 0, 2}, 3, 3, 1.0E-8f);
    call.run();
    EXPECT_EQ(call.E, (std::vector<float>{2, 2, 2, kMarker}));
    for (int32_t j = 1; j <= 3; ++j) {
        EXPECT_NEAR(test::length(call.vector(j)), 1.0, 1e-6) << "column " << j;
        for (int32_t l = 1; l < j; ++l) {
            EXPECT_NEAR(test::dot(call.vector(j), call.vector(l)), 0.0, 1e-5) << j << "," << l;
        }
    }
}

TEST(EigrsStorage, PartialRequestsWriteOnlyWhatIsAskedFor) {
    EigrsCall full(3, 3, kWorked, 3, 3, 1.0E-8f);
    full.run();
    const struct { int32_t NE, NV; } rows[] = {{1, 1}, {1, 0}, {3, 1}, {2, -1}};
    for (const auto& row : rows) {
        EigrsCall call(3, 3, kWorked, row.NE, row.NV, 1.0E-8f);
        call.run();
        EXPECT_EQ(call.e(1), full.e(1));
        for (std::size_t k = static_cast<std::size_t>(row.NE); k < call.E.size(); ++k) {
            EXPECT_EQ(call.E[k], kMarker) << "NE " << row.NE << ", E(" << k + 1 << ")";
        }
        for (int32_t j = std::abs(row.NV) + 1; j <= 3; ++j) {
            EXPECT_EQ(call.vector(j), std::vector<float>(3, kMarker)) << "NV " << row.NV;
        }
        if (row.NV > 0) {
            EXPECT_EQ(call.vector(1), full.vector(1)) << "NE " << row.NE;
        }
    }
}

TEST(EigrsStorage, RowsBeyondTheOrderAreNotTouched) {
    EigrsCall tight(3, 3, kWorked, 3, 3, 1.0E-8f);
    tight.run();
    EigrsCall loose(3, 10, kWorked, 3, 3, 1.0E-8f);
    loose.run();
    EXPECT_EQ(loose.E, tight.E);
    for (int32_t j = 1; j <= 3; ++j) {
        EXPECT_EQ(loose.vector(j), tight.vector(j));
        for (int32_t i = 4; i <= 10; ++i) {
            EXPECT_EQ(loose.a(i, j), kMarker) << "A row " << i;
            EXPECT_EQ(loose.v(i, j), kMarker) << "V row " << i;
        }
    }
    for (int32_t j = 1; j <= 6; ++j) {
        for (int32_t i = 4; i <= 10; ++i) {
            EXPECT_EQ(loose.WK[static_cast<std::size_t>((i - 1) + 10 * (j - 1))], kMarker)
                << "WK row " << i << ", column " << j;
        }
    }
    EXPECT_EQ(loose.IW[3], kFlagMarker);
}

TEST(EigrsStorage, ValuesAboveTheDiagonalChangeNothing) {
    const float junk[] = {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity(), 1.0E30f, -3.0f};
    for (int32_t n = 2; n <= 6; ++n) {
        const std::vector<float> rows = test::symmetricRows(n, [](int32_t i, int32_t j) {
            return static_cast<float>(std::cos(0.9 * i * j + i)) + (i == j ? 1.5f : 0.0f);
        });
        std::vector<float> junkRows = rows;
        for (int32_t i = 1; i <= n; ++i) {
            for (int32_t j = i + 1; j <= n; ++j) {
                junkRows[static_cast<std::size_t>((i - 1) * n + j - 1)] = junk[(i + j) % 4];
            }
        }
        for (const int32_t NV : {n, -n}) {
            EigrsCall clean(n, n, rows, -n, NV, 1.0E-8f);
            clean.run();
            EigrsCall dirty(n, n, junkRows, -n, NV, 1.0E-8f);
            const EigrsCall before = dirty;
            dirty.run();
            EXPECT_EQ(dirty.E, clean.E) << "order " << n;
            EXPECT_EQ(dirty.V, clean.V) << "order " << n;
            for (int32_t i = 1; i <= n; ++i) {
                for (int32_t j = i + 1; j <= n; ++j) {
                    EXPECT_EQ(bits(dirty.a(i, j)),
                              bits(before.A[static_cast<std::size_t>((i - 1) + n * (j - 1))]));
                }
            }
        }
    }
}

TEST(EigrsNotFinite, EveryResultAskedForIsTheQuietNaN) {
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        int32_t N, i, j;
        float value;
        int32_t NE, NV;
    } rows[] = {
        {3, 2, 1, std::numeric_limits<float>::quiet_NaN(), 3, 3},
        {3, 3, 3, inf, -2, -1},
        {2, 2, 1, -inf, 2, 2},
        {2, 1, 1, std::numeric_limits<float>::signaling_NaN(), -1, 0},
        {5, 4, 2, inf, 4, 3},
    };
    for (const auto& row : rows) {
        std::vector<float> matrix(static_cast<std::size_t>(row.N * row.N), 1.0f);
        matrix[static_cast<std::size_t>((row.i - 1) * row.N + row.j - 1)] = row.value;
        EigrsCall call(row.N, row.N + 2, matrix, row.NE, row.NV, 1.0E-8f);
        const EigrsCall before = call;
        call.run();
        for (int32_t k = 1; k <= std::abs(row.NE); ++k) EXPECT_EQ(bits(call.e(k)), 0x7FC00000u);
        for (std::size_t k = static_cast<std::size_t>(std::abs(row.NE)); k < call.E.size(); ++k) {
            EXPECT_EQ(call.E[k], kMarker);
        }
        for (int32_t j = 1; j <= std::abs(row.NV) + 1; ++j) {
            for (int32_t i = 1; i <= row.N + 2; ++i) {
                const bool asked = j <= std::abs(row.NV) && i <= row.N;
                EXPECT_EQ(bits(call.v(i, j)), asked ? 0x7FC00000u : bits(kMarker))
                    << "order " << row.N << ", V(" << i << "," << j << ")";
            }
        }
        EXPECT_TRUE(test::sameBits(call.A, before.A)) << "order " << row.N;
        EXPECT_EQ(call.WK, before.WK) << "order " << row.N;
    }
}

TEST(EigrsNotFinite, OrderOneCopiesTheElementAsItIs) {
    const float values[] = {std::bit_cast<float>(0x7FC01234u),
                            -std::numeric_limits<float>::infinity()};
    for (const float value : values) {
        EigrsCall call(1, 1, {value}, 1, 1, 1.0E-8f);
        call.run();
        EXPECT_EQ(bits(call.e(1)), bits(value));
        EXPECT_EQ(call.v(1, 1), 1.0f);
    }
}

}  // namespace
}  // namespace molframe
