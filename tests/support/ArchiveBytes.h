// Bytes for the model's archive tests: numbers and short strings as the
// archive writes them, residue text of any length, and objects stored to and
// loaded from memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "model/Archive.h"

namespace qln::test {

// The bytes given as numbers.
inline std::string Bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

// A length-prefixed short string as the archive writes it.
inline std::string Short(const std::string& s) { return std::string(1, static_cast<char>(s.size())) + s; }

// A 32-bit number, least significant byte first.
inline std::string Int32(int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
            static_cast<char>(v >> 24)};
}

// n residues cycling through the given letters.
inline std::string Letters(size_t n, const std::string& pattern = "acgt") {
    std::string out;
    out.reserve(n);
    for (size_t i = 0; i < n; ++i) out += pattern[i % pattern.size()];
    return out;
}

// The objects as the archive stores them.
inline std::string Store(const CModel* first, const CModel* second = nullptr) {
    std::string out;
    CStringSink sink(out);
    CArchive ar(sink, "test.prj");
    ar.WriteObject(first);
    if (second) ar.WriteObject(second);
    ar.Flush();
    return out;
}
inline std::string Store(const CModel& object) { return Store(&object); }

template <class T>
Ptr<T> Load(const std::string& bytes) {
    CMemorySource source(bytes);
    CArchive ar(source, "test.prj");
    return Ptr<T>(ar.ReadObjectOf<T>());
}

}  // namespace qln::test
