#pragma once
// CList: a doubly linked list walked with POSITION values.
//
// A POSITION names one element and stays valid until that element is
// removed, so a walk may remove the element it has just passed:
//
//     for (POSITION pos = list.GetHeadPosition(); pos;) {
//         POSITION current = pos;
//         if (Unwanted(list.GetNext(pos)))
//             list.RemoveAt(current);
//     }
//
// GetHead, GetTail, RemoveHead and RemoveTail need a non-empty list;
// GetNext, GetPrev, GetAt, SetAt and RemoveAt need a valid POSITION.

#include "framework/Win32.h"

#include <utility>

struct KqListPosition;
// An element's place in a list; null means "none" or "past the end".
using POSITION = KqListPosition*;

template <typename TYPE, typename ARG_TYPE = const TYPE&>
class CList {
public:
    CList() = default;
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return m_head->value; }
    const TYPE& GetHead() const { return m_head->value; }
    TYPE& GetTail() { return m_tail->value; }
    const TYPE& GetTail() const { return m_tail->value; }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(GetHeadPosition(), value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(GetTailPosition(), value); }
    // Copies every element of `other` (which may be this list) to the front or end.
    void AddHead(const CList* other)
    {
        Node* last = other->m_tail;
        for (INT_PTR i = other->m_count; i > 0; --i, last = last->prev)
            AddHead(last->value); // from the back, so the order is kept
    }
    void AddTail(const CList* other)
    {
        Node* first = other->m_head;
        for (INT_PTR i = other->m_count; i > 0; --i, first = first->next)
            AddTail(first->value);
    }

    TYPE RemoveHead()
    {
        TYPE value = std::move(m_head->value);
        RemoveAt(GetHeadPosition());
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = std::move(m_tail->value);
        RemoveAt(GetTailPosition());
        return value;
    }
    void RemoveAll()
    {
        while (m_head) {
            Node* next = m_head->next;
            delete m_head;
            m_head = next;
        }
        m_tail = nullptr;
        m_count = 0;
    }

    POSITION GetHeadPosition() const { return ToPosition(m_head); }
    POSITION GetTailPosition() const { return ToPosition(m_tail); }
    // Returns the element at `pos` and moves `pos` to the next (previous) one.
    TYPE& GetNext(POSITION& pos) { return Step(pos, &Node::next); }
    const TYPE& GetNext(POSITION& pos) const { return Step(pos, &Node::next); }
    TYPE& GetPrev(POSITION& pos) { return Step(pos, &Node::prev); }
    const TYPE& GetPrev(POSITION& pos) const { return Step(pos, &Node::prev); }
    TYPE& GetAt(POSITION pos) { return ToNode(pos)->value; }
    const TYPE& GetAt(POSITION pos) const { return ToNode(pos)->value; }
    void SetAt(POSITION pos, ARG_TYPE value) { ToNode(pos)->value = value; }

    void RemoveAt(POSITION pos)
    {
        Node* node = ToNode(pos);
        (node->prev ? node->prev->next : m_head) = node->next;
        (node->next ? node->next->prev : m_tail) = node->prev;
        delete node;
        --m_count;
    }
    // A null position inserts at the front (InsertBefore) or end (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        Node* after = pos ? ToNode(pos) : m_head;
        Node* before = after ? after->prev : nullptr;
        return Link(new Node{before, after, value});
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        Node* before = pos ? ToNode(pos) : m_tail;
        Node* after = before ? before->next : nullptr;
        return Link(new Node{before, after, value});
    }

    // The first element equal to `value` after `startAfter` (from the head
    // when null), or null.
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* node = startAfter ? ToNode(startAfter)->next : m_head; node; node = node->next) {
            if (node->value == value)
                return ToPosition(node);
        }
        return nullptr;
    }
    // The element at a zero-based index, or null when out of range.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* node = m_head;
        while (index-- > 0)
            node = node->next;
        return ToPosition(node);
    }

private:
    struct Node {
        Node* prev;
        Node* next;
        TYPE value;
    };

    static Node* ToNode(POSITION pos) { return reinterpret_cast<Node*>(pos); }
    static POSITION ToPosition(Node* node) { return reinterpret_cast<POSITION>(node); }

    TYPE& Step(POSITION& pos, Node* Node::*link) const
    {
        Node* node = ToNode(pos);
        pos = ToPosition(node->*link);
        return node->value;
    }

    POSITION Link(Node* node)
    {
        (node->prev ? node->prev->next : m_head) = node;
        (node->next ? node->next->prev : m_tail) = node;
        ++m_count;
        return ToPosition(node);
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};
