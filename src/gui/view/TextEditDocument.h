#pragma once
// A plain text file in a frame of its own (only when several documents may be
// open). The text lives in the view's text control; the document reads and
// writes the file in the file's own encoding and line ends, and saves it as
// safely as a pools document: a failed save leaves the old file as it was.

#include "document/PlainText.h"

#include <wx/docview.h>

class MyDocManager;
class TextEditView;
class wxTextCtrl;

class TextEditDocument : public wxDocument {
public:
    TextEditDocument() = default;

    bool OnNewDocument() override;
    bool OnCloseDocument() override;
    bool OnSaveModified() override;
    bool SaveAs() override;
    bool IsModified() const override;
    void Modify(bool modified) override;

    // How the file was read and will be written again.
    const vdx::PlainText& Format() const { return format_; }

protected:
    bool DoOpenDocument(const wxString& file) override;
    bool DoSaveDocument(const wxString& file) override;

private:
    wxTextCtrl* Control() const;

    vdx::PlainText format_; // encoding, byte order mark and line ends; the text is the control's
    bool closed_ = false;   // the framework closes a document twice

    wxDECLARE_DYNAMIC_CLASS(TextEditDocument);
};

// The template of text documents ("*.txt"), registered once.
void RegisterTextTemplate(MyDocManager* manager);
