#include "PaneCornerElevations.h"

#include <vector>

#include "CornerInterpolation.h"
#include "FieldData.h"

void CalcPaneCornerElevations(AcDbObjectId pane, const ElevationPointList& sitePoints) {
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    for (int i = 0; i < corners.length(); ++i) {
        std::vector<double> values;
        InterpolateCorner(sitePoints, corners[i], values);
        SetCornerLayerElevations(pane, i, values);
    }
}
