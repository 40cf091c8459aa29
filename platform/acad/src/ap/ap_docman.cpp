// The document manager: open drawings, the current one, reactors, resources.
#include <algorithm>

#include "acdocman.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "ed_services.h"
#include "rxregsvc.h"
#include "wcrt.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocument, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocManagerReactor, AcRxObject)
ACRX_NO_CONS_DEFINE_MEMBERS(AcApDocManager, AcRxObject)

namespace {

std::wstring fileTitle(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

AcApDocument::AcApDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName)
    : mDatabase(std::move(database)) {
    setFileName(fileName);
}

AcApDocument::~AcApDocument() = default;

void AcApDocument::setFileName(const std::wstring& fileName) {
    mFileName = fileName;
    if (!fileName.empty()) mTitle = fileTitle(fileName);
}

AcApDocManager::AcApDocManager() = default;

AcApDocManager::~AcApDocManager() {
    if (mCurrent != nullptr &&
        acdbHostApplicationServices()->workingDatabase() == mCurrent->database())
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}

template <typename Notify>
void AcApDocManager::tellReactors(Notify notify) {
    // A reactor may remove itself (or others) while being told.
    const std::vector<AcApDocManagerReactor*> reactors = mReactors;
    for (AcApDocManagerReactor* r : reactors)
        if (std::find(mReactors.begin(), mReactors.end(), r) != mReactors.end()) notify(r);
}

AcApDocument* AcApDocManager::document(const AcDbDatabase* database) const {
    for (const auto& d : mDocuments)
        if (d->database() == database) return d.get();
    return nullptr;
}

Acad::ErrorStatus AcApDocManager::setCurDocument(AcApDocument* doc) {
    if (doc == nullptr || document(doc->database()) != doc) return Acad::eInvalidInput;
    if (doc == mCurrent) return Acad::eOk;
    if (mCurrent != nullptr) {
        AcApDocument* old = mCurrent;
        tellReactors([&](AcApDocManagerReactor* r) { r->documentToBeDeactivated(old); });
    }
    tellReactors([&](AcApDocManagerReactor* r) { r->documentToBeActivated(doc); });
    mCurrent = doc;
    acdbHostApplicationServices()->setWorkingDatabase(doc->database());
    tellReactors([&](AcApDocManagerReactor* r) { r->documentBecameCurrent(doc); });
    tellReactors([&](AcApDocManagerReactor* r) { r->documentActivated(doc); });
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::activateDocument(AcApDocument* doc, bool /*passScript*/) {
    return setCurDocument(doc);
}

AcApDocument* AcApDocManager::addDocument(std::unique_ptr<AcDbDatabase> database,
                                          const std::wstring& fileName) {
    if (database == nullptr) database = std::make_unique<AcDbDatabase>();
    auto doc = std::make_unique<AcApDocument>(std::move(database), fileName);
    AcApDocument* added = doc.get();
    if (fileName.empty()) added->mTitle = wcrtFormat(L"Drawing%d.dwg", ++mUntitled);
    tellReactors([&](AcApDocManagerReactor* r) { r->documentCreateStarted(added); });
    mDocuments.push_back(std::move(doc));
    tellReactors([&](AcApDocManagerReactor* r) { r->documentCreated(added); });
    setCurDocument(added);
    return added;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument* doc) {
    auto it = std::find_if(mDocuments.begin(), mDocuments.end(),
                           [&](const auto& d) { return d.get() == doc; });
    if (doc == nullptr || it == mDocuments.end()) return Acad::eInvalidInput;
    tellReactors([&](AcApDocManagerReactor* r) { r->documentToBeDestroyed(doc); });
    const std::wstring fileName = doc->fileName();
    const bool wasCurrent = doc == mCurrent;
    if (wasCurrent) {
        mCurrent = nullptr;
        acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    }
    mDocuments.erase(it);
    tellReactors([&](AcApDocManagerReactor* r) { r->documentDestroyed(fileName.c_str()); });
    if (wasCurrent && !mDocuments.empty()) setCurDocument(mDocuments.back().get());
    return Acad::eOk;
}

void AcApDocManager::closeAll() {
    while (!mDocuments.empty()) closeDocument(mDocuments.back().get());
}

AcApDocumentIterator* AcApDocManager::newAcApDocumentIterator() const {
    std::vector<AcApDocument*> docs;
    for (const auto& d : mDocuments) docs.push_back(d.get());
    return new AcApDocumentIterator(std::move(docs));
}

void AcApDocManager::addReactor(AcApDocManagerReactor* reactor) {
    if (reactor == nullptr ||
        std::find(mReactors.begin(), mReactors.end(), reactor) != mReactors.end())
        return;
    mReactors.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor* reactor) {
    std::erase(mReactors, reactor);
}

void AcApDocManager::pushResourceHandle(HINSTANCE handle) { mResources.push_back(handle); }

void AcApDocManager::popResourceHandle() {
    if (!mResources.empty()) mResources.pop_back();
}

HINSTANCE AcApDocManager::currentResourceHandle() const {
    return mResources.empty() ? nullptr : mResources.back();
}

AcApDocManager* acDocManagerPtr() {
    acrxHostRegisterServices();
    return AcApDocManager::cast(acrxSysRegistry()->at(L"AcApDocManager"));
}
