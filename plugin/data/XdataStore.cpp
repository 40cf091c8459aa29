#include "XdataStore.h"

#include <cmath>

#include "ClosedOnExit.h"
#include "DataWrite.h"
#include "wcrt.h"

namespace {

AcDbDatabase* WorkingDatabase() { return acdbHostApplicationServices()->workingDatabase(); }

// Commands run one at a time on the host's main thread.
Acad::ErrorStatus gLastWrite = Acad::eOk;

ClosedOnExit<AcDbEntity> OpenEntity(AcDbObjectId id, AcDb::OpenMode mode) {
    AcDbEntity* entity = nullptr;
    if (acdbOpenAcDbEntity(entity, id, mode) != Acad::eOk) return nullptr;
    return ClosedOnExit<AcDbEntity>(entity);
}

}  // namespace

std::optional<ArxDbgAppXdataX> LoadXdata(AcDbObjectId id, const ACHAR* app) {
    ClosedOnExit<AcDbEntity> entity = OpenEntity(id, AcDb::kForRead);
    if (!entity) return std::nullopt;
    ArxDbgAppXdataX data(app, WorkingDatabase());
    data.getXdata(entity.get());
    return data;
}

bool EditXdata(AcDbObjectId id, const ACHAR* app,
               const std::function<void(ArxDbgAppXdataX&)>& edit) {
    ClosedOnExit<AcDbEntity> entity = OpenEntity(id, AcDb::kForWrite);
    gLastWrite = Acad::eWasNotOpenForWrite;
    if (!entity) return false;
    ArxDbgAppXdataX data(app, WorkingDatabase());
    data.getXdata(entity.get());
    edit(data);
    gLastWrite = data.setXdata(entity.get());
    return gLastWrite == Acad::eOk;
}

std::optional<bool> EditXdataWhen(AcDbObjectId id, const ACHAR* app,
                                  const std::function<bool(const ArxDbgAppXdataX&)>& ready,
                                  const std::function<void(ArxDbgAppXdataX&)>& edit) {
    ClosedOnExit<AcDbEntity> entity = OpenEntity(id, AcDb::kForWrite);
    if (!entity) return std::nullopt;
    ArxDbgAppXdataX data(app, WorkingDatabase());
    data.getXdata(entity.get());
    if (!ready(data)) return std::nullopt;
    edit(data);
    gLastWrite = data.setXdata(entity.get());
    return gLastWrite == Acad::eOk;
}

bool RefuseNonFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) {
            gLastWrite = Acad::eInvalidInput;
            return true;
        }
    return false;
}

Acad::ErrorStatus LastDataWriteStatus() { return gLastWrite; }

bool ReadText(AcDbObjectId id, const ACHAR* app, const ACHAR* key, std::wstring& value,
              const ACHAR* fallback) {
    value = fallback;
    ClosedOnExit<AcDbEntity> entity = OpenEntity(id, AcDb::kForRead);
    std::wstring found;
    if (!entity || !ArxDbgAppXdataX(app, WorkingDatabase()).getString(entity.get(), key, found))
        return false;
    value = found;
    return true;
}

bool ReadRealPair(AcDbObjectId id, const ACHAR* app, const ACHAR* firstKey, double& first,
                  const ACHAR* secondKey, double& second) {
    first = 0.0;
    second = 0.0;
    std::optional<ArxDbgAppXdataX> data = LoadXdata(id, app);
    if (!data) return false;
    std::wstring text;
    const bool hasFirst = data->getString(firstKey, text);
    if (hasFirst) first = _wtof(text.c_str());
    const bool hasSecond = data->getString(secondKey, text);
    if (hasSecond) second = _wtof(text.c_str());
    return hasFirst || hasSecond;
}

bool WriteTexts(AcDbObjectId id, const ACHAR* app, std::initializer_list<KeyValue> values) {
    return EditXdata(id, app, [&values](ArxDbgAppXdataX& data) {
        for (const KeyValue& kv : values) data.setString(kv.first, kv.second.c_str());
    });
}
