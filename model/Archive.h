// The binary object archive of project files and residue files: little-endian
// primitives, length-prefixed single-byte strings and tagged object
// references. Reading treats every byte as untrusted.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/Model.h"

namespace qln {

// A fault in the archive's bytes, or a failure to read or write them. The
// message is the framework text with the file's name in it.
class CArchiveException : public std::runtime_error {
public:
    enum class Cause {
        BadFormat,         // "%1 has a bad format."
        UnexpectedObject,  // "%1 contained an unexpected object."
        BadSchema,         // "%1 contains an incorrect schema."
        EndOfFile,         // "Attempted to access %1 past its end."
        UnexpectedFormat,  // "Unexpected file format."
        ReadError,         // the file could not be read
        WriteError,        // the file could not be written
    };
    CArchiveException(Cause cause, const std::string& fileName);
    Cause GetCause() const { return cause_; }
    static std::string Describe(Cause cause, const std::string& fileName);

private:
    Cause cause_;
};

// Where a loading archive takes its bytes from.
class CByteSource {
public:
    virtual ~CByteSource() = default;
    // Copies up to n bytes; returns how many were copied (fewer only at the end).
    virtual size_t Read(char* dest, size_t n) = 0;
    // Bytes left before the end, so that no length prefix can make us allocate
    // more than the file holds.
    virtual uint64_t Remaining() const = 0;
};

// Where a storing archive puts its bytes.
class CByteSink {
public:
    virtual ~CByteSink() = default;
    virtual void Write(const char* data, size_t n) = 0;  // throws CArchiveException on failure
    virtual void Flush() {}
};

class CMemorySource : public CByteSource {
public:
    explicit CMemorySource(std::string_view data) : data_(data) {}
    size_t Read(char* dest, size_t n) override;
    uint64_t Remaining() const override { return data_.size() - pos_; }

private:
    std::string_view data_;
    size_t pos_ = 0;
};

class CFileSource : public CByteSource {
public:
    // The file stays owned by the caller; its size is taken when constructed.
    CFileSource(std::FILE* file, std::string fileName);
    size_t Read(char* dest, size_t n) override;
    uint64_t Remaining() const override { return remaining_; }

private:
    std::FILE* file_;
    std::string fileName_;
    uint64_t remaining_ = 0;
};

class CStringSink : public CByteSink {
public:
    explicit CStringSink(std::string& out) : out_(out) {}
    void Write(const char* data, size_t n) override { out_.append(data, n); }

private:
    std::string& out_;
};

class CFileSink : public CByteSink {
public:
    CFileSink(std::FILE* file, std::string fileName) : file_(file), fileName_(std::move(fileName)) {}
    void Write(const char* data, size_t n) override;
    void Flush() override;

private:
    std::FILE* file_;
    std::string fileName_;
};

class CArchive {
public:
    // A loading archive over a source, or a storing archive over a sink. The
    // name is the one put into error messages.
    CArchive(CByteSource& source, std::string fileName);
    CArchive(CByteSink& sink, std::string fileName);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return sink_ != nullptr; }
    bool IsLoading() const { return source_ != nullptr; }
    const std::string& GetFileName() const { return fileName_; }

    void WriteByte(uint8_t v);
    void WriteWord(uint16_t v);
    void WriteInt32(int32_t v);
    void WriteString(std::string_view s);
    void WriteCount(uint32_t n);
    void WriteStringArray(const StringList& list);
    // Writes a tag and, for an object not yet written, its class and body.
    void WriteObject(const CModel* obj);
    // Writes whatever is buffered to the sink.
    void Flush();

    uint8_t ReadByte();
    uint16_t ReadWord();
    int32_t ReadInt32();
    std::string ReadString();
    uint32_t ReadCount();
    StringList ReadStringArray();
    // Reads one object reference: null, a back reference, or a new object whose
    // body is read at once. The result must be of the expected class (or one
    // derived from it). New objects stay alive as long as the archive, so a
    // failure part-way frees everything read so far.
    CModel* ReadObject(const CRuntimeClass& expected);
    template <class T>
    T* ReadObjectOf() {
        return static_cast<T*>(ReadObject(T::runtimeClass));
    }
    // An object the caller takes ownership of: it must be there and be new
    // at this point of the file. A back reference would hand one record to
    // two owners, one of which may live only while the file is read, and
    // leave the other with a parent that is freed.
    template <class T>
    T* ReadRequiredObjectOf() {
        const size_t known = loaded_.size();
        T* obj = ReadObjectOf<T>();
        if (!obj || loaded_.size() == known) Fail(CArchiveException::Cause::UnexpectedObject);
        return obj;
    }

    [[noreturn]] void Fail(CArchiveException::Cause cause) const;

    // Persistent classes known to readers, found by their name in the file.
    static const CRuntimeClass* FindClass(std::string_view name);

private:
    void ReadExact(char* dest, size_t n);
    void Put(const char* data, size_t n);
    std::string ReadWideString(uint64_t chars);
    uint64_t ReadLength();

    CByteSource* source_ = nullptr;
    CByteSink* sink_ = nullptr;
    std::string fileName_;
    std::string buffer_;

    // Storing: index of every class and object written so far.
    struct WriteMap;
    std::unique_ptr<WriteMap> written_;
    // Loading: what each index stands for (a class or an object).
    struct LoadEntry {
        const CRuntimeClass* cls = nullptr;
        CModel* obj = nullptr;
    };
    std::vector<LoadEntry> loaded_;
    std::vector<Ptr<CModel>> keepAlive_;
    int depth_ = 0;
};

}  // namespace qln
