#include "model/Archive.h"

#include <cstring>
#include <unordered_map>

namespace qln {

namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTagBit = 0x8000;
constexpr uint16_t kBigTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr size_t kMaxClassNameLength = 63;
// Project files nest four levels deep; anything much deeper is hostile.
constexpr int kMaxDepth = 16;

// Single-byte text for a UTF-16 code unit: Latin-1 keeps code points below
// 256, everything else becomes '?', as a code page conversion would.
char NarrowChar(uint16_t unit) { return unit < 0x100 ? static_cast<char>(unit) : '?'; }

}  // namespace

// ---- errors -----------------------------------------------------------------

std::string CArchiveException::Describe(Cause cause, const std::string& fileName) {
    switch (cause) {
    case Cause::BadFormat: return fileName + " has a bad format.";
    case Cause::UnexpectedObject: return fileName + " contained an unexpected object.";
    case Cause::BadSchema: return fileName + " contains an incorrect schema.";
    case Cause::EndOfFile: return "Attempted to access " + fileName + " past its end.";
    case Cause::UnexpectedFormat: return "Unexpected file format.";
    case Cause::ReadError: return "An error occurred while reading " + fileName + ".";
    case Cause::WriteError: return "An error occurred while writing " + fileName + ".";
    }
    return fileName + " has a bad format.";
}

CArchiveException::CArchiveException(Cause cause, const std::string& fileName)
    : std::runtime_error(Describe(cause, fileName)), cause_(cause) {}

// ---- sources and sinks ----------------------------------------------------------

size_t CMemorySource::Read(char* dest, size_t n) {
    size_t take = std::min(n, data_.size() - pos_);
    std::memcpy(dest, data_.data() + pos_, take);
    pos_ += take;
    return take;
}

CFileSource::CFileSource(std::FILE* file, std::string fileName) : file_(file), fileName_(std::move(fileName)) {
    long here = std::ftell(file_);
    if (here < 0 || std::fseek(file_, 0, SEEK_END) != 0)
        throw CArchiveException(CArchiveException::Cause::ReadError, fileName_);
    long end = std::ftell(file_);
    if (end < here || std::fseek(file_, here, SEEK_SET) != 0)
        throw CArchiveException(CArchiveException::Cause::ReadError, fileName_);
    remaining_ = static_cast<uint64_t>(end - here);
}

size_t CFileSource::Read(char* dest, size_t n) {
    size_t got = std::fread(dest, 1, n, file_);
    if (got < n && std::ferror(file_)) throw CArchiveException(CArchiveException::Cause::ReadError, fileName_);
    remaining_ -= std::min<uint64_t>(got, remaining_);
    return got;
}

void CFileSink::Write(const char* data, size_t n) {
    if (n && std::fwrite(data, 1, n, file_) != n)
        throw CArchiveException(CArchiveException::Cause::WriteError, fileName_);
}

void CFileSink::Flush() {
    if (std::fflush(file_) != 0) throw CArchiveException(CArchiveException::Cause::WriteError, fileName_);
}

// ---- the archive -------------------------------------------------------------------

struct CArchive::WriteMap {
    std::unordered_map<const CRuntimeClass*, uint32_t> classes;
    std::unordered_map<const CModel*, uint32_t> objects;
    uint32_t next = 1;
};

CArchive::CArchive(CByteSource& source, std::string fileName) : source_(&source), fileName_(std::move(fileName)) {
    loaded_.emplace_back();  // index 0: no object
}

CArchive::CArchive(CByteSink& sink, std::string fileName)
    : sink_(&sink), fileName_(std::move(fileName)), written_(std::make_unique<WriteMap>()) {
    buffer_.reserve(kBufferSize);
}

CArchive::~CArchive() = default;

void CArchive::Fail(CArchiveException::Cause cause) const { throw CArchiveException(cause, fileName_); }

// ---- writing -----------------------------------------------------------------------

void CArchive::Put(const char* data, size_t n) {
    if (buffer_.size() + n > kBufferSize) {
        Flush();
        if (n >= kBufferSize) {
            sink_->Write(data, n);
            return;
        }
    }
    buffer_.append(data, n);
}

