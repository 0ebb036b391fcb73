#pragma once

#include "AdAChar.h"
#include "acadstrc.h"

#include <memory>
#include <string>
#include <vector>

// An open drawing.
class AcApDocument
{
public:
    explicit AcApDocument(std::wstring fileName) : m_fileName(std::move(fileName)) { }

    const ACHAR *fileName() const { return m_fileName.c_str(); }
    // False while a command runs in the document, when the host cannot take other work.
    bool isQuiescent() const { return m_quiescent; }

private:
    friend void standInSetQuiescent(AcApDocument *document, bool quiescent);

    std::wstring m_fileName;
    bool m_quiescent = true;
};

// Told when a drawing opens and before one closes.
class AcApDocManagerReactor
{
public:
    virtual ~AcApDocManagerReactor() = default;
    virtual void documentCreated(AcApDocument *) { }
    virtual void documentToBeDestroyed(AcApDocument *) { }
};

// The open drawings; the host starts with one new drawing, which is current.
class AcApDocManager
{
public:
    AcApDocManager();

    int documentCount() const;
    // Null when no drawing is open.
    AcApDocument *curDocument() const;
    Acad::ErrorStatus appContextNewDocument(const ACHAR *templateName);
    Acad::ErrorStatus closeDocument(AcApDocument *document);
    void addReactor(AcApDocManagerReactor *reactor);
    void removeReactor(AcApDocManagerReactor *reactor);

private:
    std::vector<std::unique_ptr<AcApDocument>> m_documents;
    std::vector<AcApDocManagerReactor *> m_reactors;
    int m_created = 0;
};

AcApDocManager *acDocManagerPtr();
#define acDocManager acDocManagerPtr()
