// VelmList: the widget library's doubly linked list of item pointers.
#pragma once

#include <cstdint>

// A node of a VelmList. Nodes are allocated one by one and owned by their list.
template <typename T>
struct VelmListNode {
    VelmListNode* prev = nullptr;
    VelmListNode* next = nullptr;
    T* item = nullptr;
};

// A doubly linked list of pointers. When ownsItems is true, removing a node
// or destroying the list also deletes the node's item.
//
// Positions are 32-bit signed: a negative index in insert() means the front,
// one at or past the end means the back; elsewhere a negative or too large
// index finds nothing.
template <typename T>
class VelmList {
public:
    using Node = VelmListNode<T>;

    Node* first = nullptr;
    Node* last = nullptr;
    uint32_t count = 0;
    bool ownsItems;

    explicit VelmList(bool owns = false) : ownsItems(owns) {}
    VelmList(const VelmList&) = delete;
    VelmList& operator=(const VelmList&) = delete;

    // Links a new node for item directly behind node; with a null node or an
    // empty list it is insert(item, -1).
    virtual void insertAfter(T* item, Node* node) {
        if (node == nullptr || count == 0) {
            insert(item, -1);
            return;
        }
        Node* fresh = new Node;
        fresh->item = item;
        fresh->prev = node;
        fresh->next = node->next;
        if (node->next != nullptr)
            node->next->prev = fresh;
        node->next = fresh;
        if (node == last)
            last = fresh;
        ++count;
    }

    // Puts item at position index: the front for index <= 0, the back for
    // index >= count.
    virtual void insert(T* item, int32_t index) {
        Node* fresh = new Node;
        fresh->item = item;
        if (count == 0) {
            first = last = fresh;
        } else if (index <= 0) {
            fresh->next = first;
            first->prev = fresh;
            first = fresh;
        } else if (static_cast<uint32_t>(index) >= count) {
            fresh->prev = last;
            last->next = fresh;
            last = fresh;
        } else {
            Node* at = walkTo(static_cast<uint32_t>(index));
            fresh->prev = at->prev;
            fresh->next = at;
            at->prev->next = fresh;
            at->prev = fresh;
        }
        ++count;
    }

    // The item at index, or null.
    virtual T* itemAt(int32_t index) {
        Node* node = nodeAt(index);
        return node != nullptr ? node->item : nullptr;
    }

    // The first node from the front holding item, or null.
    virtual Node* findNode(T* item) {
        for (Node* node = first; node != nullptr; node = node->next)
            if (node->item == item)
                return node;
        return nullptr;
    }

    // The node at index, walked to from the nearer end, or null.
    virtual Node* nodeAt(int32_t index) {
        if (index < 0 || static_cast<uint32_t>(index) >= count)
            return nullptr;
        return walkTo(static_cast<uint32_t>(index));
    }

    // Position of the first node holding item, or -1.
    virtual int32_t indexOf(T* item) {
        int32_t index = 0;
        for (Node* node = first; node != nullptr; node = node->next, ++index)
            if (node->item == item)
                return index;
        return -1;
    }

    // Removes the node at index; false when there is none.
    virtual bool removeAt(int32_t index) { return removeNode(nodeAt(index)); }

    // Removes the first node holding item; false when there is none.
    virtual bool remove(T* item) { return removeNode(findNode(item)); }

    // Unlinks and frees node (and its item when the list owns items).
    virtual bool removeNode(Node* node) {
        if (node == nullptr)
            return false;
        if (node == first)
            first = node->next;
        if (node == last)
            last = node->prev;
        if (ownsItems)
            delete node->item;
        --count;
        if (node->next != nullptr)
            node->next->prev = node->prev;
        if (node->prev != nullptr)
            node->prev->next = node->next;
        delete node;
        return true;
    }

    virtual ~VelmList() {
        while (count != 0) {
            Node* node = first;
            --count;
            if (ownsItems)
                delete node->item;
            first = node->next;
            if (first != nullptr)
                first->prev = nullptr;
            delete node;
        }
        first = last = nullptr;
    }

private:
    // Walks from the front when index < count / 2, else from the back.
    Node* walkTo(uint32_t index) const {
        Node* node;
        if (index < count / 2) {
            node = first;
            for (uint32_t i = 0; i < index; ++i)
                node = node->next;
        } else {
            node = last;
            for (uint32_t i = count - 1; i > index; --i)
                node = node->prev;
        }
        return node;
    }
};
