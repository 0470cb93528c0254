#include "foundation/String.h"

#include "foundation/PathText.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const uint32_t maxBlockBytes = 0x7FFFFFF0u;

// Room in bytes for `chars` characters plus a terminator; refuses sizes an int cannot describe.
uint32_t checkedSize(uint64_t bytes)
{
    if (bytes > maxBlockBytes)
        throw std::bad_alloc();
    return static_cast<uint32_t>(bytes);
}

uint32_t nonNegative(int value)
{
    return value < 0 ? 0u : static_cast<uint32_t>(value);
}

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

} // namespace

// The record and its text live in one heap allocation; the text pointer stays
// the record's own field, so a resize only has to re-point it.
StringData* String::createBlock(const char* source, uint32_t count, uint32_t requested)
{
    uint32_t capacity = requested > count ? requested : checkedSize(uint64_t(count) + 1);
    void* memory = std::malloc(sizeof(StringData) + capacity);
    if (!memory)
        throw std::bad_alloc();
    StringData* block = static_cast<StringData*>(memory);
    block->text = reinterpret_cast<char*>(block + 1);
    uint32_t copied = 0;
    if (source && count > 0) {
        const void* nul = std::memchr(source, '\0', count);
        copied = nul ? uint32_t(static_cast<const char*>(nul) - source) : count;
        std::memcpy(block->text, source, copied);
    }
    std::memset(block->text + copied, 0, count - copied);
    block->text[count] = '\0';
    block->length = count;
    block->capacity = capacity;
    block->references = 1;
    return block;
}

void String::releaseBlock(StringData* block)
{
    if (--block->references == 0)
        std::free(block);
}

String::String()
    : String(16)
{
}

String::String(int room)
    : data_(createBlock("", 0, checkedSize(uint64_t(room < 16 ? 16u : uint32_t(room)) + 1)))
{
}

String::String(const char* text)
{
    text = orEmpty(text);
    uint32_t count = checkedSize(std::strlen(text));
    data_ = createBlock(text, count, count + 1);
}

String::String(const char* text, int count)
    : data_(createBlock(orEmpty(text), checkedSize(nonNegative(count)), 0))
{
}

String::String(const String& other)
    : data_(other.data_)
{
    ++data_->references;
}

String::~String()
{
    releaseBlock(data_);
}

String& String::operator=(const String& other)
{
    if (this != &other) {
        ++other.data_->references;
        releaseBlock(data_);
        data_ = other.data_;
    }
    return *this;
}

String& String::operator=(const char* text)
{
    String fresh(text);
    return *this = fresh;
}

const char& String::at(int index) const
{
    static const char nul = '\0';
    return static_cast<uint32_t>(index) < data_->length ? data_->text[index] : nul;
}

void String::makeWritable(int n)
{
    uint32_t wanted = nonNegative(n);
    if (data_->references != 1) {
        StringData* copy = createBlock(data_->text, data_->length, wanted);
        --data_->references;
        data_ = copy;
    } else if (uint64_t(wanted) > uint64_t(data_->length) + 1) {
        void* memory = std::realloc(data_, sizeof(StringData) + checkedSize(wanted));
        if (!memory)
            throw std::bad_alloc();
        data_ = static_cast<StringData*>(memory);
        data_->text = reinterpret_cast<char*>(data_ + 1);
        data_->capacity = wanted;
    }
}

int String::syncLength()
{
    data_->text[data_->capacity - 1] = '\0';
    data_->length = static_cast<uint32_t>(std::strlen(data_->text));
    return static_cast<int>(data_->length);
}

void String::append(const char* text, uint32_t added)
{
    // The added text may lie inside this String's own block, which the resize can move.
    const char* oldText = data_->text;
    bool inside = text >= oldText && text < oldText + data_->capacity;
    size_t offset = inside ? size_t(text - oldText) : 0;
    uint32_t newLength = checkedSize(uint64_t(data_->length) + added);
    makeWritable(static_cast<int>(newLength + 1));
    if (inside)
        text = data_->text + offset;
    std::memcpy(data_->text + data_->length, text, added);
    data_->text[newLength] = '\0';
    data_->length = newLength;
}

String& String::operator+=(const String& other)
{
    append(other.data_->text, other.data_->length);
    return *this;
}

String& String::operator+=(const char* text)
{
    text = orEmpty(text);
    append(text, checkedSize(std::strlen(text)));
    return *this;
}

String String::joined(const char* a, uint32_t aLength, const char* b, uint32_t bLength, uint64_t room)
{
    uint32_t total = checkedSize(uint64_t(aLength) + bLength);
    String result(static_cast<int>(checkedSize(room)));
    std::memcpy(result.data_->text, a, aLength);
    std::memcpy(result.data_->text + aLength, b, bLength);
    result.data_->text[total] = '\0';
    result.data_->length = total;
    return result;
}

