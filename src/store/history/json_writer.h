#pragma once

#include <QString>
#include <cstdint>
#include <utility>

namespace dvx {

// Writes a JSON array of flat objects, one object a line, keys in the order they are given.
class JsonArrayWriter {
public:
    void beginObject();
    void text(const char* key, const QString& value);
    // A number written exactly as given (digits, an optional sign and point).
    void number(const char* key, const QString& digits);
    void number(const char* key, std::int64_t value);
    void null(const char* key);
    void endObject();
    // The whole array; "[]" when it holds no object.
    QString take();

private:
    void key(const char* name);

    QString text_;
    bool firstObject_ = true;
    bool firstKey_ = true;
};

// A text as a JSON string, quotes included.
QString JsonString(const QString& text);

} // namespace dvx
