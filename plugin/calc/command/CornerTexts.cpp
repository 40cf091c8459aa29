#include "CornerTexts.h"

#include <vector>

#include "AnnotationText.h"
#include "FieldData.h"
#include "RegistrySettings.h"
#include "TextStyles.h"
#include "wcrt.h"

void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         PointList& annotatedCorners, const std::wstring& siteNumber) {
    std::wstring number;
    GetPaneFieldNumber(pane, number);
    number = wcrtTrim(number);
    // A pane without its own number writes onto its site's layer, where the
    // next run finds and erases the texts.
    if (number.empty()) number = siteNumber;
    const std::wstring layer = wcrtFormat(kCornerTextLayerFormat, number.c_str());

    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    for (int i = 0; i < corners.length(); ++i) {
        const AcGePoint3d at(corners[i].x, corners[i].y, 0.0);
        if (FindPointInList(at, annotatedCorners) >= 0) continue;
        std::vector<double> values;
        GetCornerLayerElevations(pane, i, values);
        AnnotationText text;
        text.position = at;
        text.text =
            values.empty() ? L"" : FormatWithPrecision(Setting::ElevationPrecision, values[0]);
        text.height = height;
        text.rotation = angle;
        // Corner texts keep the colour the user chose for elevation dimensions.
        text.colour = ReadIntegerSetting(Setting::ElevationTextColour);
        MakeTextStyle(kAnnotationStyleName, text.style);
        CreateAnnotationText(layer, 0, text);
        annotatedCorners.append(at);
    }
}
