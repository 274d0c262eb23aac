// The base of every project record: an intrusive reference count, run-time
// class information for the project archive, a back pointer to the owning
// record and the list of messages of the last validation.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace qln {

class CArchive;
class CModel;

using StringList = std::vector<std::string>;

// Run-time class record: the class name is the type identifier in project
// files. Abstract classes have no factory and are never written on their own.
struct CRuntimeClass {
    std::string_view name;
    uint16_t schema;  // 1 for every persisted class, 0xFFFF for abstract ones
    const CRuntimeClass* base;
    CModel* (*create)();

    bool IsDerivedFrom(const CRuntimeClass& other) const;
};

// Intrusive count. Always inherited as a virtual base so that an object has
// exactly one count whatever its inheritance path.
class CRefCount {
public:
    // Stored in the count while the object is being destroyed, so that Ptr
    // members pointing back at it neither recount nor delete it again.
    static constexpr int32_t kDestroying = static_cast<int32_t>(0xAAAAAAAAu);

    CRefCount() = default;
    CRefCount(const CRefCount&) : count_(0) {}
    CRefCount& operator=(const CRefCount&) { return *this; }
    virtual ~CRefCount() = default;

    void AddRef() {
        if (count_ != kDestroying) ++count_;
    }
    virtual void Release();
    int32_t GetRefCount() const { return count_; }

private:
    int32_t count_ = 0;
};

// The root of the persistent classes: run-time class information and Serialize.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const CRuntimeClass& GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive&) {}
    bool IsKindOf(const CRuntimeClass& cls) const { return GetRuntimeClass().IsDerivedFrom(cls); }
};

// Owning handle of a reference-counted object.
template <class T>
class Ptr {
public:
    Ptr() = default;
    Ptr(T* p) : p_(p) { Acquire(); }  // NOLINT: implicit on purpose, as for raw pointers
    Ptr(const Ptr& other) : p_(other.p_) { Acquire(); }
    Ptr(Ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    Ptr(const Ptr<U>& other) : p_(other.get()) {
        Acquire();
    }
    ~Ptr() { Drop(); }

    Ptr& operator=(T* p) {
        if (p == p_) return *this;
        T* old = p_;
        p_ = p;
        Acquire();
        if (old) static_cast<CRefCount*>(old)->Release();
        return *this;
    }
    Ptr& operator=(const Ptr& other) { return *this = other.p_; }
    Ptr& operator=(Ptr&& other) noexcept {
        if (this != &other) {
            Drop();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const Ptr& a, const Ptr& b) { return a.p_ == b.p_; }

private:
    void Acquire() {
        if (p_) static_cast<CRefCount*>(p_)->AddRef();
    }
    void Drop() {
        if (p_) static_cast<CRefCount*>(std::exchange(p_, nullptr))->Release();
    }
    T* p_ = nullptr;
};

template <class T, class... Args>
Ptr<T> MakePtr(Args&&... args) {
    return Ptr<T>(new T(std::forward<Args>(args)...));
}

// Growable array of the model's lists. Out-of-range indexing is a
// programming error and throws std::invalid_argument.
template <class T>
class CArray {
public:
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    int GetSize() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }
    T& operator[](int i) { return items_[Checked(i)]; }
    const T& operator[](int i) const { return items_[Checked(i)]; }
    void Add(T item) { items_.push_back(std::move(item)); }
    void InsertAt(int i, T item) {
        if (i != GetSize()) Checked(i);
        items_.insert(items_.begin() + i, std::move(item));
    }
    void RemoveAt(int i) { items_.erase(items_.begin() + Checked(i)); }
    void RemoveAll() { items_.clear(); }
    void Reserve(int n) { items_.reserve(static_cast<size_t>(n)); }
    iterator begin() { return items_.begin(); }
    iterator end() { return items_.end(); }
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

private:
    size_t Checked(int i) const {
        if (i < 0 || i >= GetSize()) throw std::invalid_argument("array index out of range");
        return static_cast<size_t>(i);
    }
    std::vector<T> items_;
};

// A stretch of residues, normally the 1-based first and last position.
class CRange : public CObject, public virtual CRefCount {
public:
    static const CRuntimeClass runtimeClass;
    CRange(int32_t firstValue = 0, int32_t secondValue = 0) : first(firstValue), second(secondValue) {}
    const CRuntimeClass& GetRuntimeClass() const override { return runtimeClass; }
    int32_t first;
    int32_t second;
};

class CModel : public CObject, public virtual CRefCount {
public:
    static const CRuntimeClass runtimeClass;

    CModel() = default;
    explicit CModel(CModel* parent) : parent_(parent) {}
    // Copies keep the parent but start with no messages.
    CModel(const CModel& other) : CRefCount(), CObject(other), parent_(other.parent_) {}
    CModel& operator=(const CModel&) = delete;

    const CRuntimeClass& GetRuntimeClass() const override { return runtimeClass; }
    void Serialize(CArchive& ar) override;

    // Refills and returns the messages list. Never throws.
    virtual const StringList& Validate(int row);
    // Text put before every message of this record.
    virtual std::string GetMessagePrefix() const { return {}; }

    CModel* GetParent() const { return parent_; }
    void SetParent(CModel* parent) { parent_ = parent; }
    StringList& GetMessages() { return messages_; }
    const StringList& GetMessages() const { return messages_; }
    StringList& GetSecondMessages() { return secondMessages_; }

protected:
    std::string ParentPrefix() const { return parent_ ? parent_->GetMessagePrefix() : std::string(); }

private:
    CModel* parent_ = nullptr;
    StringList messages_;
    StringList secondMessages_;
};

// The row number and ": " for a grid row greater than 0, nothing otherwise.
std::string RowText(int row);

}  // namespace qln

// Run-time class boilerplate for model classes.
#define QLN_DECLARE_CLASS(cls)                      \
public:                                             \
    static const ::qln::CRuntimeClass runtimeClass; \
    const ::qln::CRuntimeClass& GetRuntimeClass() const override { return runtimeClass; }

#define QLN_IMPLEMENT_SERIAL(cls, base)                                        \
    const ::qln::CRuntimeClass cls::runtimeClass{#cls, 1, &base::runtimeClass, \
                                                 []() -> ::qln::CModel* { return new cls; }};

#define QLN_IMPLEMENT_ABSTRACT(cls, base) \
    const ::qln::CRuntimeClass cls::runtimeClass{#cls, 0xFFFF, &base::runtimeClass, nullptr};
