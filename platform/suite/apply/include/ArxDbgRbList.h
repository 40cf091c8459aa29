// A list of result buffers that owns them: the chain handed to and taken from
// the host's extended-data calls.
#pragma once

#include "acutads.h"
#include "adsdef.h"

class ArxDbgRbList {
  public:
    ArxDbgRbList() = default;
    // Takes ownership of the chain.
    explicit ArxDbgRbList(resbuf* chain);
    ~ArxDbgRbList();
    ArxDbgRbList(const ArxDbgRbList& other);
    ArxDbgRbList& operator=(const ArxDbgRbList& other);
    ArxDbgRbList(ArxDbgRbList&& other) noexcept;
    ArxDbgRbList& operator=(ArxDbgRbList&& other) noexcept;

    int length() const { return mLength; }
    bool isEmpty() const { return mHead == nullptr; }
    // The i-th buffer (from 0), or null.
    resbuf* getAt(int index) const;
    // Takes ownership of one buffer (its successors are freed).
    void addTail(resbuf* rb);
    void addHead(resbuf* rb);
    // Shorthands that build the buffer.
    void addString(short code, const ACHAR* text);
    // Frees every buffer.
    void removeAll();
    // The chain, still owned by the list.
    resbuf* data() const { return mHead; }
    // Hands the chain to the caller, who frees it with acutRelRb.
    resbuf* orphanData();
    // Replaces the contents by the chain, taking ownership.
    void adoptData(resbuf* chain);

  private:
    resbuf* mHead = nullptr;
    resbuf* mTail = nullptr;
    int mLength = 0;
};
