// Growable array with the host SDK's AcArray interface (indices are int).
#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <vector>

template <typename T>
class AcArray {
  public:
    AcArray() = default;
    explicit AcArray(int physicalLength, int growLength = 8) : mGrowLength(growLength) {
        mData.reserve(physicalLength > 0 ? static_cast<size_t>(physicalLength) : 0);
    }

    int length() const { return static_cast<int>(mData.size()); }
    int logicalLength() const { return length(); }
    bool isEmpty() const { return mData.empty(); }
    int growLength() const { return mGrowLength; }
    AcArray& setGrowLength(int growLength) {
        assert(growLength > 0);
        mGrowLength = growLength;
        return *this;
    }
    AcArray& setLogicalLength(int n) {
        mData.resize(n > 0 ? static_cast<size_t>(n) : 0);
        return *this;
    }
    AcArray& setPhysicalLength(int n) {
        if (n > 0) mData.reserve(static_cast<size_t>(n));
        return *this;
    }

    // Appends and returns the new element's index. Capacity grows by the
    // growth step or by half of itself, whichever is more, so that appends
    // take amortised constant time however long the array gets.
    int append(const T& value) {
        if (mData.size() == mData.capacity())
            mData.reserve(mData.capacity() +
                          std::max(static_cast<size_t>(mGrowLength), mData.capacity() / 2));
        mData.push_back(value);
        return length() - 1;
    }
    AcArray& append(const AcArray& other) {
        mData.insert(mData.end(), other.mData.begin(), other.mData.end());
        return *this;
    }
    AcArray& insertAt(int index, const T& value) {
        assert(index >= 0 && index <= length());
        mData.insert(mData.begin() + index, value);
        return *this;
    }
    AcArray& removeAt(int index) {
        assert(index >= 0 && index < length());
        mData.erase(mData.begin() + index);
        return *this;
    }
    AcArray& removeLast() {
        assert(!mData.empty());
        mData.pop_back();
        return *this;
    }
    AcArray& removeAll() {
        mData.clear();
        return *this;
    }
    bool remove(const T& value, int start = 0) {
        int i = find(value, start);
        if (i < 0) return false;
        removeAt(i);
        return true;
    }
    int find(const T& value, int start = 0) const {
        for (int i = start; i < length(); ++i)
            if (mData[static_cast<size_t>(i)] == value) return i;
        return -1;
    }
    bool contains(const T& value, int start = 0) const { return find(value, start) >= 0; }

    T& at(int i) {
        assert(i >= 0 && i < length());
        return mData[static_cast<size_t>(i)];
    }
    const T& at(int i) const {
        assert(i >= 0 && i < length());
        return mData[static_cast<size_t>(i)];
    }
    T& operator[](int i) { return at(i); }
    const T& operator[](int i) const { return at(i); }
    T& first() { return at(0); }
    const T& first() const { return at(0); }
    T& last() { return at(length() - 1); }
    const T& last() const { return at(length() - 1); }
    const T* asArrayPtr() const { return mData.data(); }
    T* asArrayPtr() { return mData.data(); }

    bool operator==(const AcArray& other) const { return mData == other.mData; }

    typename std::vector<T>::iterator begin() { return mData.begin(); }
    typename std::vector<T>::iterator end() { return mData.end(); }
    typename std::vector<T>::const_iterator begin() const { return mData.begin(); }
    typename std::vector<T>::const_iterator end() const { return mData.end(); }

  private:
    std::vector<T> mData;
    int mGrowLength = 8;
};
