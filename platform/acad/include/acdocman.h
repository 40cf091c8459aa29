// Documents (AcAp): the open drawings, the current one, and reactors told
// when drawings come and go.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "acadstrc.h"
#include "acadwin.h"
#include "rxobject.h"

class AcDbDatabase;

// One open drawing; owns its database.
class AcApDocument : public AcRxObject {
  public:
    ACRX_DECLARE_MEMBERS(AcApDocument);
    AcApDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName);
    ~AcApDocument() override;

    AcDbDatabase* database() const { return mDatabase.get(); }
    // The drawing's file (empty for a new drawing not yet saved).
    const ACHAR* fileName() const { return mFileName.c_str(); }
    // The name shown for it: its file's name, or "DrawingN.dwg".
    const ACHAR* docTitle() const { return mTitle.c_str(); }

    // Stand-in addition: the host program names the file after "save as".
    void setFileName(const std::wstring& fileName);

  private:
    friend class AcApDocManager;  // names untitled drawings
    std::unique_ptr<AcDbDatabase> mDatabase;
    std::wstring mFileName;
    std::wstring mTitle;
};

// Told about documents; every notification does nothing unless overridden.
class AcApDocManagerReactor : public AcRxObject {
  public:
    ACRX_DECLARE_MEMBERS(AcApDocManagerReactor);
    virtual void documentCreateStarted(AcApDocument* /*doc*/) {}
    virtual void documentCreated(AcApDocument* /*doc*/) {}
    virtual void documentToBeDestroyed(AcApDocument* /*doc*/) {}
    virtual void documentDestroyed(const ACHAR* /*fileName*/) {}
    virtual void documentBecameCurrent(AcApDocument* /*doc*/) {}
    virtual void documentToBeActivated(AcApDocument* /*doc*/) {}
    virtual void documentActivated(AcApDocument* /*doc*/) {}
    virtual void documentToBeDeactivated(AcApDocument* /*doc*/) {}
};

class AcApDocumentIterator {
  public:
    explicit AcApDocumentIterator(std::vector<AcApDocument*> docs) : mDocs(std::move(docs)) {}
    bool done() const { return mIndex >= mDocs.size(); }
    void step() { ++mIndex; }
    AcApDocument* document() const { return done() ? nullptr : mDocs[mIndex]; }

  private:
    std::vector<AcApDocument*> mDocs;
    size_t mIndex = 0;
};

class AcApDocManager : public AcRxObject {
  public:
    ACRX_DECLARE_MEMBERS(AcApDocManager);
    AcApDocManager();
    ~AcApDocManager() override;

    virtual AcApDocument* curDocument() const { return mCurrent; }
    virtual AcApDocument* mdiActiveDocument() const { return mCurrent; }
    virtual AcApDocument* document(const AcDbDatabase* database) const;
    virtual int documentCount() const { return static_cast<int>(mDocuments.size()); }
    // The document becomes current; its database becomes the working database.
    virtual Acad::ErrorStatus setCurDocument(AcApDocument* doc);
    virtual Acad::ErrorStatus activateDocument(AcApDocument* doc, bool passScript = false);
    // Tells the reactors (documentToBeDestroyed), frees the document and its
    // database, and makes the most recently opened remaining one current.
    virtual Acad::ErrorStatus closeDocument(AcApDocument* doc);
    // The caller deletes the iterator.
    virtual AcApDocumentIterator* newAcApDocumentIterator() const;

    // A reactor is added once; removing one that is not there does nothing.
    virtual void addReactor(AcApDocManagerReactor* reactor);
    virtual void removeReactor(AcApDocManagerReactor* reactor);

    // The resources dialogs are loaded from: pushes make a module's current
    // until the matching pop. A pop without a push is ignored.
    virtual void pushResourceHandle(HINSTANCE handle);
    virtual void popResourceHandle();
    virtual void pushAcadResourceHandle() { pushResourceHandle(nullptr); }

    // Stand-in additions for the host program and tests.
    // Adds an open drawing (a new empty one when database is null) and makes it current.
    AcApDocument* addDocument(std::unique_ptr<AcDbDatabase> database, const std::wstring& fileName);
    void closeAll();
    HINSTANCE currentResourceHandle() const;
    size_t resourceDepth() const { return mResources.size(); }

  private:
    template <typename Notify>
    void tellReactors(Notify notify);

    std::vector<std::unique_ptr<AcApDocument>> mDocuments;
    AcApDocument* mCurrent = nullptr;
    std::vector<AcApDocManagerReactor*> mReactors;
    std::vector<HINSTANCE> mResources;
    int mUntitled = 0;
};

AcApDocManager* acDocManagerPtr();
#define acDocManager acDocManagerPtr()
inline AcApDocument* curDoc() { return acDocManager->curDocument(); }
