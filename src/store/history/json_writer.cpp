#include "store/history/json_writer.h"

namespace dvx {

QString JsonString(const QString& text) {
    QString json;
    json.reserve(text.size() + 2);
    json.append(QLatin1Char('"'));
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            json.append(QLatin1String("\\\""));
            break;
        case '\\':
            json.append(QLatin1String("\\\\"));
            break;
        case '\n':
            json.append(QLatin1String("\\n"));
            break;
        case '\r':
            json.append(QLatin1String("\\r"));
            break;
        case '\t':
            json.append(QLatin1String("\\t"));
            break;
        default:
            if (c.unicode() < 0x20)
                json.append(QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0')));
            else
                json.append(c);
        }
    }
    json.append(QLatin1Char('"'));
    return json;
}

void JsonArrayWriter::beginObject() {
    text_.append(firstObject_ ? QLatin1String("[\n  {") : QLatin1String(",\n  {"));
    firstObject_ = false;
    firstKey_ = true;
}

void JsonArrayWriter::key(const char* name) {
    if (!firstKey_)
        text_.append(QLatin1String(", "));
    firstKey_ = false;
    text_.append(QLatin1Char('"'));
    text_.append(QLatin1String(name));
    text_.append(QLatin1String("\": "));
}

void JsonArrayWriter::text(const char* name, const QString& value) {
    key(name);
    text_.append(JsonString(value));
}

void JsonArrayWriter::number(const char* name, const QString& digits) {
    key(name);
    text_.append(digits);
}

void JsonArrayWriter::number(const char* name, std::int64_t value) {
    number(name, QString::number(value));
}

void JsonArrayWriter::null(const char* name) {
    key(name);
    text_.append(QLatin1String("null"));
}

void JsonArrayWriter::endObject() {
    text_.append(QLatin1Char('}'));
}

QString JsonArrayWriter::take() {
    text_.append(firstObject_ ? QLatin1String("[]\n") : QLatin1String("\n]\n"));
    firstObject_ = true;
    return std::move(text_);
}

} // namespace dvx
