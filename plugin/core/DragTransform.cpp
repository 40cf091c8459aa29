#include "DragTransform.h"

#include "ArxHelpers.h"
#include "DocData.h"
#include "adscodes.h"

int DragTransform(ads_point dragPoint, ads_matrix matrix) {
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) matrix[row][col] = 0.0;
    for (int i = 0; i < 3; ++i) matrix[i][i] = 1.0;
    const AcGePoint3d drag =
        ArxTransClass::Arx_UcsToWcsPoint(AcGePoint3d(dragPoint[0], dragPoint[1], dragPoint[2]));
    const AcGePoint3d base = ArxTransClass::Arx_UcsToWcsPoint(DocVars.dragBasePoint);
    const AcGeVector3d move = drag - base;
    for (int i = 0; i < 3; ++i) matrix[i][3] = move[static_cast<unsigned int>(i)];
    return RTNORM;
}
