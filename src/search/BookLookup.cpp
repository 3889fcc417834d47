// Book files: 16-byte big-endian entries sorted by key. A lookup reads only
// the entries it needs (a binary search on the file), so a large book costs
// no memory; a file of another shape is refused, never trusted.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "search/book.h"
#include "tamzor.h"

namespace {
// the most entries one position may have; a file with more is corrupt
constexpr size_t MAX_ENTRIES_PER_KEY = 256;

using FILE_P = std::unique_ptr<FILE, int (*)(FILE*)>;

uint64_t Get(const unsigned char* p, int n) {
    uint64_t v = 0;
    for (int i = 0; i < n; i++) v = v << 8 | p[i];
    return v;
}

void Put(unsigned char* p, int n, uint64_t v) {
    for (int i = n - 1; i >= 0; i--, v >>= 8) p[i] = (unsigned char)(v & 0xFF);
}

bool ReadEntry(FILE* f, uint64_t index, BOOK_ENTRY_T* e) {
    unsigned char raw[BOOK_ENTRY_SIZE];
    if (fseeko(f, (off_t)(index * BOOK_ENTRY_SIZE), SEEK_SET) != 0 || fread(raw, 1, sizeof raw, f) != sizeof raw)
        return false;
    e->key = Get(raw, 8);
    e->move = (uint16_t)Get(raw + 8, 2);
    e->weight = (uint16_t)Get(raw + 10, 2);
    e->learn = (uint32_t)Get(raw + 12, 4);
    return true;
}
}  // namespace

bool BookLookup(const std::string& path, uint64_t key, std::vector<BOOK_ENTRY_T>* out, std::string* error) {
    out->clear();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        *error = path + ": no such file";
        return false;
    }
    const uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size % BOOK_ENTRY_SIZE != 0) {
        *error = path + ": not a book (its size is no multiple of 16 bytes)";
        return false;
    }
    FILE_P f(fopen(path.c_str(), "rb"), fclose);
    if (!f) {
        *error = path + ": cannot be read";
        return false;
    }
    uint64_t lo = 0, hi = size / BOOK_ENTRY_SIZE;  // the first entry whose key is not below `key`
    BOOK_ENTRY_T e;
    while (lo < hi) {
        const uint64_t mid = lo + (hi - lo) / 2;
        if (!ReadEntry(f.get(), mid, &e)) {
            *error = path + ": cannot be read";
            return false;
        }
        if (e.key < key) lo = mid + 1;
        else hi = mid;
    }
    for (uint64_t i = lo; ReadEntry(f.get(), i, &e) && e.key == key; i++) {
        if (out->size() >= MAX_ENTRIES_PER_KEY) {
            out->clear();
            *error = path + ": not a book (too many moves for one position)";
            return false;
        }
        out->push_back(e);
    }
    return true;
}

bool BookWrite(const std::string& path, std::vector<BOOK_ENTRY_T> entries, std::string* error) {
    std::stable_sort(entries.begin(), entries.end(), [](const BOOK_ENTRY_T& a, const BOOK_ENTRY_T& b) {
        return a.key != b.key ? a.key < b.key : a.weight > b.weight;
    });
    FILE_P f(fopen(path.c_str(), "wb"), fclose);
    bool ok = f != nullptr;
    for (size_t i = 0; ok && i < entries.size(); i++) {
        unsigned char raw[BOOK_ENTRY_SIZE];
        Put(raw, 8, entries[i].key);
        Put(raw + 8, 2, entries[i].move);
        Put(raw + 10, 2, entries[i].weight);
        Put(raw + 12, 4, entries[i].learn);
        ok = fwrite(raw, 1, sizeof raw, f.get()) == sizeof raw;
    }
    if (f && fclose(f.release()) != 0) ok = false;
    if (!ok) *error = path + ": cannot be written";
    return ok;
}
