// The library's text type: 8-bit ANSI, always NUL-terminated, reference-counted
// and copy-on-write, so passing and returning it by value costs one pointer copy.
#pragma once

#include <cstddef>
#include <cstdint>

// One shared text block. A block with references > 1 is never changed.
struct StringData {
    char* text;           // capacity bytes: the characters, then a NUL
    uint32_t length;      // characters before the terminating NUL
    uint32_t capacity;    // bytes in text, at least length + 1
    int32_t references;   // Strings that point here; a new block starts at 1
};

class String {
public:
    // Empty text with room for 16 characters (capacity 17).
    String();
    // Empty text with room for `room` characters: capacity max(room, 16) + 1.
    explicit String(int room);
    // Copy of a NUL-terminated text (null is taken as ""): capacity strlen + 1.
    String(const char* text);
    // The first `count` characters of text; copying stops at a NUL in text and
    // the rest is zero-filled, the length still being count. Capacity count + 1.
    String(const char* text, int count);
    // Shares the block: one pointer copy and one count update.
    String(const String& other);
    ~String();

    String& operator=(const String& other);
    // Builds a new exact-size block; text may point into this String's own block.
    String& operator=(const char* text);

    int length() const { return static_cast<int>(data_->length); }
    int capacity() const { return static_cast<int>(data_->capacity); }
    const char* cStr() const { return data_->text; }
    // Writable only in the fill idiom: String s(n); call(s.cStr(), s.capacity()); s.syncLength();
    char* cStr() { return data_->text; }
    // The character at index, or a NUL for any index outside the text.
    const char& at(int index) const;
    // Number of Strings sharing this block.
    int referenceCount() const { return data_->references; }

    // Detaches a shared block (private copy with room n), or resizes a private
    // block to exactly n bytes when n > length + 1.
    void makeWritable(int n);
    // Terminates the block at its last byte and re-derives the length from the text.
    int syncLength();

    String& operator+=(const String& other);
    String& operator+=(const char* text);

    // Characters from start, at most count of them and never past the end;
    // empty when start is negative or at/after the end.
    String mid(int start, int count) const;
    String toLower() const;
    String toUpper() const;
    // Text before the last backslash, or empty when there is none. Backslash means
    // a whole character: the second byte of a double-byte character never counts.
    String folderPart() const;
    // Text after the last backslash character, or the whole text when there is none.
    String fileName() const;
    // Text after the last full stop, or empty when there is none.
    String extension() const;
    // Text before the last full stop unless a backslash comes after it.
    String stripExtension() const;

    static String fromInt(int64_t value);
    // "0" followed by the hex digits of value, at least minDigits of them.
    static String fromHex(uint64_t value, int minDigits);
    static String repeat(char ch, int count);

    // First position >= start where needle occurs (a negative start counts from 0), or -1.
    int find(const String& needle, int start = 0) const;
    int find(const char* needle, int start = 0) const;
    // Last position <= start where the first needleLength characters of needle occur, or -1.
    int findLast(const char* needle, int needleLength, int start) const;

    // Byte-wise comparison up to the first NUL, as strcmp: negative, 0 or positive.
    int compare(const String& other) const;
    int compare(const char* text) const;

    // Reads a 32-bit number (decimal or hex) widened with a zero high word; 0 when unreadable.
    int64_t toInt(bool hex = false) const;
    // The text converted between ANSI code pages through UTF-16; empty on failure.
    String convertCodePage(unsigned fromPage, unsigned toPage) const;
    // The text with count characters from position replaced by text.
    String replace(int position, int count, const String& text) const;
    // Fixed-point text with between minDecimals and minDecimals + extraDecimals decimals.
    static String formatFixed(double value, int minDecimals, int extraDecimals, bool plusSign);
    // value laid into a pattern of digit runs (moduli) and literal text, e.g. 24:060:060.
    static String formatPattern(int64_t value, const String& pattern, bool hex);

    // Heap Strings (every element of a StringList is one) come from a recycled
    // pool of equal cells, which costs a fraction of a general heap allocation.
    static void* operator new(size_t size);
    static void operator delete(void* object, size_t size) noexcept;
    static void* operator new(size_t, void* place) noexcept { return place; }
    static void operator delete(void*, void*) noexcept {}

private:
    friend String operator+(const String& a, const String& b);
    friend String operator+(const String& a, const char* b);
    friend String operator+(const char* a, const String& b);

    // a followed by b, built once in an empty String with the given room.
    static String joined(const char* a, uint32_t aLength, const char* b, uint32_t bLength, uint64_t room);
    static StringData* createBlock(const char* source, uint32_t count, uint32_t requested);
    static void releaseBlock(StringData* block);
    void append(const char* text, uint32_t added);

    StringData* data_;
};

String operator+(const String& a, const String& b);
String operator+(const String& a, const char* b);
String operator+(const char* a, const String& b);

bool operator==(const String& a, const String& b);
bool operator==(const String& a, const char* b);
bool operator==(const char* a, const String& b);
bool operator!=(const String& a, const String& b);
bool operator!=(const String& a, const char* b);
bool operator!=(const char* a, const String& b);
bool operator<(const String& a, const String& b);
bool operator<(const String& a, const char* b);
bool operator>(const String& a, const String& b);
bool operator>(const String& a, const char* b);
bool operator<=(const String& a, const String& b);
bool operator<=(const String& a, const char* b);
bool operator>=(const String& a, const String& b);
bool operator>=(const String& a, const char* b);
