#pragma once

#include <QtGlobal>

#include <algorithm>
#include <utility>
#include <vector>

namespace Sorven {

// The n least candidates offered so far, kept in a heap with the greatest of them on top, so
// that one comparison turns most later candidates away.
template<typename Candidate>
class LeastCandidates
{
public:
    explicit LeastCandidates(qsizetype n) : m_n(n) { }

    bool isFull() const { return qsizetype(m_heap.size()) >= m_n; }
    // Call only when not empty.
    const Candidate &greatest() const { return m_heap.front(); }

    void offer(const Candidate &candidate)
    {
        if (!isFull()) {
            m_heap.push_back(candidate);
            std::push_heap(m_heap.begin(), m_heap.end());
        } else if (!m_heap.empty() && candidate < m_heap.front()) {
            std::pop_heap(m_heap.begin(), m_heap.end());
            m_heap.back() = candidate;
            std::push_heap(m_heap.begin(), m_heap.end());
        }
    }

    // The candidates, least first; the object is left empty.
    std::vector<Candidate> take()
    {
        std::sort_heap(m_heap.begin(), m_heap.end());
        return std::exchange(m_heap, {});
    }

private:
    qsizetype m_n;
    std::vector<Candidate> m_heap;
};

} // namespace Sorven
