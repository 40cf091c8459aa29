#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <new>
#include <vector>

#include "acutads.h"
#include "ut_rbheap.h"

namespace {

struct CodeRange {
    int first;
    int last;
    AcRbValueKind kind;
};

// How each type code carries its value: the DXF group-code ranges and the RT codes.
constexpr CodeRange kCodeKinds[] = {
    {-5, -5, AcRbValueKind::kName},    // -5 reactors
    {-4, -4, AcRbValueKind::kString},  // -4 conditional filter operator ("<OR" ...)
    {-3, -3, AcRbValueKind::kNone},    // -3 extended-data marker: no value
    {-2, -1, AcRbValueKind::kName},    // -1 entity name, -2 reference
    {0, 9, AcRbValueKind::kString},
    {10, 18, AcRbValueKind::kPoint},
    {38, 59, AcRbValueKind::kReal},
    {60, 79, AcRbValueKind::kInt16},
    {90, 99, AcRbValueKind::kInt32},
    {100, 102, AcRbValueKind::kString},
    {105, 105, AcRbValueKind::kString},
    {110, 112, AcRbValueKind::kPoint},
    {113, 149, AcRbValueKind::kReal},
    {160, 169, AcRbValueKind::kInt64},
    {170, 179, AcRbValueKind::kInt16},
    {210, 210, AcRbValueKind::kPoint},
    {211, 239, AcRbValueKind::kReal},
    {270, 289, AcRbValueKind::kInt16},
    {290, 299, AcRbValueKind::kBool},
    {300, 309, AcRbValueKind::kString},
    {310, 319, AcRbValueKind::kBinary},
    {320, 369, AcRbValueKind::kName},
    {370, 389, AcRbValueKind::kInt16},
    {390, 399, AcRbValueKind::kName},
    {400, 409, AcRbValueKind::kInt16},
    {410, 419, AcRbValueKind::kString},
    {420, 429, AcRbValueKind::kInt32},
    {430, 439, AcRbValueKind::kString},
    {440, 459, AcRbValueKind::kInt32},
    {460, 469, AcRbValueKind::kReal},
    {470, 479, AcRbValueKind::kString},
    {480, 481, AcRbValueKind::kName},
    {999, 1003, AcRbValueKind::kString},
    {1004, 1004, AcRbValueKind::kBinary},
    {1005, 1009, AcRbValueKind::kString},
    {1010, 1013, AcRbValueKind::kPoint},
    {1014, 1059, AcRbValueKind::kReal},
    {1060, 1070, AcRbValueKind::kInt16},
    {1071, 1071, AcRbValueKind::kInt32},
    {RTNONE, RTNONE, AcRbValueKind::kNone},
    {RTREAL, RTREAL, AcRbValueKind::kReal},
    {RTPOINT, RTPOINT, AcRbValueKind::kPoint},
    {RTSHORT, RTSHORT, AcRbValueKind::kInt16},
    {RTANG, RTANG, AcRbValueKind::kReal},
    {RTSTR, RTSTR, AcRbValueKind::kString},
    {RTENAME, RTPICKS, AcRbValueKind::kName},
    {RTORINT, RTORINT, AcRbValueKind::kReal},
    {RT3DPOINT, RT3DPOINT, AcRbValueKind::kPoint},
    {RTLONG, RTLONG, AcRbValueKind::kInt32},
    {RTDXF0, RTDXF0, AcRbValueKind::kString},
    {RTINT64, RTINT64, AcRbValueKind::kInt64},
};

ACHAR* copyString(const ACHAR* source) {
    if (source == nullptr) source = L"";
    size_t n = std::wcslen(source);
    auto* dest = static_cast<ACHAR*>(rbAllocate((n + 1) * sizeof(ACHAR)));
    std::wmemcpy(dest, source, n + 1);
    return dest;
}

void freeValue(resbuf* rb) {
    switch (acutRbValueKind(rb->restype)) {
        case AcRbValueKind::kString:
            rbFree(rb->resval.rstring);
            rb->resval.rstring = nullptr;
            break;
        case AcRbValueKind::kBinary:
            delete[] rb->resval.rbinary.buf;
            rb->resval.rbinary.buf = nullptr;
            break;
        default:
            break;
    }
}

// Takes one value of the buffer's type from the argument list.
bool takeValue(resbuf* rb, va_list& args) {
    switch (acutRbValueKind(rb->restype)) {
        case AcRbValueKind::kString:
            rb->resval.rstring = copyString(va_arg(args, const ACHAR*));
            return true;
        case AcRbValueKind::kReal:
            rb->resval.rreal = va_arg(args, double);
            return true;
        case AcRbValueKind::kInt16:
            rb->resval.rint = static_cast<short>(va_arg(args, int));
            return true;
        case AcRbValueKind::kBool:
            rb->resval.rint = static_cast<short>(va_arg(args, int) != 0);
            return true;
        case AcRbValueKind::kInt32:
            rb->resval.rlong = va_arg(args, int);
            return true;
        case AcRbValueKind::kInt64:
            rb->resval.mnInt64 = va_arg(args, Adesk::Int64);
            return true;
        case AcRbValueKind::kPoint: {
            const ads_real* p = va_arg(args, const ads_real*);
            for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p != nullptr ? p[i] : 0.0;
            if (rb->restype == RTPOINT) rb->resval.rpoint[2] = 0.0;
            return true;
        }
        case AcRbValueKind::kName: {
            const Adesk::LongPtr* name = va_arg(args, const Adesk::LongPtr*);
            rb->resval.rlname[0] = name != nullptr ? name[0] : 0;
            rb->resval.rlname[1] = name != nullptr ? name[1] : 0;
            return true;
        }
        case AcRbValueKind::kBinary:
            return false;
        case AcRbValueKind::kNone:
            return true;
    }
    return false;
}

}  // namespace