String operator+(const String& a, const String& b)
{
    uint64_t total = uint64_t(a.data_->length) + b.data_->length;
    return String::joined(a.data_->text, a.data_->length, b.data_->text, b.data_->length, total + 1);
}

String operator+(const String& a, const char* b)
{
    b = orEmpty(b);
    uint32_t added = checkedSize(std::strlen(b));
    uint64_t total = uint64_t(a.data_->length) + added;
    return String::joined(a.data_->text, a.data_->length, b, added, total + 1);
}

String operator+(const char* a, const String& b)
{
    a = orEmpty(a);
    uint32_t first = checkedSize(std::strlen(a));
    uint64_t total = uint64_t(first) + b.data_->length;
    return String::joined(a, first, b.data_->text, b.data_->length, total);
}

namespace {

// Cells for heap Strings, carved from large chunks and recycled through a free
// list under a lock (Strings live on several threads). Chunks are kept for
// reuse and never returned. Constant-initialised, so usable before main.
class StringCellPool {
public:
    constexpr StringCellPool() = default;

    void* take()
    {
        AcquireSRWLockExclusive(&lock_);
        Cell* cell = free_;
        if (cell)
            free_ = cell->next;
        else
            cell = carve();
        ReleaseSRWLockExclusive(&lock_);
        return cell;
    }

    void give(void* object)
    {
        Cell* cell = static_cast<Cell*>(object);
        AcquireSRWLockExclusive(&lock_);
        cell->next = free_;
        free_ = cell;
        ReleaseSRWLockExclusive(&lock_);
    }

private:
    union Cell {
        Cell* next;
        alignas(String) unsigned char bytes[sizeof(String)];
    };
    static const size_t cellsPerChunk = 4096;

    Cell* carve()
    {
        if (unused_ == end_) {
            Cell* chunk = static_cast<Cell*>(std::malloc(cellsPerChunk * sizeof(Cell)));
            if (!chunk)
                return nullptr;
            unused_ = chunk;
            end_ = chunk + cellsPerChunk;
        }
        return unused_++;
    }

    SRWLOCK lock_ = SRWLOCK_INIT;
    Cell* free_ = nullptr;
    Cell* unused_ = nullptr;
    Cell* end_ = nullptr;
};

StringCellPool heapStrings;

} // namespace

void* String::operator new(size_t size)
{
    if (size != sizeof(String))
        return ::operator new(size);
    void* cell = heapStrings.take();
    if (!cell)
        throw std::bad_alloc();
    return cell;
}

void String::operator delete(void* object, size_t size) noexcept
{
    if (!object)
        return;
    if (size != sizeof(String))
        ::operator delete(object);
    else
        heapStrings.give(object);
}

String String::mid(int start, int count) const
{
    uint32_t wanted = nonNegative(count);
    uint32_t first = static_cast<uint32_t>(start);
    uint32_t available = first < data_->length ? data_->length - first : 0;
    // A count past the end (the usual "rest of the text") must not size the block.
    uint32_t taken = wanted < available ? wanted : available;
    String result(static_cast<int>(checkedSize(uint64_t(taken) + 1)));
    if (taken > 0) {
        std::memcpy(result.data_->text, data_->text + first, taken);
        result.data_->text[taken] = '\0';
        result.data_->length = taken;
    }
    return result;
}

String String::toLower() const
{
    String result(*this);
    result.makeWritable(0);
    for (uint32_t i = 0; i < result.data_->length; ++i) {
        char& ch = result.data_->text[i];
        if (ch >= 'A' && ch <= 'Z')
            ch = static_cast<char>(ch - 'A' + 'a');
    }
    return result;
}

String String::toUpper() const
{
    String result(*this);
    result.makeWritable(0);
    for (uint32_t i = 0; i < result.data_->length; ++i) {
        char& ch = result.data_->text[i];
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    }
    return result;
}

String String::folderPart() const
{
    int separator = lastBackslash(*this);
    return separator < 0 ? String("") : String(data_->text, separator);
}

String String::fileName() const
{
    int separator = lastBackslash(*this);
    if (separator < 0)
        return *this;
    return String(data_->text + separator + 1, static_cast<int>(data_->length) - separator - 1);
}

String String::extension() const
{
    for (uint32_t i = data_->length; i > 0; --i)
        if (data_->text[i - 1] == '.')
            return String(data_->text + i, static_cast<int>(data_->length - i));
    return String(16);
}

String String::stripExtension() const
{
    for (uint32_t i = data_->length; i > 0; --i) {
        char ch = data_->text[i - 1];
        if (ch == '.')
            return String(data_->text, static_cast<int>(i - 1));
        if (ch == '\\')
            break;
    }
    return *this;
}

