#pragma once

#include "platform/XmlNode.h"

#include <cstddef>
#include <iterator>

// The children of a node as a range that follows the sibling links, for
// loops that visit every child once: nothing is copied or allocated, unlike
// ChildNodes(). The tree must not change while the loop runs.
class XmlChildren {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = XmlNode;
        using difference_type = std::ptrdiff_t;
        using pointer = const XmlNode*;
        using reference = const XmlNode&;

        Iterator() = default;
        explicit Iterator(const XmlNode& node)
            : m_node(node) {}

        const XmlNode& operator*() const { return m_node; }
        const XmlNode* operator->() const { return &m_node; }
        Iterator& operator++() {
            m_node = m_node.NextSibling();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const = default;

    private:
        XmlNode m_node;
    };

    explicit XmlChildren(const XmlNode& parent)
        : m_first(parent.FirstChild()) {}

    Iterator begin() const { return Iterator(m_first); }
    Iterator end() const { return {}; }
    bool IsEmpty() const { return m_first.IsNull(); }

private:
    XmlNode m_first;
};
