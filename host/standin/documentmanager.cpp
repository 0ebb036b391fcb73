#include "acdocman.h"
#include "standinhost.h"

#include <algorithm>

AcApDocManager::AcApDocManager()
{
    appContextNewDocument(nullptr);
}

int AcApDocManager::documentCount() const
{
    return int(m_documents.size());
}

AcApDocument *AcApDocManager::curDocument() const
{
    return m_documents.empty() ? nullptr : m_documents.back().get();
}

Acad::ErrorStatus AcApDocManager::appContextNewDocument(const ACHAR *)
{
    ++m_created;
    m_documents.push_back(
        std::make_unique<AcApDocument>(L"Drawing" + std::to_wstring(m_created) + L".dwg"));
    for (AcApDocManagerReactor *reactor : std::vector(m_reactors))
        reactor->documentCreated(m_documents.back().get());
    return Acad::eOk;
}

Acad::ErrorStatus AcApDocManager::closeDocument(AcApDocument *document)
{
    const auto found
        = std::find_if(m_documents.begin(), m_documents.end(),
                       [document](const auto &open) { return open.get() == document; });
    if (found == m_documents.end())
        return Acad::eInvalidInput;
    for (AcApDocManagerReactor *reactor : std::vector(m_reactors))
        reactor->documentToBeDestroyed(document);
    m_documents.erase(found);
    return Acad::eOk;
}

void AcApDocManager::addReactor(AcApDocManagerReactor *reactor)
{
    if (reactor && std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void AcApDocManager::removeReactor(AcApDocManagerReactor *reactor)
{
    std::erase(m_reactors, reactor);
}

AcApDocManager *acDocManagerPtr()
{
    static AcApDocManager manager;
    return &manager;
}

void standInSetQuiescent(AcApDocument *document, bool quiescent)
{
    document->m_quiescent = quiescent;
}
