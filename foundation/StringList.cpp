#include "foundation/StringList.h"

#include "foundation/KernelHandle.h"

#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

namespace {

// The byte comparison of String (unsigned bytes up to the first NUL), kept
// inline because sorting spends most of its time here.
inline int byteOrder(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    while (*x && *x == *y) {
        ++x;
        ++y;
    }
    return int(*x) - int(*y);
}

} // namespace

StringList::StringList(int initialCount, int maximumCount)
    : PointerArray(initialCount, maximumCount)
{
}

StringList::~StringList()
{
    // The base destructor would only reach PointerArray::removeAt.
    clear();
}

bool StringList::isFull() const
{
    return size() == committed() && committed() == reserved();
}

void StringList::add(const String& text, int index)
{
    String* copy = new String(text);
    int before = count();
    insert(copy, index);
    if (count() == before)
        delete copy;
}

void* StringList::removeAt(int index)
{
    delete static_cast<String*>(PointerArray::removeAt(index));
    return nullptr;
}

String StringList::item(int index) const
{
    String* text = static_cast<String*>(at(index));
    return text ? *text : String(0);
}

namespace {

// An element and its text side by side, so that comparing reaches the text
// without going through the String object first.
struct SortEntry {
    const char* text;
    void* element;
};

// Quicksort with the middle item as pivot. The smaller part is sorted by
// recursion and the larger one by the loop, so the depth stays logarithmic.
template <typename Item, typename TextOf>
void quicksort(Item* items, int lo, int hi, TextOf textOf)
{
    while (lo < hi) {
        int i = lo;
        int j = hi;
        // The texts are not changed while sorting, so the pivot's pointer stays valid.
        const char* pivot = textOf(items[lo + (hi - lo) / 2]);
        do {
            while (byteOrder(textOf(items[i]), pivot) < 0)
                ++i;
            while (byteOrder(textOf(items[j]), pivot) > 0)
                --j;
            if (i <= j) {
                Item kept = items[i];
                items[i] = items[j];
                items[j] = kept;
                ++i;
                --j;
            }
        } while (j >= i);
        if (j - lo < hi - i) {
            quicksort(items, lo, j, textOf);
            lo = i;
        } else {
            quicksort(items, i, hi, textOf);
            hi = j;
        }
    }
}

} // namespace

void StringList::sort()
{
    const int n = count();
    if (n < 2)
        return;
    void** s = slots();
    std::vector<SortEntry> entries;
    try {
        entries.resize(size_t(n));
    } catch (const std::bad_alloc&) {
        // Without room for the side table, sort the slots themselves.
        quicksort(s, 0, n - 1, [](void* element) { return static_cast<String*>(element)->cStr(); });
        return;
    }
    for (int i = 0; i < n; ++i)
        entries[size_t(i)] = SortEntry{element(i)->cStr(), s[i]};
    quicksort(entries.data(), 0, n - 1, [](const SortEntry& entry) { return entry.text; });
    for (int i = 0; i < n; ++i)
        s[i] = entries[size_t(i)].element;
}

void StringList::insertSorted(const String& text)
{
    int lo = 0;
    int hi = count() - 1;
    while (lo <= hi) {
        int middle = (lo + hi) / 2;
        int order = text.compare(*element(middle));
        if (order == 0) {
            add(text, middle);
            return;
        }
        if (order < 0)
            hi = middle - 1;
        else
            lo = middle + 1;
    }
    add(text, lo);
}

int StringList::findPrefix(const char* text, int length) const
{
    if (!text)
        return -1;
    size_t wanted = length < 0 ? 0 : size_t(length);
    int lo = 0;
    int hi = count() - 1;
    while (lo <= hi) {
        int middle = (lo + hi) / 2;
        const String& probe = *element(middle);
        size_t span = wanted < size_t(probe.length()) ? wanted : size_t(probe.length());
        int order = std::strncmp(text, probe.cStr(), span);
        if (order == 0)
            return middle;
        if (order < 0)
            hi = middle - 1;
        else
            lo = middle + 1;
    }
    return -1;
}

void StringList::addLines(const char* bytes, uint32_t size)
{
    uint32_t start = 0;
    // Once the reservation is full every further add would be dropped anyway.
    while (start < size && !isFull()) {
        uint32_t end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        String* line = new String(bytes + start, static_cast<int>(end - start));
        int before = count();
        insert(line, -1);
        if (count() == before)
            delete line;
        if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
}

namespace {

// A mapped view, unmapped exactly once.
using MappedView = UniqueHandle<const void*, ::UnmapViewOfFile>;

} // namespace

bool StringList::load(const String& path)
{
    clear();
    KernelHandle file(CreateFileA(path.cStr(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return false;
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return false;
    // Line positions are 32-bit; a larger file is not a text list of this library.
    if (high != 0)
        return false;
    KernelHandle mapping(CreateFileMappingA(file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!mapping.isOpen())
        return false;
    const MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!view.isOpen())
        return false;
    addLines(static_cast<const char*>(view.get()), size);
    return true;
}

namespace {

// Collects output in large pieces so that a long list is not written a line at a time.
class WriteBuffer {
public:
    explicit WriteBuffer(HANDLE file) : file_(file) { bytes_.reserve(capacity); }
    bool put(const char* data, uint32_t size)
    {
        if (bytes_.size() + size > capacity && !flush())
            return false;
        if (size > capacity)
            return write(data, size);
        bytes_.insert(bytes_.end(), data, data + size);
        return true;
    }
    bool flush()
    {
        bool ok = bytes_.empty() || write(bytes_.data(), static_cast<uint32_t>(bytes_.size()));
        bytes_.clear();
        return ok;
    }

private:
    static constexpr size_t capacity = 65536;
    bool write(const char* data, uint32_t size)
    {
        DWORD written = 0;
        return WriteFile(file_, data, size, &written, nullptr) && written == size;
    }
    HANDLE file_;
    std::vector<char> bytes_;
};

} // namespace

bool StringList::save(const String& path) const
{
    // Windows refuses to overwrite a read-only file; Wine run as root does not,
    // so the refusal is made here for both.
    DWORD attributes = GetFileAttributesA(path.cStr());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    KernelHandle file(CreateFileA(path.cStr(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.isOpen())
        return false;
    WriteBuffer out(file.get());
    for (int i = 0; i < count(); ++i) {
        const String& text = *element(i);
        if (!out.put(text.cStr(), static_cast<uint32_t>(text.length())) || !out.put("\r\n", 2))
            return false;
    }
    return out.flush();
}