String String::fromInt(int64_t value)
{
    // Works on the magnitude as unsigned so that the most negative value prints too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    String result(32);
    char* out = result.data_->text;
    uint32_t length = 0;
    if (value < 0)
        out[length++] = '-';
    while (count > 0)
        out[length++] = digits[--count];
    out[length] = '\0';
    result.data_->length = length;
    return result;
}

String String::fromHex(uint64_t value, int minDigits)
{
    static const char hexDigits[] = "0123456789abcdef";
    int first = 16;
    for (int nibble = 0; nibble < 16; ++nibble)
        if ((value >> (60 - 4 * nibble)) & 0xF) {
            first = nibble;
            break;
        }
    int fromMinimum = 16 - (minDigits < 0 ? 0 : minDigits > 16 ? 16 : minDigits);
    if (fromMinimum < first)
        first = fromMinimum;
    String result(17);
    char* out = result.data_->text;
    uint32_t length = 0;
    out[length++] = '0';
    for (int nibble = first; nibble < 16; ++nibble)
        out[length++] = hexDigits[(value >> (60 - 4 * nibble)) & 0xF];
    out[length] = '\0';
    result.data_->length = length;
    return result;
}

String String::repeat(char ch, int count)
{
    uint32_t n = checkedSize(nonNegative(count));
    String result(static_cast<int>(checkedSize(uint64_t(n) + 1)));
    std::memset(result.data_->text, ch, n);
    result.data_->text[n] = '\0';
    result.data_->length = n;
    return result;
}

int String::find(const char* needle, int start) const
{
    needle = orEmpty(needle);
    size_t needleLength = std::strlen(needle);
    if (needleLength > data_->length)
        return -1;
    uint32_t last = data_->length - static_cast<uint32_t>(needleLength);
    // A start before the text searches the whole text.
    for (uint32_t p = start < 0 ? 0u : static_cast<uint32_t>(start); p <= last; ++p)
        if (std::strncmp(data_->text + p, needle, needleLength) == 0)
            return static_cast<int>(p);
    return -1;
}

int String::find(const String& needle, int start) const
{
    return find(needle.cStr(), start);
}

int String::findLast(const char* needle, int needleLength, int start) const
{
    if (!needle || needleLength < 0 || uint32_t(needleLength) > data_->length)
        return -1;
    int last = static_cast<int>(data_->length) - needleLength;
    for (int p = start < last ? start : last; p >= 0; --p)
        if (std::strncmp(data_->text + p, needle, size_t(needleLength)) == 0)
            return p;
    return -1;
}

int String::compare(const char* text) const
{
    return std::strcmp(data_->text, orEmpty(text));
}

int String::compare(const String& other) const
{
    return std::strcmp(data_->text, other.data_->text);
}

bool operator==(const String& a, const String& b) { return a.compare(b) == 0; }
bool operator==(const String& a, const char* b) { return a.compare(b) == 0; }
bool operator==(const char* a, const String& b) { return b.compare(a) == 0; }
bool operator!=(const String& a, const String& b) { return a.compare(b) != 0; }
bool operator!=(const String& a, const char* b) { return a.compare(b) != 0; }
bool operator!=(const char* a, const String& b) { return b.compare(a) != 0; }
bool operator<(const String& a, const String& b) { return a.compare(b) < 0; }
bool operator<(const String& a, const char* b) { return a.compare(b) < 0; }
bool operator>(const String& a, const String& b) { return a.compare(b) > 0; }
bool operator>(const String& a, const char* b) { return a.compare(b) > 0; }
bool operator<=(const String& a, const String& b) { return a.compare(b) <= 0; }
bool operator<=(const String& a, const char* b) { return a.compare(b) <= 0; }
bool operator>=(const String& a, const String& b) { return a.compare(b) >= 0; }
bool operator>=(const String& a, const char* b) { return a.compare(b) >= 0; }

int64_t String::toInt(bool hex) const
{
    unsigned long value = 0;
    if (hex) {
        if (std::sscanf(data_->text, "%lx", &value) != 1)
            return 0;
    } else {
        long signedValue = 0;
        if (std::sscanf(data_->text, "%ld", &signedValue) != 1)
            return 0;
        value = static_cast<unsigned long>(signedValue);
    }
    return static_cast<int64_t>(static_cast<uint32_t>(value));
}

namespace {

// UTF-7 and UTF-8 refuse the composition flags; any other page takes them.
DWORD flagsFor(unsigned page, DWORD flags)
{
    return page == CP_UTF7 || page == CP_UTF8 ? 0 : flags;
}

} // namespace