AcRbValueKind acutRbValueKind(int restype) {
    // Every buffer made, copied and freed asks for its kind: the ranges are
    // spread once into a table over all 16-bit type codes (the first range
    // holding a code decides, so they are spread last to first).
    static const std::vector<AcRbValueKind> kinds = [] {
        std::vector<AcRbValueKind> table(1u << 16, AcRbValueKind::kNone);
        for (auto range = std::rbegin(kCodeKinds); range != std::rend(kCodeKinds); ++range)
            for (int code = std::max(range->first, INT16_MIN);
                 code <= std::min(range->last, INT16_MAX); ++code)
                table[static_cast<size_t>(code - INT16_MIN)] = range->kind;
        return table;
    }();
    if (restype < INT16_MIN || restype > INT16_MAX) return AcRbValueKind::kNone;
    return kinds[static_cast<size_t>(restype - INT16_MIN)];
}

struct resbuf* acutNewRb(int type) {
    resbuf* rb = new (rbAllocate(sizeof(resbuf))) resbuf{};
    rb->restype = static_cast<short>(type);
    return rb;
}

int acutRelRb(struct resbuf* rb) {
    while (rb != nullptr) {
        resbuf* next = rb->rbnext;
        freeValue(rb);
        rbFree(rb);
        rb = next;
    }
    return RTNORM;
}

struct resbuf* acutBuildList(int rtype, ...) {
    va_list args;
    va_start(args, rtype);
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (int type = rtype; type != 0; type = va_arg(args, int)) {
        resbuf* rb = acutNewRb(type);
        if (!takeValue(rb, args)) {
            acutRelRb(rb);
            acutRelRb(head);
            head = nullptr;
            break;
        }
        (head == nullptr ? head : tail->rbnext) = rb;
        tail = rb;
    }
    va_end(args);
    return head;
}

int acutNewString(const ACHAR* source, ACHAR*& dest) {
    dest = copyString(source);
    return RTNORM;
}

int acutUpdString(const ACHAR* source, ACHAR*& dest) {
    ACHAR* copy = copyString(source);
    rbFree(dest);
    dest = copy;
    return RTNORM;
}

int acutDelString(ACHAR*& string) {
    rbFree(string);
    string = nullptr;
    return RTNORM;
}

struct resbuf* acutCopyRb(const struct resbuf* rb) {
    if (rb == nullptr) return nullptr;
    resbuf* copy = acutNewRb(rb->restype);
    copy->resval = rb->resval;
    switch (acutRbValueKind(rb->restype)) {
        case AcRbValueKind::kString:
            copy->resval.rstring = copyString(rb->resval.rstring);
            break;
        case AcRbValueKind::kBinary: {
            short n = rb->resval.rbinary.clen > 0 ? rb->resval.rbinary.clen : 0;
            copy->resval.rbinary.clen = n;
            copy->resval.rbinary.buf = new char[static_cast<size_t>(n) + 1];
            if (n > 0 && rb->resval.rbinary.buf != nullptr)
                std::memcpy(copy->resval.rbinary.buf, rb->resval.rbinary.buf,
                            static_cast<size_t>(n));
            break;
        }
        default:
            break;
    }
    return copy;
}

struct resbuf* acutCopyRbChain(const struct resbuf* rb) {
    resbuf* head = nullptr;
    resbuf* tail = nullptr;
    for (; rb != nullptr; rb = rb->rbnext) {
        resbuf* copy = acutCopyRb(rb);
        (head == nullptr ? head : tail->rbnext) = copy;
        tail = copy;
    }
    return head;
}
