#include "PtEleDimFields.h"

using D = AcDbPtEleDim::Data;

const std::vector<PtEleDimField>& PtEleDimFields() {
    static const std::vector<PtEleDimField> fields = {
        {10, &D::dimPoint},        {11, &D::leadPoint}, {1, &D::originEle},
        {3, &D::designEle},        {4, &D::var},        {300, &D::originLayer},
        {301, &D::designLayer},    {302, &D::varLayer}, {90, &D::originColor},
        {91, &D::designColor},     {92, &D::varColor},  {40, &D::textHeight},
        {50, &D::textAngle, true},
    };
    return fields;
}
