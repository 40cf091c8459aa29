// The "T=" (fill) and "W=" (cut) texts of a pane, on the site's layers
// "场区<n>填方标注" and "场区<n>挖方标注", grouped per pane.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "dbmain.h"

// Where a pane's volume texts are centred, from its outline vertices as the
// polyline stores them (a closing repeat of the first vertex included), d_ij
// being the distance between vertices i and j (from 1):
//  - 3 vertices: halfway between the midpoint of 1-2 and vertex 3;
//  - more: the midpoint of 1 and 3 when |d12 − d23| < 0.001, else of 2 and 4
//    when |d23 − d34| < 0.001; else with 4 vertices the midpoint of 3 and 1
//    when |d34 − d41| < 0.001; with 5 or more the midpoint of 3 and 5 when
//    |d34 − d45| < 0.001, else of 4 and 1 when |d45 − d51| < 0.001; otherwise
//    halfway between the midpoints of 1-2 and 3-4;
//  - fewer than 3: nowhere.
std::optional<AcGePoint3d> VolumeTextPosition(std::span<const AcGePoint3d> vertices);

// What the volume texts of all panes of one site share: read from the site
// and the settings when its first pane is annotated, then kept for the rest.
class SiteVolumeTexts {
  public:
    explicit SiteVolumeTexts(AcDbObjectId site) : mSite(site) {}

    struct Shared {
        double height = 0.0;
        int decimals = 0;     // of the volumes' precision
        std::wstring number;  // the site's
        int fillColour = 0, cutColour = 0;
    };
    const Shared& shared();
    // The annotation style; looked up again after a failed lookup.
    AcDbObjectId style();

  private:
    AcDbObjectId mSite;
    std::optional<Shared> mShared;
    AcDbObjectId mStyle;
};

// Writes the pane's texts with its stored "填方量"/"挖方量" (fill, cut): "T=" only when
// there is fill, "W=" only when there is cut, both (fill above, cut below
// along the grid) when there are both or neither.
void AnnotatePaneVolumes(AcDbObjectId pane, double angle, double fill, double cut,
                         SiteVolumeTexts& site);
