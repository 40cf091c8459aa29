#include "ArxDbgRbList.h"

#include <utility>

ArxDbgRbList::ArxDbgRbList(resbuf* chain) { adoptData(chain); }

ArxDbgRbList::~ArxDbgRbList() { removeAll(); }

ArxDbgRbList::ArxDbgRbList(const ArxDbgRbList& other) { adoptData(acutCopyRbChain(other.mHead)); }

ArxDbgRbList& ArxDbgRbList::operator=(const ArxDbgRbList& other) {
    if (this != &other) adoptData(acutCopyRbChain(other.mHead));
    return *this;
}

ArxDbgRbList::ArxDbgRbList(ArxDbgRbList&& other) noexcept
    : mHead(std::exchange(other.mHead, nullptr)),
      mTail(std::exchange(other.mTail, nullptr)),
      mLength(std::exchange(other.mLength, 0)) {}

ArxDbgRbList& ArxDbgRbList::operator=(ArxDbgRbList&& other) noexcept {
    if (this != &other) {
        removeAll();
        mHead = std::exchange(other.mHead, nullptr);
        mTail = std::exchange(other.mTail, nullptr);
        mLength = std::exchange(other.mLength, 0);
    }
    return *this;
}

resbuf* ArxDbgRbList::getAt(int index) const {
    resbuf* rb = mHead;
    for (int i = 0; rb != nullptr && i < index; ++i) rb = rb->rbnext;
    return index < 0 ? nullptr : rb;
}

void ArxDbgRbList::addTail(resbuf* rb) {
    if (rb == nullptr) return;
    if (rb->rbnext != nullptr) {
        acutRelRb(rb->rbnext);
        rb->rbnext = nullptr;
    }
    if (mTail == nullptr)
        mHead = rb;
    else
        mTail->rbnext = rb;
    mTail = rb;
    ++mLength;
}

void ArxDbgRbList::addHead(resbuf* rb) {
    if (rb == nullptr) return;
    if (rb->rbnext != nullptr) acutRelRb(rb->rbnext);
    rb->rbnext = mHead;
    mHead = rb;
    if (mTail == nullptr) mTail = rb;
    ++mLength;
}

void ArxDbgRbList::addString(short code, const ACHAR* text) {
    resbuf* rb = acutNewRb(code);
    if (rb == nullptr) return;
    acutNewString(text != nullptr ? text : L"", rb->resval.rstring);
    addTail(rb);
}

void ArxDbgRbList::removeAll() {
    if (mHead != nullptr) acutRelRb(mHead);
    mHead = mTail = nullptr;
    mLength = 0;
}

resbuf* ArxDbgRbList::orphanData() {
    resbuf* chain = mHead;
    mHead = mTail = nullptr;
    mLength = 0;
    return chain;
}

void ArxDbgRbList::adoptData(resbuf* chain) {
    removeAll();
    mHead = chain;
    for (resbuf* rb = chain; rb != nullptr; rb = rb->rbnext) {
        mTail = rb;
        ++mLength;
    }
}
