#include "store/registry/regedit_import.h"

#include <QStringDecoder>

namespace dvx {

namespace {

bool DecodeUtf8Lines(QByteArrayView bytes, QString& text, RegeditError& error) {
    text.clear();
    int number = 0;
    for (const QByteArray& line : bytes.toByteArray().split('\n')) {
        ++number;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(line);
        if (decoder.hasError()) {
            error = {number, QStringLiteral("the line is not UTF-8 text")};
            return false;
        }
        if (number > 1) {
            text.append(QLatin1Char('\n'));
        }
        text.append(decoded);
    }
    return true;
}

bool Apply(Hive& hive, const RegeditChange& change) {
    switch (change.kind) {
    case RegeditChange::Kind::ensureKey:
        return hive.ensureKey(change.key);
    case RegeditChange::Kind::deleteKey:
        return !hive.keyExists(change.key) || hive.deleteKey(change.key);
    case RegeditChange::Kind::setValue:
        return hive.writeValue(change.key, change.name, change.value);
    case RegeditChange::Kind::deleteValue:
        return hive.deleteValueIfPresent(change.key, change.name);
    }
    return false;
}

} // namespace

bool DecodeRegeditFile(const QByteArray& bytes, QString& text, RegeditError& error) {
    if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        QStringDecoder decoder(bytes.startsWith("\xff\xfe") ? QStringDecoder::Utf16LE
                                                            : QStringDecoder::Utf16BE);
        text = decoder.decode(QByteArrayView(bytes).sliced(2));
        if (decoder.hasError()) {
            error = {0, QStringLiteral("the file is not valid UTF-16 text")};
            return false;
        }
        return true;
    }
    const QByteArrayView body =
        bytes.startsWith("\xef\xbb\xbf") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    return DecodeUtf8Lines(body, text, error);
}

bool ApplyRegedit(Hive& hive, const QList<RegeditChange>& changes, RegeditError& error) {
    Hive::Transaction transaction(hive);
    if (!transaction.begun()) {
        error = {0, hive.lastError()};
        return false;
    }
    for (const RegeditChange& change : changes) {
        if (!Apply(hive, change)) {
            error = {change.line, hive.lastError()};
            return false;
        }
    }
    if (!transaction.commit()) {
        error = {0, hive.lastError()};
        return false;
    }
    return true;
}

bool ImportRegedit(Hive& hive, const QByteArray& bytes, RegeditError& error) {
    QString text;
    QList<RegeditChange> changes;
    return DecodeRegeditFile(bytes, text, error) && ParseRegedit(text, changes, error) &&
           ApplyRegedit(hive, changes, error);
}

} // namespace dvx
