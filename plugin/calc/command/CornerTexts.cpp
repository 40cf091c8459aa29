#include "CornerTexts.h"

#include <vector>

#include "AnnotationText.h"
#include "FieldData.h"
#include "RegistrySettings.h"
#include "TextStyles.h"
#include "wcrt.h"

int SiteCornerTexts::decimals() {
    if (!mDecimals) mDecimals = GetPrecisionDecimals(Setting::ElevationPrecision);
    return *mDecimals;
}

int SiteCornerTexts::colour() {
    if (!mColour) mColour = ReadIntegerSetting(Setting::ElevationTextColour);
    return *mColour;
}

AcDbObjectId SiteCornerTexts::style() {
    if (mStyle.isNull()) MakeTextStyle(kAnnotationStyleName, mStyle);
    return mStyle;
}

void AnnotatePaneCorners(AcDbObjectId pane, double angle, double height,
                         PointList& annotatedCorners, const std::wstring& siteNumber,
                         SiteCornerTexts& look, const PaneCornerLists* stored) {
    AcGePoint3dArray corners;
    GetPaneCorners(pane, corners);
    // The pane is read once, when the first corner that needs a text is found.
    std::optional<PaneCornerLists> read;
    const PaneCornerLists* lists = stored;
    std::wstring layer;
    for (int i = 0; i < corners.length(); ++i) {
        const AcGePoint3d at(corners[i].x, corners[i].y, 0.0);
        if (FindPointInList(at, annotatedCorners) >= 0) continue;
        if (lists == nullptr) {
            read.emplace();
            read->layers.resize(static_cast<size_t>(corners.length()));
            GetPaneNumberAndCornerLayers(pane, read->number, read->layers);
            lists = &*read;
        }
        if (layer.empty()) {
            std::wstring number = wcrtTrim(lists->number);
            // A pane without its own number writes onto its site's layer, where
            // the next run finds and erases the texts.
            if (number.empty()) number = siteNumber;
            layer = wcrtFormat(kCornerTextLayerFormat, number.c_str());
        }
        const size_t k = static_cast<size_t>(i);
        AnnotationText text;
        text.position = at;
        if (k < lists->layers.size() && !lists->layers[k].empty())
            text.text = wcrtFixed(lists->layers[k][0], look.decimals());
        text.height = height;
        text.rotation = angle;
        // Corner texts keep the colour the user chose for elevation dimensions.
        text.colour = look.colour();
        text.style = look.style();
        CreateAnnotationText(layer, 0, text);
        annotatedCorners.append(at);
    }
}
