#include "app/MyDocManager.h"

#include "app/MyFileHistory.h"
#include "document/VdxDocument.h"

#include <climits>

// Initialised here, not by the base constructor, so our file history is the one made.
MyDocManager::MyDocManager() : wxDocManager(0, false) { Initialize(); }

void MyDocManager::SetSingleDocument(bool single) {
    singleDocument_ = single;
    SetMaxDocsOpen(single ? 1 : INT_MAX);
}

VdxDocument* MyDocManager::CurrentVdxDocument() const {
    return wxDynamicCast(GetCurrentDocument(), VdxDocument);
}

bool MyDocManager::AnyCalculationRunning() {
    for (wxObject* object : GetDocuments()) {
        auto* doc = wxDynamicCast(object, VdxDocument);
        if (doc && doc->Data().calculationRunning) return true;
    }
    return false;
}

wxFileHistory* MyDocManager::OnCreateFileHistory() { return new MyFileHistory; }
