// Enough of a JSON reader for the tests to read the console program's documents
// back: objects, arrays, strings (\uXXXX escapes taken back to the ANSI code
// page; only printable ASCII unescaped), numbers, true, false and null.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace consoletesting {

struct JsonValue {
    enum class Type { null, boolean, number, string, array, object };
    Type type = Type::null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> elements;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member of that name; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
};

// Reads text as one JSON value with nothing but white space around it; false when it is not one.
bool parseJson(const std::string& text, JsonValue& value);

} // namespace consoletesting