String String::convertCodePage(unsigned fromPage, unsigned toPage) const
{
    int length = static_cast<int>(data_->length);
    if (length == 0)
        return String(0);
    uint64_t wideRoom = 2 * uint64_t(length) + 4;
    wchar_t* wide = new wchar_t[checkedSize(wideRoom)];
    int wideCount = MultiByteToWideChar(fromPage, flagsFor(fromPage, MB_PRECOMPOSED), data_->text, length,
                                        wide, static_cast<int>(wideRoom));
    DWORD toFlags = flagsFor(toPage, WC_COMPOSITECHECK);
    // The converted text can be longer than the source (for example into UTF-8).
    int needed = wideCount > 0 ? WideCharToMultiByte(toPage, toFlags, wide, wideCount, nullptr, 0, nullptr, nullptr) : 0;
    String result(needed > length ? needed : length);
    int written = needed > 0 ? WideCharToMultiByte(toPage, toFlags, wide, wideCount, result.data_->text,
                                                   result.capacity() - 1, nullptr, nullptr)
                             : 0;
    delete[] wide;
    result.data_->text[written > 0 ? written : 0] = '\0';
    result.syncLength();
    return result;
}

String String::replace(int position, int count, const String& text) const
{
    uint32_t length = data_->length;
    int64_t at = position < int64_t(length) - 1 ? position : int64_t(length) - 1;
    uint32_t start = at < 0 ? 0 : static_cast<uint32_t>(at);
    uint32_t cut = nonNegative(count);
    if (cut > length - start)
        cut = length - start;
    uint32_t inserted = text.data_->length;
    uint32_t total = checkedSize(uint64_t(length) - cut + inserted);
    String result(static_cast<int>(total));
    char* out = result.data_->text;
    std::memcpy(out, data_->text, start);
    std::memcpy(out + start, text.data_->text, inserted);
    std::memcpy(out + start + inserted, data_->text + start + cut, length - start - cut);
    out[total] = '\0';
    result.syncLength();
    return result;
}

String String::formatFixed(double value, int minDecimals, int extraDecimals, bool plusSign)
{
    const int maxDecimals = 340;
    int least = minDecimals < 0 ? 0 : minDecimals > maxDecimals ? maxDecimals : minDecimals;
    int extra = extraDecimals < 0 ? 0 : extraDecimals > maxDecimals ? maxDecimals : extraDecimals;
    if (!std::isfinite(value))
        return String(std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf");
    int size = std::snprintf(nullptr, 0, "%.*f", least + extra, value);
    String rounded(size);
    std::snprintf(rounded.data_->text, size_t(rounded.capacity()), "%.*f", least + extra, value);
    rounded.syncLength();
    const char* digits = rounded.cStr();
    bool negative = *digits == '-';
    if (negative)
        ++digits;
    const char* point = std::strchr(digits, '.');
    const char* fraction = point ? point + 1 : digits + std::strlen(digits);
    int integerDigits = static_cast<int>((point ? point : fraction) - digits);
    int fractionDigits = static_cast<int>(std::strlen(fraction));
    while (fractionDigits > least && fraction[fractionDigits - 1] == '0')
        --fractionDigits;

    String result(size + least + 4);
    if (negative)
        result += "-";
    else if (plusSign)
        result += "+";
    result += String(digits, integerDigits);
    result += ".";
    result += String(fraction, fractionDigits);
    while (fractionDigits++ < least)
        result += "0";
    return result;
}

String String::formatPattern(int64_t value, const String& pattern, bool hex)
{
    const char* p = pattern.cStr();
    String result("");
    int j = pattern.length() - 1;
    for (;;) {
        int i = j;
        while (i >= 0 && !isDigit(p[i]))
            --i;
        result = String(p + i + 1, j - i) + result;
        j = i;
        if (i < 0)
            break;
        while (i >= 0 && isDigit(p[i]))
            --i;
        String field(p + i + 1, j - i);
        int64_t width = field.toInt(hex);
        if (width == 0)
            break;
        int64_t rest = value % width;
        String piece = hex ? fromHex(static_cast<uint64_t>(rest), 0) : fromInt(rest);
        if (field.at(0) == '0' && piece.length() < field.length() - 1)
            piece = repeat('0', field.length() - 1 - piece.length()) + piece;
        result = piece + result;
        value /= width;
        if (value == 0)
            break;
        j = i;
    }
    if (value > 0 && !isDigit(pattern.at(0)))
        result = (hex ? fromHex(static_cast<uint64_t>(value), 0) : fromInt(value)) + result;
    return result;
}

#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(StringData) == 16, "text pointer, length, capacity, references");
static_assert(sizeof(String) == 4, "a String is one pointer");
#endif
