// Table of named physical constants a formula may use by name.
#pragma once

#include <string>

class CPhysConst {
  public:
    CPhysConst();
    virtual ~CPhysConst();

    // Name at index (1-based); entry 0 is empty and the entry after the last
    // constant is the end marker "***". Indices beyond that give the marker.
    const std::wstring& GetConstantName(int index) const;

    // Value of the named constant (case-insensitive), 0 for an unknown name.
    double GetConstantValue(const std::wstring& name) const;
};
