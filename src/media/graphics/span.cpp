// SPDX-License-Identifier: GPL-3.0-or-later
// The span loops are the renderer's innermost work; let GCC vectorise them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("O3")
#endif

#include "media/graphics/span.h"

#include <cstring>

namespace media_detail {

namespace {

void CopyKeyed(uint32_t* __restrict dst, const uint32_t* __restrict src, int n, uint32_t key) {
    for (int i = 0; i < n; ++i) {
        const uint32_t s = src[i];
        dst[i] = s == key ? dst[i] : s;
    }
}

void MixConstant(uint32_t* __restrict dst, const uint32_t* __restrict src, int n, uint32_t k) {
    for (int i = 0; i < n; ++i) dst[i] = Mix(src[i], dst[i], k);
}

void MixConstantKeyed(uint32_t* __restrict dst, const uint32_t* __restrict src, int n, uint32_t k,
                      uint32_t key) {
    for (int i = 0; i < n; ++i) {
        const uint32_t s = src[i];
        const uint32_t m = Mix(s, dst[i], k);
        dst[i] = s == key ? dst[i] : m;
    }
}

}  // namespace

void CombineSpanReference(uint32_t* dst, const uint32_t* src, const uint8_t* alpha, int n,
                          const PixelOp& op) {
    for (int i = 0; i < n; ++i) PlotPixel(dst[i], src[i], alpha ? alpha[i] : 255u, op);
}

void CombineSpan(uint32_t* dst, const uint32_t* src, const uint8_t* alpha, int n, const PixelOp& op) {
    if (n <= 0 || op.weight == 0) return;
    if (op.useAlpha || op.Tinted() || dst == src) {
        CombineSpanReference(dst, src, alpha, n, op);
        return;
    }
    if (op.weight == 255) {
        if (op.skipKey)
            CopyKeyed(dst, src, n, op.key);
        else
            std::memcpy(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
        return;
    }
    if (op.skipKey)
        MixConstantKeyed(dst, src, n, op.weight, op.key);
    else
        MixConstant(dst, src, n, op.weight);
}

}  // namespace media_detail
