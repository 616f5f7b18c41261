#pragma once
// Record files: lists of records as they lie in memory and in files, the files beside the
// program, and reading one no larger than its kind can be. The key files and the finish's
// journal both build on this.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <new>
#include <span>
#include <vector>

#include "model/key_records.h"

// Record storage starts on a cache line. The C library puts large blocks 16 bytes past a page
// boundary, and on some processors the kernel copies a file into memory so placed many times
// slower than into memory placed otherwise; loading reads straight into a list's storage.
template <typename T>
struct RecordAllocator {
    using value_type = T;
    static constexpr std::align_val_t kAlignment{64};

    RecordAllocator() = default;
    template <typename U>
    RecordAllocator(const RecordAllocator<U>&) {}

    T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), kAlignment)); }
    void deallocate(T* p, size_t) { ::operator delete(p, kAlignment); }
    template <typename U>
    bool operator==(const RecordAllocator<U>&) const {
        return true;
    }
};

using KeyDataList = std::vector<KeyDataRecord, RecordAllocator<KeyDataRecord>>;
// A smaller alignment fails no test, it only makes loading slower.
static_assert(static_cast<size_t>(KeyDataList::allocator_type::kAlignment) % 64 == 0,
              "key list storage must start on a cache line");

// A file that lies beside the program.
std::filesystem::path BesideProgram(const wchar_t* name);

// The whole records of a record file image, in order; a trailing partial record is ignored.
KeyDataList ParseRecords(std::span<const uint8_t> bytes);
// The list's file image, a view of its storage: records lie in files as they lie in memory.
std::span<const uint8_t> RecordBytes(const KeyDataList& records);

// Every record this program writes has an id of its own: an upsert replaces the record of its
// id, and a new or imported key takes an id that no key holds. A 16-bit id has 65536 values, so
// no key file of this program's holds more records; a larger one is damaged or no key file,
// and reading it whole could take more memory than there is.
inline constexpr size_t kMaxRecords = size_t{1} << 16;
inline constexpr size_t kMaxRecordFileBytes = kMaxRecords * sizeof(KeyDataRecord);

enum class RecordRead { kRead, kUnreadable, kTooLarge };
// Reads the whole records of the file into records, straight into their storage, unless the
// file is larger than maxBytes: then nothing of it is read. records is empty unless read.
RecordRead ReadRecordFile(const std::filesystem::path& path, size_t maxBytes, KeyDataList& records);