void CArchive::Flush() {
    if (!sink_) return;
    if (!buffer_.empty()) sink_->Write(buffer_.data(), buffer_.size());
    buffer_.clear();
    sink_->Flush();
}

void CArchive::WriteByte(uint8_t v) { Put(reinterpret_cast<const char*>(&v), 1); }

void CArchive::WriteWord(uint16_t v) {
    const char bytes[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    Put(bytes, 2);
}

void CArchive::WriteInt32(int32_t value) {
    auto v = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF),
                           static_cast<char>((v >> 16) & 0xFF), static_cast<char>(v >> 24)};
    Put(bytes, 4);
}

void CArchive::WriteString(std::string_view s) {
    const uint64_t n = s.size();
    if (n < 0xFF) {
        WriteByte(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(static_cast<uint16_t>(n));
    } else {
        if (n >= 0xFFFFFFFFu) Fail(CArchiveException::Cause::WriteError);
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        WriteInt32(static_cast<int32_t>(static_cast<uint32_t>(n)));
    }
    Put(s.data(), s.size());
}

void CArchive::WriteCount(uint32_t n) {
    if (n < 0xFFFF) {
        WriteWord(static_cast<uint16_t>(n));
    } else {
        WriteWord(0xFFFF);
        WriteInt32(static_cast<int32_t>(n));
    }
}

void CArchive::WriteStringArray(const StringList& list) {
    WriteCount(static_cast<uint32_t>(list.size()));
    for (const auto& s : list) WriteString(s);
}

void CArchive::WriteObject(const CModel* obj) {
    if (!obj) {
        WriteWord(0);
        return;
    }
    auto& map = *written_;
    if (auto it = map.objects.find(obj); it != map.objects.end()) {
        if (it->second < kBigTag) {
            WriteWord(static_cast<uint16_t>(it->second));
        } else {
            WriteWord(kBigTag);
            WriteInt32(static_cast<int32_t>(it->second));
        }
        return;
    }
    const CRuntimeClass& cls = obj->GetRuntimeClass();
    if (auto it = map.classes.find(&cls); it != map.classes.end()) {
        if (it->second < kBigTag) {
            WriteWord(static_cast<uint16_t>(kClassTagBit | it->second));
        } else {
            WriteWord(kBigTag);
            WriteInt32(static_cast<int32_t>(kBigClassTag | it->second));
        }
    } else {
        WriteWord(kNewClassTag);
        WriteWord(cls.schema);
        WriteWord(static_cast<uint16_t>(cls.name.size()));
        Put(cls.name.data(), cls.name.size());
        map.classes[&cls] = map.next++;
    }
    map.objects[obj] = map.next++;
    // Serialize is not const in the model's protocol; storing never changes
    // what it writes except residue parking, which the classes manage.
    const_cast<CModel*>(obj)->Serialize(*this);
}

// ---- reading -----------------------------------------------------------------------

void CArchive::ReadExact(char* dest, size_t n) {
    if (source_->Read(dest, n) != n) Fail(CArchiveException::Cause::EndOfFile);
}

uint8_t CArchive::ReadByte() {
    unsigned char b;
    ReadExact(reinterpret_cast<char*>(&b), 1);
    return b;
}

uint16_t CArchive::ReadWord() {
    unsigned char b[2];
    ReadExact(reinterpret_cast<char*>(b), 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

int32_t CArchive::ReadInt32() {
    unsigned char b[4];
    ReadExact(reinterpret_cast<char*>(b), 4);
    return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
}

// The length after the first 0xFF byte of the long forms.
uint64_t CArchive::ReadLength() {
    uint16_t word = ReadWord();
    if (word < 0xFFFF) return word;
    auto dword = static_cast<uint32_t>(ReadInt32());
    if (dword < 0xFFFFFFFFu) return dword;
    uint64_t low = static_cast<uint32_t>(ReadInt32());
    uint64_t high = static_cast<uint32_t>(ReadInt32());
    return low | (high << 32);
}

std::string CArchive::ReadString() {
    uint64_t n = ReadByte();
    if (n == 0xFF) {
        uint16_t word = ReadWord();
        if (word == 0xFFFE) {
            // Wide form: a fresh length prefix counting UTF-16 characters.
            uint64_t chars = ReadByte();
            if (chars == 0xFF) chars = ReadLength();
            return ReadWideString(chars);
        }
        if (word < 0xFFFF) {
            n = word;
        } else {
            auto dword = static_cast<uint32_t>(ReadInt32());
            if (dword < 0xFFFFFFFFu) {
                n = dword;
            } else {
                uint64_t low = static_cast<uint32_t>(ReadInt32());
                uint64_t high = static_cast<uint32_t>(ReadInt32());
                n = low | (high << 32);
            }
        }
    }
    if (n > source_->Remaining()) Fail(CArchiveException::Cause::EndOfFile);
    std::string s(static_cast<size_t>(n), '\0');
    ReadExact(s.data(), s.size());
    return s;
}

std::string CArchive::ReadWideString(uint64_t chars) {
    if (chars > source_->Remaining() / 2) Fail(CArchiveException::Cause::EndOfFile);
    std::string s;
    s.reserve(static_cast<size_t>(chars));
    for (uint64_t i = 0; i < chars; ++i) s.push_back(NarrowChar(ReadWord()));
    return s;
}

uint32_t CArchive::ReadCount() {
    uint16_t word = ReadWord();
    if (word < 0xFFFF) return word;
    return static_cast<uint32_t>(ReadInt32());
}

StringList CArchive::ReadStringArray() {
    uint32_t n = ReadCount();
    // Every string takes at least one byte, which bounds the count.
    if (n > source_->Remaining()) Fail(CArchiveException::Cause::EndOfFile);
    StringList list;
    list.reserve(n);
    for (uint32_t i = 0; i < n; ++i) list.push_back(ReadString());
    return list;
}

CModel* CArchive::ReadObject(const CRuntimeClass& expected) {
    uint16_t first = ReadWord();
    const CRuntimeClass* cls = nullptr;
    if (first == kNewClassTag) {
        uint16_t schema = ReadWord();
        uint16_t nameLength = ReadWord();
        if (nameLength > kMaxClassNameLength) Fail(CArchiveException::Cause::BadFormat);
        std::string name(nameLength, '\0');
        ReadExact(name.data(), name.size());
        cls = FindClass(name);
        if (!cls || !cls->create) Fail(CArchiveException::Cause::UnexpectedObject);
        if (schema != cls->schema) Fail(CArchiveException::Cause::BadSchema);
        loaded_.push_back({cls, nullptr});
    } else {
        uint32_t tag = first == kBigTag ? static_cast<uint32_t>(ReadInt32())
                                        : (static_cast<uint32_t>(first & kClassTagBit) << 16) | (first & 0x7FFF);
        uint32_t index = tag & ~kBigClassTag;
        if (index >= loaded_.size()) Fail(CArchiveException::Cause::BadFormat);
        const LoadEntry& entry = loaded_[index];
        if (!(tag & kBigClassTag)) {
            if (index == 0) return nullptr;
            if (!entry.obj) Fail(CArchiveException::Cause::BadFormat);  // a class index used as an object
            if (!entry.obj->IsKindOf(expected)) Fail(CArchiveException::Cause::UnexpectedObject);
            return entry.obj;
        }
        if (!entry.cls) Fail(CArchiveException::Cause::BadFormat);  // an object index used as a class
        cls = entry.cls;
    }
    if (!cls->IsDerivedFrom(expected)) Fail(CArchiveException::Cause::UnexpectedObject);
    if (++depth_ > kMaxDepth) Fail(CArchiveException::Cause::BadFormat);
    Ptr<CModel> obj(cls->create());
    keepAlive_.push_back(obj);
    loaded_.push_back({nullptr, obj.get()});
    obj->Serialize(*this);
    --depth_;
    return obj.get();
}

}  // namespace qln
